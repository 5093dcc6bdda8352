// Moving objects: figures that step on their timers once they have been shown, hand their
// state from cell to cell, are refused, sent back or stopped, and stand still while the hero
// is dying.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "engine_fixture.h"

using namespace karvan;
using namespace karvan::test;

namespace {

class MovingObjects : public EngineTest {
 protected:
  void SetUp() override {
    LoadRows(BlankRows(10, 8));
    Platform.Clock = 10000;
  }

  TSprite& Scorpion(int x, int y) { return At(x, y, gcScorpion); }

  // Columns of row y where a scorpion is present.
  std::vector<int> ScorpionsInRow(int y) {
    std::vector<int> Columns;
    for (int x = 0; x < 10; ++x)
      if (Scorpion(x, y).SpriteVisible) Columns.push_back(x);
    return Columns;
  }
  std::vector<int> ScorpionsInColumn(int x) {
    std::vector<int> Rows;
    for (int y = 0; y < 8; ++y)
      if (Scorpion(x, y).SpriteVisible) Rows.push_back(y);
    return Rows;
  }

  // One pass of the loop at the given time: a frame, then the movement check.
  void PassAt(std::int64_t Time) {
    Platform.Clock = Time;
    Frame();
    Form->CheckMovement();
  }

  void MakeMoving(int x, int y, TPos Dir, std::int64_t Speed, std::int64_t Wait, std::int64_t Start,
                  bool Repeating) {
    ASSERT_TRUE(Form->AddMovingObject(x, gcScorpion, Dir, Speed, Wait, Start, Repeating, y));
  }
};

}  // namespace

TEST_F(MovingObjects, AddMovingObjectMakesThePresentStartOfAMovingObject) {
  EXPECT_TRUE(Form->AddMovingObject(2, gcScorpion, PosRight, 300, 700, 150, true, 1));
  const TSprite& S = Scorpion(2, 1);
  EXPECT_TRUE(S.SpriteVisible);
  EXPECT_EQ(S.SpriteDir, PosRight);
  EXPECT_EQ(S.OrgDir, PosRight);
  EXPECT_EQ(S.SpeedTime, 300);
  EXPECT_EQ(S.MoveDelay, 300);
  EXPECT_EQ(S.WaitTime, 700);
  EXPECT_EQ(S.StartTime, 150);
  EXPECT_EQ(S.StartX, 2);
  EXPECT_EQ(S.StartY, 1);
  EXPECT_TRUE(S.Repeating);
  EXPECT_FALSE(S.Awake);
}

TEST_F(MovingObjects, RowMinusOneIsTheLastRowReadSoFar) {
  TLevel& Level = LoadRows({"0,0,0", "0,0,0"});
  EXPECT_TRUE(Form->AddMovingObject(1, gcGold, PosLeft, 100, 0, 0, false, -1));
  EXPECT_TRUE(At(1, 1, gcGold).SpriteVisible);
  EXPECT_EQ(At(1, 1, gcGold).StartY, 1);
  Level.AddRow("0,0,0");
  EXPECT_TRUE(Form->AddMovingObject(2, gcGold, PosLeft, 100, 0, 0, false, -1));
  EXPECT_TRUE(At(2, 2, gcGold).SpriteVisible);
  EXPECT_FALSE(At(2, 1, gcGold).SpriteVisible);
}

TEST_F(MovingObjects, CellCanStartOnlyOneRepeatingObject) {
  EXPECT_TRUE(Form->AddMovingObject(2, gcScorpion, PosRight, 300, 700, 150, true, 1));
  EXPECT_FALSE(Form->AddMovingObject(2, gcScorpion, PosLeft, 50, 50, 50, true, 1));
  EXPECT_EQ(Scorpion(2, 1).SpriteDir, PosRight);
  EXPECT_EQ(Scorpion(2, 1).SpeedTime, 300);
  // A non-repeating object may be set up again.
  EXPECT_TRUE(Form->AddMovingObject(2, gcScorpion, PosLeft, 50, 60, 70, false, 1));
  EXPECT_EQ(Scorpion(2, 1).SpriteDir, PosLeft);
  EXPECT_FALSE(Scorpion(2, 1).Repeating);
}

