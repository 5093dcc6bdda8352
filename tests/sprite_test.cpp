// Figure objects of map cells and side scenes: their starting values, showing, neighbours and
// queries, the hand-over of a step, pick-ups, hits, blinking and death.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "engine_fixture.h"

using namespace karvan;
using namespace karvan::test;

namespace {

class Sprites : public EngineTest {
 protected:
  void SetUp() override {
    // A scorpion at (1, 1) and gold at (2, 1) of a 2 x 2-screen map.
    std::vector<std::string> Rows = BlankRows(10, 8);
    Rows[1] = "0,32,64,0,0,0,0,0,0,0";
    LoadRows(Rows);
    Platform.Clock = 10000;
  }
  TSprite& Scorpion() { return At(1, 1, gcScorpion); }
  bool ScorpionLit() {
    Frame();
    return Lit(CellCrystal(1, 1, gcScorpion));
  }
};

}  // namespace

TEST_F(Sprites, NewFigureStartsAbsentIdleAndWithTheFormsTimes) {
  Form->EnemyMoveDelay = 650;
  Form->KillDelayConst = 1200;
  TSprite Sprite(3, 2, gcKey, *Form);
  EXPECT_EQ(Sprite.x, 3);
  EXPECT_EQ(Sprite.y, 2);
  EXPECT_EQ(Sprite.SpriteNr, gcKey);
  EXPECT_EQ(&Sprite.ParentForm, Form.get());
  EXPECT_EQ(Sprite.SpeedTime, 650);
  EXPECT_EQ(Sprite.MoveDelay, 650);
  EXPECT_EQ(Sprite.WaitTime, 650);
  EXPECT_EQ(Sprite.KillDelay, 1200);
  EXPECT_EQ(Sprite.KillBlink, 200);
  EXPECT_EQ(Sprite.MoveTime, 0);
  EXPECT_EQ(Sprite.KillTime, -1);
  EXPECT_EQ(Sprite.StartTime, -1);
  EXPECT_EQ(Sprite.JumpTime, -1);
  EXPECT_EQ(Sprite.StartX, -1);
  EXPECT_EQ(Sprite.StartY, -1);
  EXPECT_EQ(Sprite.HP, 1);
  EXPECT_EQ(Sprite.ScoreVal, 0);
  EXPECT_EQ(Sprite.Temp, 0);
  EXPECT_EQ(Sprite.SpriteDir, PosNone);
  EXPECT_EQ(Sprite.OrgDir, PosNone);
  EXPECT_EQ(Sprite.SaveDir, PosNone);
  EXPECT_TRUE(Sprite.Double);
  EXPECT_TRUE(Sprite.LeftTopTrail);
  EXPECT_TRUE(Sprite.RightBottomTrail);
  EXPECT_FALSE(Sprite.SpriteVisible);
  EXPECT_FALSE(Sprite.Awake);
  EXPECT_FALSE(Sprite.Moved);
  EXPECT_FALSE(Sprite.Repeating);
  EXPECT_FALSE(Sprite.EndPos);
}

TEST_F(Sprites, ShowingWakesTheFigureAndLightsItsCrystalAtItsScreenCell) {
  TSprite& Gold = At(7, 5, gcGold);
  Gold.Moved = true;
  EXPECT_FALSE(Gold.SpriteShowCrystal()) << "absent";
  EXPECT_TRUE(Gold.Awake);
  EXPECT_FALSE(Gold.Moved);

  Gold.SpriteVisible = true;
  Form->MapPos = {5, 4};
  EXPECT_EQ(Gold.RelX(), 2);
  EXPECT_EQ(Gold.RelY(), 1);
  Form->Render->ClearCrystals();
  EXPECT_TRUE(Gold.SpriteShowCrystal());
  EXPECT_EQ(LitBetween(0, static_cast<int>(Form->CrystalArr.size()) - 1),
            (std::vector<int>{CellCrystal(2, 1, gcGold)}));
}

TEST_F(Sprites, SideFigureLightsItsOwnCrystalWhateverItsScene) {
  for (int sx : {0, 1}) {
    TSideSprite& Vase = Side(sx, 1, scVase);
    Vase.SpriteVisible = true;
    Form->Render->ClearCrystals();
    EXPECT_TRUE(Vase.SpriteShowCrystal());
    EXPECT_EQ(LitBetween(0, static_cast<int>(Form->CrystalArr.size()) - 1),
              (std::vector<int>{SideCrystal(scVase)}));
  }
}

