// The side scenes of a screen: the vase and its contents, the map, the stones, the snake
// guarding the diamond and the spider, driven through the form's scene steps, keys and loop.
#include <gtest/gtest.h>

#include <cstdint>
#include <set>
#include <string>
#include <vector>

#include "karvan_scene_fixture.h"

using namespace karvan;
using namespace karvan::test;

namespace {

class VaseScene : public KarvanSceneTest {
 protected:
  // The hero stands at the vase scene's entrance, at the screen's bottom right.
  void StartWith(TSideCrystal Content) { Start({SceneRows(4, 3), {scVase, Content}}); }
  bool Push() {
    const bool Taken = Form->CheckSideArr(PosRight);
    Form->KeyUp(VK_RIGHT, 0);
    return Taken;
  }
};

TEST_F(VaseScene, ThreePushesBreakTheVaseAndTheFourthTakesTheAnkh) {
  StartWith(scAnkh);
  ASSERT_EQ(Form->HeroPos, (TPoint{4, 3}));
  Pass();
  EXPECT_TRUE(Lit(scVase));
  EXPECT_FALSE(Lit(scAnkh)) << "the contents are not drawn while the vase stands";

  ASSERT_TRUE(Push());
  EXPECT_TRUE(Shown(scVase));
  EXPECT_TRUE(Shown(scVaseCrackLeft));
  EXPECT_FALSE(Shown(scVaseCrackRight));
  ASSERT_TRUE(Push());
  EXPECT_TRUE(Shown(scVase));
  EXPECT_TRUE(Shown(scVaseCrackRight));
  Pass();
  EXPECT_FALSE(Lit(scAnkh));

  ASSERT_TRUE(Push());
  EXPECT_FALSE(Shown(scVase));
  EXPECT_FALSE(Shown(scVaseCrackLeft));
  EXPECT_FALSE(Shown(scVaseCrackRight));
  EXPECT_TRUE(Shown(scAnkh)) << "the breaking push does not yet take the contents";
  EXPECT_EQ(Form->Lives, 3);
  EXPECT_EQ(Sounds("wvBonus"), 3);
  Pass();
  EXPECT_TRUE(Lit(scAnkh));

  ASSERT_TRUE(Push());
  EXPECT_FALSE(Shown(scAnkh));
  EXPECT_EQ(Form->Lives, 4) << "a life beyond the starting number";
  EXPECT_EQ(Sounds("wvCoin"), 1);
  EXPECT_EQ(Form->HeroPos, (TPoint{4, 3})) << "pushes into the scene never move the hero";
}

TEST_F(VaseScene, AmuletMakesTheHeroInvincibleAfterOneDarkBlink) {
  StartWith(scAmulet);
  for (int i = 0; i < 3; ++i) ASSERT_TRUE(Push());
  EXPECT_FALSE(Form->Invincible);
  ASSERT_TRUE(Push());
  EXPECT_FALSE(Shown(scAmulet));
  EXPECT_TRUE(Form->Invincible);
  EXPECT_EQ(Sounds("wvCoin"), 1);
  EXPECT_EQ(Form->Lives, 3);
  EXPECT_FALSE(Form->HeroDying()) << "the blink of the amulet is no death";

  const int HeroCrystal = Form->GetCrystalIndex(4, 3, gcHero);
  Pass();
  EXPECT_FALSE(Form->CrystalArr[HeroCrystal].Visible) << "dark in the first blink period";
  RunFor(250);
  EXPECT_TRUE(Form->CrystalArr[HeroCrystal].Visible);
  EXPECT_EQ(Hero()->KillTime, -1);
  EXPECT_TRUE(Hero()->SpriteVisible);
}

class LeftScene : public KarvanSceneTest {
 protected:
  // The hero stands at the left scene's entrance, at the screen's left on row 1.
  void StartWith(std::vector<TSideCrystal> SideKinds, bool SpiderActs = false, int LevelNr = 5,
                 int LevelVal = 15) {
    Start({SceneRows(0, 1), std::move(SideKinds), SpiderActs, LevelVal}, LevelNr);
    Pass();
  }
  void Enter() { ASSERT_TRUE(Form->CheckSideArr(PosLeft)); }
  // Climbs up and throws a stone along the top; answers the clock of the throw.
  std::int64_t ClimbAndThrow() {
    Press(VK_Z);
    EXPECT_TRUE(Shown(scHeroTop));
    const std::int64_t Thrown = Platform.Clock;
    Press(VK_Z);
    EXPECT_TRUE(Shown(scStoneLeft));
    return Thrown;
  }
};

TEST_F(LeftScene, TheMapIsTakenOnlyByClimbingUp) {
  StartWith({scMap});
  Enter();
  EXPECT_TRUE(Shown(scHeroLeft));
  EXPECT_TRUE(Shown(scMap));
  EXPECT_FALSE(Form->HasMap) << "standing beside the maze takes nothing";

  const std::int64_t Climbed = Platform.Clock;
  Press(VK_Z);
  EXPECT_TRUE(Shown(scHeroTop));
  EXPECT_FALSE(Shown(scHeroLeft));
  EXPECT_FALSE(Shown(scMap));
  EXPECT_TRUE(Form->HasMap);
  EXPECT_EQ(Sounds("wvBonus"), 1);

  // The hero climbs down one step time later.
  std::vector<bool> Down;
  std::vector<std::int64_t> Times;
  Record([&] { return Shown(scHeroLeft); }, 2000, 2, Down, Times);
  ASSERT_EQ(Down.size(), 2U);
  EXPECT_EQ(Times[1] - Climbed, 800);
  EXPECT_FALSE(Shown(scHeroTop));
}

TEST_F(LeftScene, StonesMissWhileTheLegIsOutAndFiveHitsKillTheSpiderForTheExit) {
  StartWith({scSpiderBig, scSpiderLeg, scExit, scExitDoor}, false, 5, 7);
  Enter();
  const std::int64_t Thrown = ClimbAndThrow();
  ASSERT_TRUE(RunUntil([&] { return !Shown(scStoneLeft); }, 2000));
  EXPECT_GE(Platform.Clock - Thrown, 800) << "a stone is seen for one step time";
  EXPECT_EQ(Side(scSpiderBig).HP, 5) << "the leg shields the spider";
  EXPECT_EQ(Sounds("wvDeathEnemy"), 0);

  Side(scSpiderLeg).SpriteVisible = false;
  for (int Hit = 1; Hit <= 5; ++Hit) {
    ASSERT_TRUE(RunUntil([&] { return Shown(scHeroLeft); }, 2000)) << "hit " << Hit;
    ClimbAndThrow();
    ASSERT_TRUE(RunUntil([&] { return !Shown(scStoneLeft); }, 2000)) << "hit " << Hit;
    if (Hit < 5) {
      EXPECT_EQ(Side(scSpiderBig).HP, 5 - Hit);
      EXPECT_EQ(Sounds("wvDeathEnemy"), Hit);
      EXPECT_TRUE(Shown(scSpiderBig));
    }
  }
  // The exit animation has run inside the pass of the fatal stone.
  EXPECT_FALSE(Shown(scSpiderBig));
  EXPECT_FALSE(Form->Animation);
  EXPECT_EQ(Form->Score, 7) << "the level's bonus only: the spider pays nothing";
  EXPECT_FALSE(Shown(scExitDoor));
  EXPECT_TRUE(Shown(scExit));
  for (TSideCrystal Kind : {scHeroExit, scHatExit, scHeroTop, scHeroLeft, scSpider1, scSpider2})
    EXPECT_FALSE(Shown(Kind)) << SideCrystalNames[Kind];
  EXPECT_TRUE(Hero()->SpriteVisible) << "the hero walks on in the maze after the exit";
  EXPECT_FALSE(Form->Restart);
  EXPECT_EQ(Platform.Dialogs, 0);
}

TEST_F(LeftScene, TheSpiderOfTheLastLevelEndsTheGame) {
  StartWith({scSpiderBig}, false, 23, 0);
  Side(scSpiderBig).HP = 1;
  Enter();
  ClimbAndThrow();
  ASSERT_TRUE(RunUntil([&] { return !Shown(scSpiderBig); }, 2000));
  EXPECT_EQ(Platform.Dialogs, 1) << "the closing window";
  EXPECT_TRUE(Form->Restart);
}

// The states of a descent: leg, high spider, low spider.
struct TDescent {
  bool Leg, High, Low;
  friend bool operator==(const TDescent&, const TDescent&) = default;
};

TEST_F(LeftScene, SpidersComeDownInStagesOneStepTimeApart) {
  StartWith({scSpiderBig}, true);
  // From the end of the descent that may be under way.
  ASSERT_TRUE(RunUntil(
      [&] { return !Shown(scSpiderLeg) && !Shown(scSpider1) && !Shown(scSpider2); }, 4000));
  std::vector<TDescent> States;
  std::vector<std::int64_t> Times;
  Record(
      [&] {
        return TDescent{Shown(scSpiderLeg), Shown(scSpider1), Shown(scSpider2)};
      },
      60000, 16, States, Times);
  ASSERT_EQ(States.size(), 16U) << "three whole descents within a minute";
  const std::vector<TDescent> Cycle{{false, false, false},
                                    {true, false, false},
                                    {true, true, false},
                                    {false, true, false},
                                    {false, false, true}};
  for (std::size_t i = 0; i < States.size(); ++i) {
    EXPECT_EQ(States[i], Cycle[i % Cycle.size()]) << "stage " << i;
    if (i >= 2) {
      const std::int64_t Gap = Times[i] - Times[i - 1];
      // The leg comes out after a random pause; then a stage follows at every step time.
      if (i % Cycle.size() == 1) {
        EXPECT_EQ(Gap % 800, 0) << "stage " << i;
      } else {
        EXPECT_EQ(Gap, 800) << "stage " << i;
      }
    }
  }
  EXPECT_EQ(Side(scSpiderBig).HP, 5);
}

TEST_F(LeftScene, ASpiderDownBesideTheMazeBitesTheHero) {
  StartWith({scSpiderBig}, true);
  Enter();
  Show(scSpider2);
  ASSERT_TRUE(RunUntil([&] { return Sounds("wvDeath") > 0; }, 1000));
  EXPECT_TRUE(Form->HeroDying());
  const std::int64_t Bitten = Platform.Clock;
  ASSERT_TRUE(RunUntil([&] { return !Shown(scHeroLeft); }, 2000));
  EXPECT_GE(Platform.Clock - Bitten, 1000);
  EXPECT_FALSE(Form->HeroDying());
  EXPECT_EQ(Form->Lives, 3) << "a death in a side scene costs no life";
  EXPECT_TRUE(Hero()->SpriteVisible);
  EXPECT_EQ(Form->HeroPos, (TPoint{0, 1}));
}

TEST_F(LeftScene, AHighSpiderBitesTheClimbedUpHeroWhoDoesNotClimbDownAgain) {
  StartWith({scSpiderBig}, true);
  Enter();
  Pass();
  // Climb right after a spider step, so its next step comes before the hero climbs down.
  const std::int64_t LastStep = Side(scSpiderBig).MoveTime;
  ASSERT_TRUE(RunUntil([&] { return Side(scSpiderBig).MoveTime != LastStep; }, 1000));
  Pass();
  Side(scSpiderLeg).SpriteVisible = false;
  Side(scSpider2).SpriteVisible = false;
  Press(VK_Z);
  ASSERT_TRUE(Shown(scHeroTop));
  Show(scSpider1);
  ASSERT_TRUE(RunUntil([&] { return Sounds("wvDeath") > 0; }, 1000));
  ASSERT_TRUE(RunUntil([&] { return !Shown(scHeroTop); }, 2000));
  EXPECT_FALSE(Shown(scHeroLeft)) << "no figure of the hero is left in the scene";
  EXPECT_EQ(Form->Lives, 3);
  EXPECT_TRUE(Hero()->SpriteVisible);
  EXPECT_EQ(Hero()->KillTime, -1);
}

class PlatformScene : public KarvanSceneTest {
 protected:
  // The hero stands on the map at the platform scene's entrance and steps onto the platform.
  void StartOnPlatform() {
    Start({SceneRows(4, 1), {scVerticalLine, scDiamondSnake}});
    Pass();
    ASSERT_TRUE(Form->CheckSideArr(PosRight));
    ASSERT_TRUE(Shown(scHeroPlatform));
    ASSERT_EQ(Side(scDiamondSnake).SpriteDir, PosTop);
  }
  TSprite& Snake() { return Side(scDiamondSnake); }
};

TEST_F(PlatformScene, AStonePastTheSnakesHeadHarmsNothingAndVanishesAfterOneStepTime) {
  StartOnPlatform();
  Show(scSnake3);
  const std::int64_t Dropped = Platform.Clock;
  Press(VK_Z);
  EXPECT_TRUE(Shown(scStoneRight));
  EXPECT_EQ(Snake().HP, 5);
  EXPECT_FALSE(Shown(scStarStone));
  Pass();
  EXPECT_TRUE(Lit(scArmsDown)) << "the hero lowers his arms while the stone falls";
  std::vector<bool> Falling;
  std::vector<std::int64_t> Times;
  Record([&] { return Shown(scStoneRight); }, 2000, 2, Falling, Times);
  ASSERT_EQ(Falling.size(), 2U);
  EXPECT_EQ(Times[1] - Dropped, 800);
  EXPECT_EQ(Snake().HP, 5);
  EXPECT_EQ(Sounds("wvDeathEnemy"), 0);
}

TEST_F(PlatformScene, AHitStunsTheSnakeWhileTheFlashShows) {
  StartOnPlatform();
  Show(scSnake1);
  Press(VK_Z);
  EXPECT_EQ(Snake().HP, 4);
  EXPECT_TRUE(Shown(scStarStone));
  const std::int64_t Struck = Side(scStarStone).KillTime;
  EXPECT_GE(Sounds("wvDeathEnemy"), 1);
  Pass();
  EXPECT_TRUE(Lit(scDiamondSnake)) << "a hit does not darken the snake";
  EXPECT_FALSE(Lit(scStarStone)) << "the flash blinks, dark first";
  RunFor(450);
  EXPECT_TRUE(Lit(scStarStone));

  const int MovesBefore = Sounds("wvMove");
  std::vector<bool> Flash;
  std::vector<std::int64_t> Times;
  Record([&] { return Shown(scStarStone); }, 2000, 2, Flash, Times);
  ASSERT_EQ(Flash.size(), 2U);
  EXPECT_EQ(Times[1] - Struck, 1500);
  EXPECT_EQ(Sounds("wvMove"), MovesBefore) << "the snake stands still while stunned";
  EXPECT_FALSE(Shown(scSnake1));
  EXPECT_TRUE(Shown(scDiamondSnake));
  EXPECT_FALSE(Form->Animation);
  ASSERT_TRUE(RunUntil([&] { return !Shown(scStoneRight); }, 1000))
      << "the stone goes once the flash is gone";
  EXPECT_EQ(Form->Score, 0);
}

TEST_F(PlatformScene, TheRaisedSnakeBitesTheHeroWhoComesBackWithoutLosingALife) {
  StartOnPlatform();
  Form->Invincible = true;  // the amulet protects only on the map
  Show(scSnake2);
  ASSERT_TRUE(RunUntil([&] { return Sounds("wvDeath") > 0; }, 1000));
  const std::int64_t Bitten = Platform.Clock;
  ASSERT_TRUE(RunUntil([&] { return !Shown(scHeroPlatform); }, 2000));
  EXPECT_GE(Platform.Clock - Bitten, 1000);
  EXPECT_EQ(Form->Lives, 3);
  EXPECT_TRUE(Hero()->SpriteVisible);
  EXPECT_EQ(Form->HeroPos, (TPoint{4, 1}));
  Pass();
  EXPECT_FALSE(Shown(scArmsUp));
  EXPECT_FALSE(Shown(scArmsDown));
}

// Where the snake's head shows.
enum class THead { None, LowLeft, Raised, LowRight, Several };

TEST_F(PlatformScene, TheSnakesHeadPopsUpRisesDropsAndWithdraws) {
  StartOnPlatform();
  ASSERT_TRUE(Form->CheckSideArr(PosLeft)) << "back to the maze, out of the snake's reach";
  auto Head = [&] {
    const int Count = Shown(scSnake1) + Shown(scSnake2) + Shown(scSnake3);
    if (Count > 1) return THead::Several;
    if (Shown(scSnake1)) return THead::LowLeft;
    if (Shown(scSnake2)) return THead::Raised;
    return Shown(scSnake3) ? THead::LowRight : THead::None;
  };
  std::vector<THead> Heads;
  std::vector<std::int64_t> Times;
  Record(Head, 240000, 41, Heads, Times);
  ASSERT_EQ(Heads.size(), 41U);
  // The sides the head popped up at and dropped to.
  std::set<THead> PopSides;
  std::set<THead> DropSides;
  for (std::size_t i = 0; i < Heads.size(); ++i) {
    const THead H = Heads[i];
    // None, low at a random side, raised, low at a random side, none again.
    switch (i % 4) {
      case 0:
        EXPECT_EQ(H, THead::None) << "change " << i;
        break;
      case 2:
        EXPECT_EQ(H, THead::Raised) << "change " << i;
        break;
      default:
        EXPECT_TRUE(H == THead::LowLeft || H == THead::LowRight) << "change " << i;
        (i % 4 == 1 ? PopSides : DropSides).insert(H);
        break;
    }
    if (i >= 2) {
      const std::int64_t Gap = Times[i] - Times[i - 1];
      if (i % 4 == 1) {
        EXPECT_EQ(Gap % 800, 0) << "the head pops up after a random number of steps";
      } else {
        EXPECT_EQ(Gap, 800) << "change " << i;
      }
    }
  }
  EXPECT_EQ(PopSides.size(), 2U);
  EXPECT_EQ(DropSides.size(), 2U);
  EXPECT_EQ(Sounds("wvMove"), 40) << "every change of the head is heard";
  EXPECT_EQ(Snake().HP, 5);
}

TEST_F(PlatformScene, TheFifthHitEndsInTheDiamondAnimationAndTwentyPoints) {
  StartOnPlatform();
  bool HeroHiddenDuringToss = false;
  Platform.OnPump = [&] {
    if (Form->Animation && Shown(scDiamondHands) && !Hero()->SpriteVisible)
      HeroHiddenDuringToss = true;
  };
  Show(scSnake1);
  for (int Hit = 1; Hit <= 5; ++Hit) {
    Press(VK_Z);
    EXPECT_EQ(Snake().HP, 5 - Hit);
    RunFor(250);
  }
  EXPECT_TRUE(Shown(scDiamondSnake));
  EXPECT_EQ(Form->Score, 0);
  ASSERT_TRUE(RunUntil([&] { return !Shown(scDiamondSnake); }, 3000));
  EXPECT_FALSE(Form->Animation);
  EXPECT_EQ(Form->Score, 20);
  EXPECT_EQ(Sounds("wvScore"), 20);
  EXPECT_TRUE(HeroHiddenDuringToss);
  EXPECT_TRUE(Hero()->SpriteVisible);
  EXPECT_TRUE(Shown(scHeroPlatform));
  EXPECT_TRUE(Shown(scArmsDown));
  for (TSideCrystal Kind :
       {scSnake1, scSnake2, scSnake3, scSnakeStarLeft, scSnakeStarRight, scStoneRight,
        scHeroDiamond, scDiamondHands, scHandsUnderDiamond, scDiamond, scHands, scArmsUp})
    EXPECT_FALSE(Shown(Kind)) << SideCrystalNames[Kind];
  // The snake is gone for good: nothing bites the hero on the platform any more.
  RunFor(5000);
  EXPECT_EQ(Sounds("wvDeath"), 0);
  EXPECT_EQ(Form->Score, 20);
}

}  // namespace