TEST_F(MovingObjects, NonRepeatingObjectTakesItsFirstStepAfterItsStartTime) {
  MakeMoving(2, 1, PosRight, 300, 0, 150, false);
  PassAt(10149);
  EXPECT_EQ(ScorpionsInRow(1), std::vector<int>{2});
  PassAt(10150);
  EXPECT_EQ(ScorpionsInRow(1), std::vector<int>{3});
}

TEST_F(MovingObjects, RepeatingObjectTakesItsFirstStepTwoStepTimesLater) {
  MakeMoving(2, 1, PosRight, 300, 0, 150, true);
  PassAt(10749);
  EXPECT_EQ(ScorpionsInRow(1), std::vector<int>{2});
  PassAt(10750);
  EXPECT_EQ(ScorpionsInRow(1), std::vector<int>{3});
}

TEST_F(MovingObjects, ShownObjectStepsOnceEveryStepTime) {
  MakeMoving(0, 2, PosRight, 200, 0, 0, false);
  PassAt(10000);
  EXPECT_EQ(ScorpionsInRow(2), std::vector<int>{1});
  PassAt(10199);
  EXPECT_EQ(ScorpionsInRow(2), std::vector<int>{1});
  PassAt(10200);
  EXPECT_EQ(ScorpionsInRow(2), std::vector<int>{2});
  // It keeps moving after it has left the shown window.
  for (std::int64_t t = 10400; t <= 11400; t += 200) PassAt(t);
  EXPECT_EQ(ScorpionsInRow(2), std::vector<int>{8});
  EXPECT_EQ(Scorpion(8, 2).StartX, 0);
  EXPECT_TRUE(Platform.Sounds.empty()) << "moving objects step silently";
}

TEST_F(MovingObjects, PresentObjectThatWasNeverShownDoesNotMove) {
  MakeMoving(7, 5, PosRight, 100, 0, 0, false);
  for (std::int64_t t = 10000; t <= 20000; t += 1000) PassAt(t);
  EXPECT_EQ(ScorpionsInRow(5), std::vector<int>{7}) << "outside the shown window";
  Form->MapPos = {5, 4};
  PassAt(20001);
  EXPECT_EQ(ScorpionsInRow(5), std::vector<int>{8});
}

TEST_F(MovingObjects, SecondObjectSteppingIntoTheSameCellInOnePassIsRefused) {
  MakeMoving(1, 1, PosRight, 100, 0, 0, false);
  MakeMoving(3, 1, PosLeft, 100, 0, 0, false);
  PassAt(10000);
  EXPECT_EQ(ScorpionsInRow(1), (std::vector<int>{2, 3}));
  EXPECT_EQ(Scorpion(2, 1).StartX, 1);
  EXPECT_EQ(Scorpion(3, 1).StartX, 3) << "the refused one waits at its start";
  EXPECT_EQ(Scorpion(3, 1).SpriteDir, PosLeft);
}

TEST_F(MovingObjects, ObjectSteppingIntoACellNotYetVisitedDoesNotStepAgainInThatPass) {
  // With no step time every pass allows a step.
  MakeMoving(1, 1, PosRight, 0, 0, 0, false);
  MakeMoving(6, 0, PosBottom, 0, 0, 0, false);
  Form->MapPos = {0, 0};
  Frame();
  Form->MapPos = {5, 0};
  Frame();
  Form->CheckMovement();
  EXPECT_EQ(ScorpionsInRow(1), (std::vector<int>{2, 6}));
  EXPECT_EQ(ScorpionsInColumn(6), std::vector<int>{1});
  Form->CheckMovement();
  EXPECT_EQ(ScorpionsInRow(1), std::vector<int>{3});
  EXPECT_EQ(ScorpionsInColumn(6), std::vector<int>{2});
}