TEST_F(Sprites, NeighbourCellsAndTheShownWindow) {
  TSprite& Sprite = At(5, 4, gcKey);
  auto Neighbour = [&](TPos Dir) {
    int x = -9;
    int y = -9;
    Sprite.GetXY(Dir, x, y);
    return std::pair{x, y};
  };
  EXPECT_EQ(Neighbour(PosTop), std::pair(5, 3));
  EXPECT_EQ(Neighbour(PosBottom), std::pair(5, 5));
  EXPECT_EQ(Neighbour(PosLeft), std::pair(4, 4));
  EXPECT_EQ(Neighbour(PosRight), std::pair(6, 4));
  EXPECT_EQ(Neighbour(PosNone), std::pair(5, 4));
  EXPECT_EQ(Neighbour(PosTopLeft), std::pair(5, 4));

  Form->MapPos = {5, 4};
  EXPECT_TRUE(Sprite.OnScreen(5, 4));
  EXPECT_TRUE(Sprite.OnScreen(9, 7));
  EXPECT_FALSE(Sprite.OnScreen(4, 4));
  EXPECT_FALSE(Sprite.OnScreen(10, 7));
  EXPECT_FALSE(Sprite.OnScreen(5, 8));
  EXPECT_FALSE(Sprite.OnScreen(5, 3));
}

TEST_F(Sprites, PresenceAndMotionQueries) {
  TSprite& Gold = At(2, 1, gcGold);
  EXPECT_TRUE(Gold.IsVisible(gcGold, -1, -1)) << "(-1, -1) is the own cell";
  EXPECT_TRUE(Gold.IsVisible(gcScorpion, 1, 1));
  EXPECT_FALSE(Gold.IsVisible(gcScorpion, 3, 1));
  EXPECT_FALSE(Gold.IsVisible(gcScorpion, -1, 1)) << "outside the map";
  EXPECT_FALSE(Gold.IsVisible(gcScorpion, 10, 1));

  EXPECT_FALSE(Gold.IsMoving(gcScorpion, 1, 1));
  Scorpion().SpriteDir = PosLeft;
  EXPECT_TRUE(Gold.IsMoving(gcScorpion, 1, 1));
  EXPECT_TRUE(Gold.IsVisible(gcScorpion, PosLeft, 1, 1));
  EXPECT_FALSE(Gold.IsVisible(gcScorpion, PosRight, 1, 1));
  EXPECT_FALSE(Gold.IsMoving(gcScorpion, 20, 20));

  // A moving object that is absent still counts as moving, never as present.
  At(3, 1, gcScorpion).SpriteDir = PosTop;
  EXPECT_TRUE(Gold.IsMoving(gcScorpion, 3, 1));
  EXPECT_FALSE(Gold.IsVisible(gcScorpion, PosTop, 3, 1));
}

TEST_F(Sprites, PickUpTakesAPresentFigureOnce) {
  TSprite& Gold = At(2, 1, gcGold);
  EXPECT_TRUE(Gold.CheckPickUp());
  EXPECT_FALSE(Gold.SpriteVisible);
  EXPECT_FALSE(Gold.CheckPickUp());
}

TEST_F(Sprites, StepsAreBlockedByTheMapEdgeAndByTheSameKind) {
  TSprite& Sprite = Scorpion();
  EXPECT_FALSE(Sprite.IsWall(0, 1));
  EXPECT_TRUE(Sprite.IsWall(-1, 1));
  EXPECT_TRUE(Sprite.IsWall(1, 8));
  EXPECT_TRUE(Sprite.CanMove(0, 1, false));
  EXPECT_FALSE(Sprite.CanMove(-1, 1, false));
  EXPECT_TRUE(Sprite.CanMove(-1, 1, true)) << "a forced step may leave the map";
  EXPECT_TRUE(Sprite.CanMove(2, 1, false)) << "gold is another kind";
  At(1, 2, gcScorpion).SpriteVisible = true;
  EXPECT_FALSE(Sprite.CanMove(1, 2, false));
  EXPECT_FALSE(Sprite.CanMove(1, 2, true));
  EXPECT_FALSE(Sprite.Kill());
}

TEST_F(Sprites, ForcedStepOffTheMapMakesTheFigureDisappear) {
  TSprite& Edge = At(0, 1, gcScorpion);
  Edge.SpriteVisible = true;
  EXPECT_TRUE(Edge.Move(PosLeft, true));
  EXPECT_FALSE(Edge.SpriteVisible);
  for (int x = 0; x < 10; ++x) {
    for (int y = 0; y < 8; ++y) {
      if (x != 1 || y != 1) {
        EXPECT_FALSE(At(x, y, gcScorpion).SpriteVisible) << x << ", " << y;
      }
    }
  }
}

