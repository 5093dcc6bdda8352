// The hero on the game's device form: steps, jumps and falls, locks and keys, switches and
// their platforms, death and blinking.
#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

#include "map_fixture.h"

namespace karvan::maptest {
namespace {

class HeroFigureTest : public MapFigureTest {
 protected:
  // Ground under row 2 everywhere, the hero at (x, 2).
  void StartOnGround(int x, int ExtraCode = 0) {
    Grid.FloorUnder(2, 0, Grid.Width - 1);
    Grid(x, 2) |= cHero | ExtraCode;
    Start();
  }
  void Press(Word KeyCode) { Form->KeyDown(KeyCode, 0); }
  void Release(Word KeyCode) { Form->KeyUp(KeyCode, 0); }
};

TEST_F(HeroFigureTest, StepsStopAtWallsScrollTheViewAndNeverEnterTheLastColumn) {
  Grid(2, 2) = cV;
  Grid(3, 2) = cLV;  // a lock without its wall
  Grid(5, 2) = cV;
  StartOnGround(2);
  EXPECT_FALSE(Hero().Move(PosLeft, false));  // the cell's own left edge
  EXPECT_TRUE(Hero().Move(PosRight, false));
  EXPECT_TRUE(Hero().Move(PosRight, false));
  EXPECT_FALSE(Hero().Move(PosRight, false));  // the edge shared with the next cell
  EXPECT_EQ(HeroAt(), (TPoint{4, 2}));
  EXPECT_TRUE(Shown(4, 2, gcHero));
  EXPECT_FALSE(Shown(2, 2, gcHero) || Shown(3, 2, gcHero));
  EXPECT_EQ(Platform.Sounds, (std::vector<std::string>{"wvMove", "wvMove"}));

  At(5, 2, gcWallVert).SpriteVisible = false;
  ASSERT_TRUE(Hero().Move(PosRight, false));
  EXPECT_EQ(Form->MapPos.X, 5);
  for (int i = 0; i < 3; ++i) ASSERT_TRUE(Hero().Move(PosRight, false));
  EXPECT_FALSE(Hero().Move(PosRight, false));
  EXPECT_EQ(HeroAt(), (TPoint{8, 2}));
}

TEST_F(HeroFigureTest, AScorpionBarsTheWayUnlessTheHeroIsInvincible) {
  StartOnGround(3);
  At(3, 2, gcScorpion).SpriteVisible = true;  // in the hero's cell, to the hero's right
  EXPECT_FALSE(Hero().Move(PosRight, false));
  EXPECT_TRUE(Hero().Move(PosLeft, false));
  At(1, 2, gcScorpion).SpriteVisible = true;
  EXPECT_FALSE(Hero().Move(PosLeft, false));
  EXPECT_TRUE(Hero().Move(PosRight, false));  // into a scorpion's cell from its left
  Form->Invincible = true;
  EXPECT_TRUE(Hero().Move(PosRight, false));  // and past it with the amulet
  for (int i = 0; i < 3; ++i) EXPECT_TRUE(Hero().Move(PosLeft, false)) << i;
  EXPECT_EQ(HeroAt(), (TPoint{1, 2}));
}

TEST_F(HeroFigureTest, JumpAllowsOneSteeringStepAndComesDownAfter800ms) {
  StartOnGround(2);
  Platform.Clock = 1000;
  Press(VK_Z);
  Release(VK_Z);
  ASSERT_EQ(HeroAt(), (TPoint{2, 1}));
  const std::int64_t Jumped = Hero().JumpTime;
  EXPECT_TRUE(Hero().Move(PosRight, false));
  EXPECT_FALSE(Hero().Move(PosRight, false));  // the second waits for the landing
  EXPECT_EQ(HeroAt(), (TPoint{3, 1}));
  ASSERT_TRUE(RunUntil([&] { return HeroAt().Y == 2; }, 1000));
  EXPECT_NEAR(Now() - Jumped, 800, 15);
  EXPECT_EQ(HeroAt(), (TPoint{3, 2}));
  EXPECT_EQ(Hero().JumpTime, -1);
  EXPECT_TRUE(Hero().Move(PosRight, false));
}

TEST_F(HeroFigureTest, SteppingOffALedgeFallsOneCellEvery400ms) {
  Grid.FloorUnder(0, 0, 2);  // a ledge in row 0
  Grid.FloorUnder(2, 0, 8);
  Grid(2, 0) = cHero;
  Start();
  ASSERT_TRUE(Hero().Move(PosRight, false));
  for (int Row = 1; Row <= 2; ++Row) {
    const std::int64_t Since = Now();
    ASSERT_TRUE(RunUntil([&] { return HeroAt().Y == Row; }, 1000));
    EXPECT_NEAR(Now() - Since, 400, 15) << Row;
  }
  RunFor(1000);
  EXPECT_EQ(HeroAt(), (TPoint{3, 2}));
  EXPECT_EQ(Form->Lives, 3);
}

TEST_F(HeroFigureTest, FallIntoTheLastRowKillsAndTheHeroReturnsTwoSecondsLater) {
  Grid(2, 1) = cHero;  // no floor in column 2 down to the last row
  Start();
  ASSERT_TRUE(RunUntil([&] { return Form->HeroDying(); }, 2000));
  EXPECT_EQ(HeroAt(), (TPoint{2, 2}));  // one fall step, then death instead of the last row
  EXPECT_EQ(Form->Lives, 2);
  EXPECT_EQ(Count("wvDeath"), 1);
  EXPECT_FALSE(Hero().Die());  // already dying
  EXPECT_EQ(Form->Lives, 2);

  const std::int64_t Died = Hero().KillTime;
  Platform.Clock = Died + 100;
  EXPECT_TRUE(Hero().DoBlink());
  Platform.Clock = Died + 300;
  EXPECT_FALSE(Hero().DoBlink());
  Platform.Clock = Died + 1900;
  Pass();
  EXPECT_TRUE(Form->HeroDying());
  ASSERT_TRUE(RunUntil([&] { return !Form->HeroDying(); }, 500));
  EXPECT_NEAR(Now() - Died, 2000, 2);
  EXPECT_EQ(HeroAt(), (TPoint{2, 1}));
  EXPECT_TRUE(Shown(2, 1, gcHero));
  EXPECT_FALSE(Shown(2, 2, gcHero));
}

TEST_F(HeroFigureTest, InvincibleHeroBlinksIn400msPeriodsFromItsLastStep) {
  StartOnGround(2);
  Form->Invincible = true;
  ASSERT_TRUE(Hero().Move(PosRight, false));
  const std::int64_t Stepped = Hero().MoveTime;
  const std::pair<std::int64_t, bool> Expected[] = {{0, false},  {399, false}, {400, true},
                                                    {799, true}, {800, false}, {1200, true}};
  for (const auto& [Offset, Dark] : Expected) {
    Platform.Clock = Stepped + Offset;
    EXPECT_EQ(Hero().DoBlink(), Dark) << Offset;
  }
}

TEST_F(HeroFigureTest, AKeyOpensTheLockInTheWayAndTheNextStepPasses) {
  Grid(3, 2) = cV | cLV;
  StartOnGround(2);
  Form->Key = 1;
  // What the display holds during the pauses: (ms after the press, key shown, lock shown).
  std::vector<std::pair<std::int64_t, std::pair<bool, bool>>> Seen;
  const std::int64_t Pressed = Now();
  Platform.OnPump = [&] {
    Seen.push_back({Now() - Pressed, {Shown(2, 2, gcKey), Shown(3, 2, gcLockVert)}});
  };
  EXPECT_FALSE(Hero().Move(PosRight, false));
  Platform.OnPump = nullptr;

  EXPECT_EQ(HeroAt(), (TPoint{2, 2}));
  EXPECT_EQ(Form->Key, 0);
  EXPECT_FALSE(Shown(3, 2, gcWallVert) || Shown(3, 2, gcLockVert) || Shown(2, 2, gcKey));
  EXPECT_EQ(Platform.Sounds, (std::vector<std::string>{"wvBonus"}));
  EXPECT_GE(Now() - Pressed, 400);
  int First = 0;
  int Second = 0;
  for (const auto& [Time, Figures] : Seen) {
    if (Time <= 200) {
      ++First;
      EXPECT_EQ(Figures, (std::pair{true, true})) << Time;
    } else if (Time > 215) {
      ++Second;
      EXPECT_EQ(Figures, (std::pair{false, false})) << Time;
    }
  }
  EXPECT_GT(First, 100);
  EXPECT_GT(Second, 100);
  EXPECT_TRUE(Hero().Move(PosRight, false));
}

// Keys keep arriving while a lock opens (its sound and pauses handle input): they must not
// open the same lock a second time with a key the hero does not have.
TEST_F(HeroFigureTest, KeysPressedWhileALockOpensUseNoSecondKey) {
  Grid(3, 2) = cV | cLV;
  Grid(4, 2) = cV | cLV;
  StartOnGround(2);
  RunFor(300);
  Form->Key = 1;
  int Presses = 0;
  Platform.OnPump = [&] {
    ++Presses;
    Press(VK_RIGHT);
    Release(VK_RIGHT);
  };
  Press(VK_RIGHT);
  Platform.OnPump = nullptr;
  Release(VK_RIGHT);
  EXPECT_GT(Presses, 100);
  EXPECT_EQ(Form->Key, 0);
  EXPECT_EQ(Count("wvBonus"), 1);
  EXPECT_FALSE(Shown(3, 2, gcLockVert));
  EXPECT_TRUE(Shown(4, 2, gcLockVert));
  EXPECT_EQ(HeroAt(), (TPoint{2, 2}));
}

// A key pressed during the death sound moves nobody: the hero is dead from the first moment,
// so the game still comes to its end after the last life.
TEST_F(HeroFigureTest, AKeyDuringTheDeathSoundDoesNotWalkTheDyingHeroAway) {
  StartOnGround(2);
  Form->Lives = 1;
  Platform.OnPump = [&] {
    Press(VK_RIGHT);
    Release(VK_RIGHT);
  };
  EXPECT_TRUE(Hero().Hit(true));
  Platform.OnPump = nullptr;
  EXPECT_EQ(HeroAt(), (TPoint{2, 2}));
  EXPECT_TRUE(Form->HeroDying());
  EXPECT_EQ(Form->Lives, 0);
  ASSERT_TRUE(RunUntil([&] { return Form->Quit; }, 6000));
  EXPECT_EQ(Form->Lives, 0);
}

TEST_F(HeroFigureTest, WithoutAKeyALockStaysShutSilently) {
  Grid(3, 2) = cV | cLV;
  StartOnGround(2);
  EXPECT_FALSE(Hero().Move(PosRight, false));
  EXPECT_FALSE(Hero().Unlock(PosRight));
  EXPECT_TRUE(Platform.Sounds.empty());
  EXPECT_EQ(Now(), 0);
  EXPECT_TRUE(Shown(3, 2, gcWallVert) && Shown(3, 2, gcLockVert));
}

TEST_F(HeroFigureTest, LocksAboveAndBelowOpenWithKeys) {
  Grid(2, 3) = cLH;            // the floor has a lock
  StartOnGround(2, cH | cLH);  // and so has the ceiling
  Form->Key = 2;
  EXPECT_FALSE(Hero().Move(PosTop, false));  // an upward step against the ceiling opens it
  EXPECT_FALSE(Shown(2, 2, gcWallHorz) || Shown(2, 2, gcLockHorz));
  EXPECT_EQ(Form->Key, 1);
  EXPECT_FALSE(Hero().Unlock(PosLeft));
  EXPECT_FALSE(Hero().Unlock(PosTop));
  EXPECT_FALSE(Hero().Fall());
  EXPECT_TRUE(Hero().Unlock(PosBottom));
  EXPECT_FALSE(Shown(2, 3, gcWallHorz));
  EXPECT_EQ(Form->Key, 0);
  EXPECT_TRUE(Hero().Fall());
}

TEST_F(HeroFigureTest, SwitchStartsStopsAndResumesEveryPlatformBoundToIt) {
  StartOnGround(1, cSwitchUp);
  Form->AddSwitch(1, 2, 3, 3, PosTop);
  Form->AddSwitch(1, 2, 4, 3, PosTop);
  EXPECT_TRUE(Shown(1, 2, gcSwitchBase));
  auto Rows = [&] {
    return std::vector<int>{RowFrom(3, 3, gcWallHorz), RowFrom(4, 3, gcWallHorz)};
  };
  Pass();
  EXPECT_EQ(Rows(), (std::vector<int>{-1, -1}));  // standing floor, not yet platforms

  ASSERT_TRUE(Hero().CheckSwitch());
  EXPECT_TRUE(Shown(1, 2, gcSwitchDown));
  EXPECT_FALSE(Shown(1, 2, gcSwitchUp));
  EXPECT_TRUE(Form->JumpKeyDown);
  Pass();  // the first step comes at once
  EXPECT_EQ(Rows(), (std::vector<int>{2, 2}));

  RunFor(100);
  ASSERT_TRUE(Hero().CheckSwitch());
  EXPECT_TRUE(Shown(1, 2, gcSwitchUp));
  EXPECT_FALSE(Shown(1, 2, gcSwitchDown));
  RunFor(4000);
  EXPECT_EQ(Rows(), (std::vector<int>{2, 2}));  // stopped where they were

  ASSERT_TRUE(Hero().CheckSwitch());
  Pass();
  EXPECT_EQ(Rows(), (std::vector<int>{1, 1}));  // resumed from there

  // Starting a running platform again (another switch bound to it) leaves it running.
  EXPECT_FALSE(Form->AddMovingObject(3, gcWallHorz, PosTop, 1500, 0, 0, true, 3));
  RunFor(1600);
  EXPECT_EQ(Rows(), (std::vector<int>{2, 2}));  // turned below row 0 and came down
}

TEST_F(HeroFigureTest, RightArrowFlipsASwitchOnceAndWalksWhileHeld) {
  StartOnGround(1, cSwitchUp);
  Platform.Clock = 1000;
  Press(VK_RIGHT);
  EXPECT_EQ(HeroAt(), (TPoint{1, 2}));
  EXPECT_TRUE(Shown(1, 2, gcSwitchDown));
  Platform.Clock += 300;
  Press(VK_RIGHT);  // still held: a step, no second flip
  EXPECT_EQ(HeroAt(), (TPoint{2, 2}));
  EXPECT_TRUE(Shown(1, 2, gcSwitchDown));
  Release(VK_RIGHT);
  EXPECT_FALSE(Form->JumpKeyDown);
  EXPECT_FALSE(Hero().CheckSwitch());  // no switch here
  EXPECT_FALSE(Form->JumpKeyDown);
  Platform.Clock += 300;
  Press(VK_LEFT);
  Platform.Clock += 300;
  Press(VK_RIGHT);  // a new press on the switch flips it back
  EXPECT_EQ(HeroAt(), (TPoint{1, 2}));
  EXPECT_TRUE(Shown(1, 2, gcSwitchUp));
}

TEST_F(HeroFigureTest, CellsOutsideTheMapHoldNothingToOpenOrMove) {
  Grid(8, 3) = cHero | cSwitchUp;  // a level may put the hero in the last row
  Start();
  Form->Key = 5;
  EXPECT_FALSE(Hero().Unlock(PosBottom));
  EXPECT_FALSE(Hero().Move(PosBottom, false));
  EXPECT_FALSE(Hero().Move(PosBottom, true));  // not even when carried
  EXPECT_TRUE(Shown(8, 3, gcHero));
  EXPECT_EQ(Form->Key, 5);
  Form->AddSwitch(8, 3, 12, 1, PosTop);
  Form->AddSwitch(8, 3, 3, -4, PosTop);
  EXPECT_TRUE(Hero().CheckSwitch());
  Form->AddPlatform(-1, 2, gcWallHorz, PosTop, false);
  EXPECT_FALSE(Form->AddMovingObject(10, gcWallHorz, PosTop, 1500, 0, 0, true, 0));
  EXPECT_FALSE(Form->AddMovingObject(2, gcWallHorz, PosTop, 1500, 0, 0, false, 4));
  RunFor(1000);  // the hero keeps trying to fall out of the map
  EXPECT_EQ(HeroAt(), (TPoint{8, 3}));
  EXPECT_EQ(Form->Lives, 3);
  for (const auto& Column : Form->Map)
    for (TCellRec& Cell : Column) EXPECT_EQ(Cell.Sprites[gcWallHorz]->SpriteDir, PosNone);

  Grid = TGrid(10, 4);
  Grid(9, 1) = cHero;  // or in the last column
  Grid(9, 2) = cH;
  Start();
  Form->Key = 1;
  EXPECT_FALSE(Hero().Unlock(PosRight));
  EXPECT_FALSE(Hero().Move(PosRight, false));
  EXPECT_EQ(Form->Key, 1);
}

}  // namespace
}  // namespace karvan::maptest