TEST_F(MovingObjects, RefusedRepeatingObjectReappearsAtItsStartAndWaits) {
  MakeMoving(1, 1, PosRight, 100, 500, 0, true);
  Scorpion(3, 1).SpriteVisible = true;  // an idle one blocks the way
  PassAt(10200);
  EXPECT_EQ(ScorpionsInRow(1), (std::vector<int>{2, 3}));
  PassAt(10300);
  EXPECT_EQ(ScorpionsInRow(1), (std::vector<int>{1, 3})) << "back at the start";
  const TSprite& Back = Scorpion(1, 1);
  EXPECT_EQ(Back.SpriteDir, PosRight);
  EXPECT_FALSE(Back.Awake);

  PassAt(10799);
  EXPECT_EQ(ScorpionsInRow(1), (std::vector<int>{1, 3})) << "waits its wait time";
  PassAt(10800);
  EXPECT_EQ(ScorpionsInRow(1), (std::vector<int>{2, 3}));
}

TEST_F(MovingObjects, ObjectSentBackMovesOnlyAfterItIsShownAgain) {
  MakeMoving(6, 5, PosRight, 100, 300, 0, true);
  Form->MapPos = {5, 4};
  PassAt(10200);
  EXPECT_EQ(ScorpionsInRow(5), std::vector<int>{7});
  Form->MapPos = {0, 0};
  PassAt(10300);
  PassAt(10400);
  EXPECT_EQ(ScorpionsInRow(5), std::vector<int>{9});
  PassAt(10500);  // blocked by the map edge
  EXPECT_EQ(ScorpionsInRow(5), std::vector<int>{6});
  for (std::int64_t t = 11000; t <= 15000; t += 500) PassAt(t);
  EXPECT_EQ(ScorpionsInRow(5), std::vector<int>{6}) << "not shown since it was sent back";
  Form->MapPos = {5, 4};
  PassAt(15001);
  EXPECT_EQ(ScorpionsInRow(5), std::vector<int>{7});
}

TEST_F(MovingObjects, RefusedObjectThatDoesNotRepeatVanishes) {
  MakeMoving(1, 1, PosRight, 100, 500, 0, false);
  Scorpion(3, 1).SpriteVisible = true;
  PassAt(10000);
  EXPECT_EQ(ScorpionsInRow(1), (std::vector<int>{2, 3}));
  PassAt(10100);
  EXPECT_EQ(ScorpionsInRow(1), std::vector<int>{3});
}

TEST_F(MovingObjects, StoppedObjectKeepsItsCellThroughResets) {
  MakeMoving(1, 1, PosRight, 100, 0, 0, false);
  MakeMoving(1, 2, PosRight, 100, 0, 0, false);
  PassAt(10000);
  EXPECT_EQ(ScorpionsInRow(1), std::vector<int>{2});
  Form->StopMovingObject(1, 1);
  EXPECT_EQ(Scorpion(2, 1).SpriteDir, PosNone);
  EXPECT_EQ(Scorpion(2, 1).SaveDir, PosRight);
  EXPECT_EQ(Scorpion(2, 2).SpriteDir, PosRight) << "another start cell";
  for (std::int64_t t = 10100; t <= 10500; t += 100) PassAt(t);
  EXPECT_EQ(ScorpionsInRow(1), std::vector<int>{2});
  Form->ResetMovingObjects(true);
  EXPECT_EQ(ScorpionsInRow(1), std::vector<int>{2});
  EXPECT_TRUE(Scorpion(2, 1).SpriteVisible);
}