TEST_F(Sprites, HandOverCopiesTheMovingStateOnly) {
  TSprite& From = Scorpion();
  From.SpriteDir = PosRight;
  From.OrgDir = PosLeft;
  From.SaveDir = PosTop;
  From.SpeedTime = 111;
  From.StartTime = 222;
  From.WaitTime = 333;
  From.MoveTime = 444;
  From.MoveDelay = 555;
  From.JumpTime = 666;
  From.Repeating = true;
  From.Awake = true;
  From.StartX = 1;
  From.StartY = 1;
  From.Double = false;
  From.LeftTopTrail = false;
  From.RightBottomTrail = false;
  From.EndPos = true;
  From.KillBlink = 50;
  From.KillDelay = 60;
  From.HP = 7;
  From.ScoreVal = 9;
  From.Temp = 3;

  TSprite& To = At(4, 6, gcScorpion);
  To.Temp = 2;
  To.KillTime = 1234;
  From.CopyTo(4, 6);

  EXPECT_TRUE(To.SpriteVisible);
  EXPECT_EQ(To.SpriteDir, PosRight);
  EXPECT_EQ(To.OrgDir, PosLeft);
  EXPECT_EQ(To.SpeedTime, 111);
  EXPECT_EQ(To.StartTime, 222);
  EXPECT_EQ(To.WaitTime, 333);
  EXPECT_EQ(To.MoveTime, 444);
  EXPECT_EQ(To.MoveDelay, 555);
  EXPECT_EQ(To.JumpTime, 666);
  EXPECT_TRUE(To.Repeating);
  EXPECT_TRUE(To.Awake);
  EXPECT_EQ(To.StartX, 1);
  EXPECT_EQ(To.StartY, 1);
  EXPECT_FALSE(To.Double);
  EXPECT_FALSE(To.LeftTopTrail);
  EXPECT_FALSE(To.RightBottomTrail);
  EXPECT_TRUE(To.Moved);
  EXPECT_EQ(To.Temp, 0);
  EXPECT_EQ(To.KillTime, -1);
  // Kept by the receiver.
  EXPECT_FALSE(To.EndPos);
  EXPECT_EQ(To.SaveDir, PosNone);
  EXPECT_EQ(To.KillBlink, 200);
  EXPECT_EQ(To.KillDelay, 1000);
  EXPECT_EQ(To.HP, 1);
  EXPECT_EQ(To.ScoreVal, 0);
  EXPECT_EQ(To.x, 4);
  EXPECT_EQ(To.y, 6);
  // The source is left to its caller.
  EXPECT_TRUE(From.SpriteVisible);
  EXPECT_EQ(From.Temp, 3);
}

TEST_F(Sprites, HandOverToAnOccupiedCellDoesNothingUnlessItsFigureIsTemporary) {
  TSprite& From = Scorpion();
  From.SpriteDir = PosBottom;
  TSprite& Occupied = At(1, 2, gcScorpion);
  Occupied.SpriteVisible = true;
  From.CopyTo(1, 2);
  EXPECT_EQ(Occupied.SpriteDir, PosNone);
  EXPECT_FALSE(Occupied.Moved);

  Occupied.Temp = 1;
  From.CopyTo(1, 2);
  EXPECT_EQ(Occupied.SpriteDir, PosBottom);
  EXPECT_EQ(Occupied.Temp, 0);

  auto PresentScorpions = [&] {
    int Count = 0;
    for (int x = 0; x < 10; ++x)
      for (int y = 0; y < 8; ++y) Count += At(x, y, gcScorpion).SpriteVisible ? 1 : 0;
    return Count;
  };
  const int Before = PresentScorpions();
  From.CopyTo(1, 8);  // outside the map: nothing
  From.CopyTo(-1, -1);
  EXPECT_EQ(PresentScorpions(), Before);
}

