// The built-in levels 1 to 8 and the way the game goes from level to level: the factory,
// each level's shape and set-up, switch rules, completion and the end of the game.
#include <gtest/gtest.h>

#include <sstream>
#include <string>
#include <vector>

#include <nlohmann/json.hpp>

#include "engine/level.h"
#include "fake_platform.h"
#include "forms/level_select_form.h"
#include "game/karvan_form.h"
#include "levels/built_in_levels.h"
#include "levels/custom_level.h"
#include "levels/switch_rules.h"
#include "sim_run.h"

using namespace karvan;
using nlohmann::json;

namespace {

class Levels : public ::testing::Test {
 protected:
  test::FakePlatform Platform;
  PlatformScope Scope{Platform};
  std::unique_ptr<TKarvanForm> Form = MakeForm<TKarvanForm>();

  int Count(TGridCrystal Kind) const {
    int Result = 0;
    for (const auto& Column : Form->Map)
      for (const TCellRec& Cell : Column) Result += Cell.Sprites[Kind]->SpriteVisible ? 1 : 0;
    return Result;
  }
  bool SideVisible(int sx, int sy, TSideCrystal Kind) const {
    return Form->SideArr[sx][sy].Sprites[Kind]->SpriteVisible;
  }
};

using test::RunSim;

}  // namespace

TEST_F(Levels, EachOfTheFirstEightLevelsHasItsShapeStartAndSetUp) {
  struct TShape {
    int Columns, Rows, Gold;
    TPoint Start;
    int Switches, Keys, Scorpions;
  };
  const TShape Shapes[8] = {
      {6, 6, 1, {0, 3}, 0, 0, 0}, {15, 5, 1, {0, 3}, 1, 1, 1}, {6, 5, 1, {0, 0}, 2, 0, 0},
      {6, 9, 1, {0, 0}, 0, 0, 0}, {6, 5, 1, {0, 3}, 3, 0, 0},  {6, 5, 0, {0, 3}, 0, 1, 0},
      {6, 5, 0, {4, 3}, 0, 1, 0}, {6, 5, 1, {0, 3}, 3, 0, 0},
  };
  for (int Nr = 1; Nr <= 8; ++Nr) {
    SCOPED_TRACE("level " + std::to_string(Nr));
    const TShape& Shape = Shapes[Nr - 1];
    Form->Lives = 3;
    Form->Init(Nr);
    ASSERT_TRUE(Form->Level);
    EXPECT_EQ(Form->Level->Nr, Nr);
    EXPECT_EQ(Form->Level->LevelVal, 15);
    ASSERT_EQ(static_cast<int>(Form->Map.size()), Shape.Columns);
    EXPECT_EQ(static_cast<int>(Form->Map[0].size()), Shape.Rows);
    EXPECT_EQ(Form->Level->CoinsLeft, Shape.Gold);
    EXPECT_EQ(Count(gcGold), Shape.Gold);
    EXPECT_EQ(Form->HeroPos, Shape.Start);
    EXPECT_TRUE(Form->HeroSprite()->SpriteVisible);
    EXPECT_EQ(Count(gcHero), 1);
    EXPECT_EQ(Count(gcSwitchUp), Shape.Switches);
    EXPECT_EQ(Count(gcSwitchBase), Shape.Switches);
    EXPECT_EQ(Count(gcKey), Shape.Keys);
    EXPECT_EQ(Count(gcScorpion), Shape.Scorpions);
    EXPECT_FALSE(Form->Invincible);
    EXPECT_FALSE(Form->HasMap);
    EXPECT_EQ(Form->Key, 0);
    EXPECT_TRUE(Form->SwitchArr.empty());
  }
  // The side scenes of levels 6 and 7, and level 2's lift with its waits.
  Form->Init(6);
  EXPECT_TRUE(SideVisible(0, 0, scDiamondSnake));
  EXPECT_TRUE(SideVisible(0, 0, scVerticalLine));
  Form->Init(7);
  EXPECT_TRUE(SideVisible(0, 0, scSpiderBig));
  EXPECT_EQ(Form->SideArr[0][0].Sprites[scSpiderBig]->SpriteDir, PosBottom);
  EXPECT_TRUE(SideVisible(0, 0, scExit));
  EXPECT_TRUE(SideVisible(0, 0, scExitDoor));
  Form->Init(2);
  const TSprite& Lift = *Form->Map[2][4].Sprites[gcWallHorz];
  EXPECT_TRUE(Lift.SpriteVisible);
  EXPECT_EQ(Lift.SpriteDir, PosTop);
  EXPECT_TRUE(Lift.Repeating);
  EXPECT_EQ(Lift.WaitTime, 1500);
  EXPECT_EQ(Lift.StartTime, 1500);
  EXPECT_EQ(Lift.SpeedTime, 1500);
}