TEST_F(MovingObjects, ResetSendsEveryMovingObjectBackToItsStart) {
  MakeMoving(1, 1, PosRight, 100, 900, 400, true);
  MakeMoving(1, 3, PosRight, 100, 900, 400, false);
  MakeMoving(4, 2, PosLeft, 100, 900, 400, true);
  PassAt(10400);
  PassAt(10600);
  PassAt(10700);
  EXPECT_EQ(ScorpionsInRow(1), std::vector<int>{3});
  EXPECT_EQ(ScorpionsInRow(3), std::vector<int>{4});
  EXPECT_EQ(ScorpionsInRow(2), std::vector<int>{2});
  At(0, 0, gcGold).SpriteVisible = true;  // idle figures stay
  At(0, 1, gcKey).SpriteVisible = true;
  At(0, 1, gcKey).Temp = 1;  // a temporary figure goes
  Side(0, 0, scSnake1).SpriteVisible = true;
  Side(0, 0, scSnake1).Temp = 1;  // side scenes are left alone

  Platform.Clock = 11000;
  Form->ResetMovingObjects(true);
  EXPECT_EQ(ScorpionsInRow(1), std::vector<int>{1}) << "repeating: back at the start";
  EXPECT_EQ(ScorpionsInRow(3), std::vector<int>{}) << "not repeating: gone";
  EXPECT_EQ(ScorpionsInRow(2), std::vector<int>{4});
  EXPECT_TRUE(At(0, 0, gcGold).SpriteVisible);
  EXPECT_FALSE(At(0, 1, gcKey).SpriteVisible);
  EXPECT_TRUE(Side(0, 0, scSnake1).SpriteVisible);

  // The first step after the reset comes the start time later.
  PassAt(11399);
  EXPECT_EQ(ScorpionsInRow(1), std::vector<int>{1});
  EXPECT_EQ(ScorpionsInRow(2), std::vector<int>{4});
  PassAt(11400);
  EXPECT_EQ(ScorpionsInRow(1), std::vector<int>{2});
  EXPECT_EQ(ScorpionsInRow(2), std::vector<int>{3});
}

TEST_F(MovingObjects, AbsentObjectMarkedAtItsEndIsResetToo) {
  MakeMoving(1, 1, PosRight, 100, 0, 0, true);
  Scorpion(1, 1).CopyTo(4, 1);
  Scorpion(1, 1).SpriteVisible = false;
  TSprite& End = Scorpion(4, 1);
  End.SpriteVisible = false;
  End.EndPos = true;
  Form->ResetMovingObjects(true);
  EXPECT_FALSE(End.EndPos);
  EXPECT_EQ(ScorpionsInRow(1), std::vector<int>{1});
}

TEST_F(MovingObjects, NothingMovesWhileTheHeroIsDying) {
  MakeMoving(1, 1, PosRight, 100, 0, 0, false);
  Form->HeroPos = {0, 3};
  TSprite& Hero = At(0, 3, gcHero);
  Hero.SpriteVisible = true;
  Hero.HP = 0;  // a fatal blow: the dying hero blinks until its kill delay has passed
  Hero.KillTime = 9000;
  Hero.KillDelay = 100000;
  ASSERT_TRUE(Form->HeroDying());
  for (std::int64_t t = 10000; t <= 12000; t += 500) PassAt(t);
  EXPECT_EQ(ScorpionsInRow(1), std::vector<int>{1});
  EXPECT_FALSE(Scorpion(1, 1).Move(PosRight, false));
  EXPECT_EQ(ScorpionsInRow(1), std::vector<int>{1});

  Hero.KillTime = -1;
  PassAt(12001);
  EXPECT_EQ(ScorpionsInRow(1), std::vector<int>{2});
}

TEST_F(MovingObjects, AnObjectStoppedAndStartedAgainIsStillSentBack) {
  // A stopped object has no direction, so a screen change passes it by; given its direction
  // back it must be sent back again, and a figure a return lights ahead of the walk is reset
  // in the same screen change.
  MakeMoving(1, 1, PosRight, 100, 900, 400, true);
  PassAt(10400);
  PassAt(10600);
  PassAt(10700);
  ASSERT_EQ(ScorpionsInRow(1), std::vector<int>{3});
  Form->StopMovingObject(1, 1);
  ASSERT_EQ(Scorpion(3, 1).SpriteDir, PosNone);
  Form->ResetMovingObjects(true);
  EXPECT_EQ(ScorpionsInRow(1), std::vector<int>{3}) << "a stopped object stays";
  Scorpion(3, 1).SpriteDir = Scorpion(3, 1).SaveDir;
  Form->ResetMovingObjects(true);
  EXPECT_EQ(ScorpionsInRow(1), std::vector<int>{1}) << "started again, it goes back";
  EXPECT_EQ(Scorpion(1, 1).SpriteDir, PosRight);
  EXPECT_FALSE(Scorpion(1, 1).Awake);
  // The third screen change finds it at its start and leaves it there.
  Form->ResetMovingObjects(true);
  EXPECT_EQ(ScorpionsInRow(1), std::vector<int>{1});
}