TEST_F(Sprites, HitThatIsNotFatalBlinksOnePeriodAndIgnoresASecondHit) {
  TSprite& Sprite = Scorpion();
  Sprite.HP = 2;
  Sprite.ScoreVal = 5;
  EXPECT_TRUE(Sprite.Hit(false));
  EXPECT_EQ(Sprite.HP, 1);
  EXPECT_EQ(Platform.SoundNames(), (std::vector<std::string>{"wvDeathEnemy"}));
  EXPECT_EQ(Form->Score, 0);
  const std::int64_t HitAt = Sprite.KillTime;
  EXPECT_NE(HitAt, -1);
  EXPECT_FALSE(Form->HeroDying());

  Platform.Clock = HitAt + 100;
  EXPECT_FALSE(ScorpionLit()) << "dark in the first blink period";
  EXPECT_FALSE(Sprite.Hit(false)) << "a second hit meanwhile has no effect";
  EXPECT_EQ(Sprite.HP, 1);
  EXPECT_EQ(Platform.Sounds.size(), 1U);

  Platform.Clock = HitAt + 199;
  EXPECT_FALSE(ScorpionLit());
  Platform.Clock = HitAt + 200;
  EXPECT_TRUE(ScorpionLit());
  EXPECT_EQ(Sprite.KillTime, -1) << "the blink of a hit ends after one period";
  Platform.Clock = HitAt + 500;
  EXPECT_TRUE(ScorpionLit());
  EXPECT_TRUE(Sprite.SpriteVisible);

  // The next hit is the fatal one.
  EXPECT_TRUE(Sprite.Hit(false));
  EXPECT_EQ(Sprite.HP, 0);
  EXPECT_EQ(Form->Score, 5);
}

TEST_F(Sprites, FatalHitScoresAtOnceBlinksAndEndsAfterTheKillDelay) {
  TSprite& Sprite = Scorpion();
  Sprite.ScoreVal = 25;
  Sprite.Awake = true;
  Form->Score = 100;
  EXPECT_TRUE(Sprite.Hit(false));
  EXPECT_EQ(Sprite.HP, 0);
  EXPECT_EQ(Form->Score, 125) << "added at once, not counted up";
  EXPECT_EQ(Platform.SoundNames(), (std::vector<std::string>{"wvDeathEnemy"}));
  EXPECT_FALSE(Sprite.Awake);
  const std::int64_t DiedAt = Sprite.KillTime;
  ASSERT_NE(DiedAt, -1);

  for (auto [Offset, Shown] : std::vector<std::pair<int, bool>>{
           {0, false}, {199, false}, {200, true}, {399, true}, {400, false}, {650, true}}) {
    Platform.Clock = DiedAt + Offset;
    EXPECT_EQ(ScorpionLit(), Shown) << Offset << " ms after the hit";
  }
  Platform.Clock = DiedAt + 999;
  Form->CheckMovement();
  EXPECT_TRUE(Sprite.SpriteVisible);
  EXPECT_EQ(Form->Log.DeadCalls, 0);

  Platform.Clock = DiedAt + 1000;
  Form->CheckMovement();
  EXPECT_FALSE(Sprite.SpriteVisible);
  EXPECT_EQ(Sprite.KillTime, -1);
  EXPECT_EQ(Form->Log.DeadCalls, 1) << "in the same pass";
  Form->CheckMovement();
  EXPECT_EQ(Form->Log.DeadCalls, 1);
  EXPECT_EQ(Form->Score, 125);
}

TEST_F(Sprites, HitWithAllHitPointsIsFatal) {
  TSprite& Sprite = Scorpion();
  Sprite.HP = 3;
  EXPECT_TRUE(Sprite.Hit(true));
  EXPECT_EQ(Sprite.HP, 0);
  EXPECT_NE(Sprite.KillTime, -1);
  EXPECT_FALSE(Sprite.Die()) << "already dying";
  EXPECT_EQ(Platform.Sounds.size(), 1U);
}

TEST_F(Sprites, AbsentFiguresCannotBeHitOrDie) {
  TSprite& Empty = At(3, 3, gcScorpion);
  EXPECT_FALSE(Empty.Hit(false));
  EXPECT_FALSE(Empty.Die());
  EXPECT_EQ(Empty.HP, 1);
  EXPECT_EQ(Empty.KillTime, -1);
  EXPECT_TRUE(Platform.Sounds.empty());
}

TEST_F(Sprites, SideFigureOfAnyScreenDiesInTheMovementPass) {
  TSideSprite& Spider = Side(1, 1, scSpider1);  // not the shown screen
  Spider.SpriteVisible = true;
  Spider.ScoreVal = 3;
  EXPECT_TRUE(Spider.Die());
  EXPECT_EQ(Form->Score, 3);
  const std::int64_t DiedAt = Spider.KillTime;
  Platform.Clock = DiedAt + 999;
  Form->CheckMovement();
  EXPECT_TRUE(Spider.SpriteVisible);
  Platform.Clock = DiedAt + 1000;
  Form->CheckMovement();
  EXPECT_FALSE(Spider.SpriteVisible);
  EXPECT_EQ(Form->Log.SideDeadCalls, 1);
  EXPECT_EQ(Form->Log.DeadCalls, 0);
}