TEST_F(Levels, TheFactoryMapsLevelNumbersToClassesAndEndsTheGamePastTheLast) {
  Form->Init(1);
  EXPECT_NE(dynamic_cast<TLevel24*>(Form->Level.get()), nullptr);
  Form->Init(2);
  EXPECT_NE(dynamic_cast<TLevel1*>(Form->Level.get()), nullptr);
  Form->Init(8);
  EXPECT_NE(dynamic_cast<TLevel7*>(Form->Level.get()), nullptr);
  for (int Nr : {0, -5, 25}) {
    Form->Restart = false;
    Platform.Dialogs.clear();
    Form->Init(Nr);
    EXPECT_EQ(Platform.Dialogs, std::vector<TDialogKind>{TDialogKind::EndOfLevel}) << Nr;
    EXPECT_TRUE(Form->Restart) << Nr;
    ASSERT_NE(dynamic_cast<TLevel1*>(Form->Level.get()), nullptr) << Nr;
    EXPECT_EQ(Form->Level->Nr, 1);
  }
  // A custom level in the form is kept whatever number is asked for.
  Form->FreeLevel();
  Form->SetLevel(MakeLevel<TCustomLevel>(*Form, -1));
  const TLevel* Custom = Form->Level.get();
  Form->InitLevel(7);
  EXPECT_EQ(Form->Level.get(), Custom);
}

TEST_F(Levels, SwitchRulesStartOneSwitchsPlatformWhileStoppingAnother) {
  Form->Lives = 3;
  Form->Init(5);
  // The switch at (1, 1) starts the platform at (2, 4) and stops the one at (0, 3).
  Form->HeroPos = {1, 1};
  TSprite& Up = *Form->Map[1][1].Sprites[gcSwitchUp];
  TSprite& Down = *Form->Map[1][1].Sprites[gcSwitchDown];
  Up.SpriteVisible = false;
  Down.SpriteVisible = true;
  static_cast<TKarvanLevel&>(*Form->Level).CheckEvent();
  EXPECT_EQ(Form->Map[2][4].Sprites[gcWallHorz]->SpriteDir, PosTop);
  EXPECT_TRUE(Form->Map[2][4].Sprites[gcWallHorz]->SpriteVisible);
  EXPECT_EQ(Form->Map[0][3].Sprites[gcWallHorz]->SpriteDir, PosNone);
  // Back up: (2, 4) stops where it is and (0, 3) starts.
  Up.SpriteVisible = true;
  Down.SpriteVisible = false;
  static_cast<TKarvanLevel&>(*Form->Level).CheckEvent();
  EXPECT_EQ(Form->Map[2][4].Sprites[gcWallHorz]->SpriteDir, PosNone);
  EXPECT_EQ(Form->Map[2][4].Sprites[gcWallHorz]->SaveDir, PosTop);
  EXPECT_EQ(Form->Map[0][3].Sprites[gcWallHorz]->SpriteDir, PosTop);
}

TEST(SwitchRules, EveryLevelHasItsRulesInTheirOrder) {
  const int Expected[25] = {0, 0, 1, 2, 0, 5, 0, 0, 5, 2, 0, 5, 5,
                            2, 1, 2, 7, 0, 1, 0, 0, 1, 1, 0, 8};
  for (int Level = 0; Level <= 24; ++Level)
    EXPECT_EQ(static_cast<int>(SwitchRulesOf(Level).size()), Expected[Level]) << Level;
  const auto Five = SwitchRulesOf(5);
  EXPECT_EQ(Five[2].Switch, (TPoint{1, 1}));
  EXPECT_EQ(Five[2].Platform, (TPoint{0, 3}));
  EXPECT_TRUE(Five[2].Reverse);
  EXPECT_EQ(SwitchRulesOf(24).back().Platform, (TPoint{58, 24}));
  EXPECT_TRUE(SwitchRulesOf(25).empty());
}

TEST(LevelFlow, ClosingTheWindowIsTheQuitRequest) {
  test::FakePlatform Platform;
  PlatformScope Scope(Platform);
  auto Form = MakeForm<TKarvanForm>();
  Platform.OnShowModal = [](TDialogForm& Dialog) {
    if (Dialog.Kind == TDialogKind::LevelSelect)
      static_cast<TLevelSelectForm&>(Dialog).BitBtn1Click();
    return TModalResult::mrOk;
  };
  Platform.OnPump = [&] {
    if (Platform.Clock == 2000) Form->FormClose();
  };
  Form->Run();  // returns: the program ends with lives left
  EXPECT_EQ(Platform.Clock, 2000);
  EXPECT_TRUE(Form->Quit);
  ASSERT_TRUE(Form->Level);
  EXPECT_EQ(Form->Level->Nr, 1);
}

TEST(LevelFlow, FallingOntoTheLastGoldCompletesTheLevelInTheMiddleOfAPass) {
  // Level 4: step off the ledge into the shaft and steer right once after every fall step;
  // the hero lands on the gold, and the next level replaces the grid while the falling hero
  // is still on the call stack.
  const auto Lines = RunSim({"--level", "4", "--until", "9000", "--script",
                             std::string(KARVAN_TEST_DATA_DIR) + "/replays/fall_onto_gold.sim"});
  ASSERT_EQ(Lines.size(), 3u);
  const json& Landed = Lines[0];
  EXPECT_EQ(Landed["level"], 4);
  EXPECT_EQ(Landed["hero"], json::array({4, 7}));
  EXPECT_EQ(Landed["score"], 3);
  const json& Next = Lines[1];
  EXPECT_EQ(Next["level"], 5);
  EXPECT_EQ(Next["score"], 18);
  EXPECT_EQ(Next["lives"], 3);
  EXPECT_EQ(Next["hero"], json::array({0, 3}));
}

TEST(LevelFlow, CompletingTheLastLevelShowsTheClosingWindowAndRestarts) {
  test::FakePlatform Platform;
  PlatformScope Scope(Platform);
  auto Form = MakeForm<TKarvanForm>();
  Form->Lives = 3;
  // Level 24 is the last: its completion asks for a level 25, which does not exist.
  Form->Init(24);
  Form->Level->CoinsLeft = 0;
  Form->SideArr[4][7].Sprites[scSpiderBig]->SpriteVisible = false;
  Platform.Dialogs.clear();
  EXPECT_TRUE(Form->CheckExit());
  EXPECT_EQ(Platform.Dialogs, std::vector<TDialogKind>{TDialogKind::EndOfLevel});
  EXPECT_TRUE(Form->Restart);
  EXPECT_EQ(Form->Score, 15);
  // Once the game is ending, the completion is not counted twice.
  EXPECT_FALSE(Form->CheckExit());
  EXPECT_EQ(Form->Score, 15);
}

TEST(LevelFlow, ALevelWithASnakeOrSpiderLeftIsNotComplete) {
  test::FakePlatform Platform;
  PlatformScope Scope(Platform);
  auto Form = MakeForm<TKarvanForm>();
  Form->Lives = 3;
  Form->Init(6);
  EXPECT_EQ(Form->Level->CoinsLeft, 0);
  EXPECT_FALSE(Form->CheckExit());
  Form->SideArr[0][0].Sprites[scDiamondSnake]->SpriteVisible = false;
  const int Score = Form->Score;
  EXPECT_TRUE(Form->CheckExit());
  EXPECT_EQ(Form->Level->Nr, 7);
  EXPECT_EQ(Form->Score, Score + 15);
  EXPECT_FALSE(Form->CheckExit());  // the spider of level 7
}

TEST(LevelFlow, LosingTheLastLifeReturnsToTheLevelChoice) {
  // Level 4: walking off the ledge and falling straight down the shaft is deadly.
  const auto Lines = RunSim({"--level", "4", "--until", "30000", "--script",
                             std::string(KARVAN_TEST_DATA_DIR) + "/replays/three_deaths.sim"});
  ASSERT_GE(Lines.size(), 4u);
  EXPECT_EQ(Lines[0]["lives"], 2);
  EXPECT_EQ(Lines[1]["lives"], 1);
  // After the last life and the game-over pause a new game of the same level runs.
  bool GameOver = false;
  for (const json& Line : Lines)
    for (const auto& Sound : Line["sounds"]) GameOver = GameOver || Sound == "wvGameOver";
  EXPECT_TRUE(GameOver);
  EXPECT_EQ(Lines.back()["lives"], 3);
  EXPECT_EQ(Lines.back()["level"], 4);
  EXPECT_FALSE(Lines.back()["ended"]);
}
