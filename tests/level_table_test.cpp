// Every built-in level against its fixed description: shape, start, gold, platforms, side
// scenes and the counts of keys, locks, scorpions and switches; and no level may hurt a hero who
// has not moved yet.
#include <gtest/gtest.h>

#include <ostream>
#include <set>
#include <string>
#include <tuple>
#include <vector>

#include "game/karvan_form.h"
#include "karvan_scene_fixture.h"
#include "levels/built_in_levels.h"
#include "levels/switch_rules.h"

using namespace karvan;

namespace {

struct TPlatformRow {
  TPoint Cell;
  TPos Dir;
};

struct TSideFigure {
  TPoint Screen;
  TSideCrystal Kind;
};

struct TLevelRow {
  int Nr;
  int Columns, Rows;
  int Gold;
  TPoint Start;
  int Keys, LocksVert, LocksHorz, Scorpions, Switches;
  std::vector<TPlatformRow> Platforms;
  std::vector<TSideFigure> Side;
};

void PrintTo(const TLevelRow& Row, std::ostream* Out) {
  *Out << "level " << Row.Nr;
}

const std::vector<TLevelRow>& Descriptions() {
  static const std::vector<TLevelRow> Table = {
      {1, 6, 6, 1, {0, 3}, 0, 0, 0, 0, 0, {}, {}},
      {2, 15, 5, 1, {0, 3}, 1, 1, 0, 1, 1, {{{2, 4}, PosTop}}, {}},
      {3, 6, 5, 1, {0, 0}, 0, 0, 0, 0, 2, {}, {}},
      {4, 6, 9, 1, {0, 0}, 0, 0, 0, 0, 0, {}, {}},
      {5, 6, 5, 1, {0, 3}, 0, 0, 0, 0, 3, {}, {}},
      {6, 6, 5, 0, {0, 3}, 1, 1, 0, 0, 0, {}, {{{0, 0}, scDiamondSnake}, {{0, 0}, scVerticalLine}}},
      {7,
       6,
       5,
       0,
       {4, 3},
       1,
       1,
       0,
       0,
       0,
       {},
       {{{0, 0}, scSpiderBig}, {{0, 0}, scExit}, {{0, 0}, scExitDoor}}},
      {8, 6, 5, 1, {0, 3}, 0, 0, 0, 0, 3, {}, {}},
      {9,
       11,
       13,
       4,
       {1, 0},
       5,
       4,
       1,
       5,
       2,
       {{{5, 3}, PosRight}, {{2, 6}, PosLeft}, {{1, 7}, PosRight}, {{1, 10}, PosRight}},
       {}},
      {10,
       6,
       17,
       5,
       {0, 15},
       3,
       3,
       0,
       6,
       0,
       {{{0, 7}, PosTop}, {{4, 7}, PosTop}, {{0, 9}, PosLeft}, {{4, 11}, PosLeft}},
       {}},
      {11, 16, 13, 5, {6, 3}, 0, 0, 0, 14, 5, {}, {{{0, 0}, scVase}, {{0, 0}, scAmulet}}},
      {12,
       16,
       13,
       4,
       {14, 11},
       2,
       1,
       1,
       2,
       4,
       {{{1, 5}, PosRight}, {{8, 6}, PosLeft}, {{1, 7}, PosRight}},
       {{{2, 1}, scVase}, {{2, 1}, scAnkh}}},
      {13,
       16,
       9,
       2,
       {0, 1},
       1,
       1,
       0,
       2,
       2,
       {},
       {{{0, 0}, scMap}, {{1, 1}, scVase}, {{1, 1}, scAmulet}}},
      {14,
       46,
       5,
       6,
       {0, 1},
       1,
       0,
       1,
       7,
       1,
       {{{12, 0}, PosBottom},
        {{14, 0}, PosBottom},
        {{1, 2}, PosRight},
        {{27, 2}, PosTop},
        {{11, 4}, PosTop},
        {{13, 4}, PosTop}},
       {}},
      {15, 26, 13, 2, {0, 11}, 2, 2, 0, 3, 2, {}, {}},
      {16,
       26,
       25,
       7,
       {17, 9},
       5,
       4,
       1,
       3,
       7,
       {},
       {{{0, 4}, scMap},
        {{0, 4}, scVase},
        {{0, 4}, scAnkh},
        {{4, 4}, scDiamondSnake},
        {{4, 4}, scVerticalLine}}},
      {17, 26, 13, 1, {0, 11}, 9, 9, 0, 0, 0, {}, {{{4, 1}, scMap}}},
      {18, 31, 5, 1, {0, 2}, 3, 2, 1, 2, 1, {}, {}},
      {19,
       15,
       13,
       1,
       {0, 11},
       1,
       3,
       0,
       0,
       0,
       {{{2, 12}, PosTop}},
       {{{1, 0}, scVase}, {{1, 1}, scVase}, {{1, 1}, scAnkh}, {{1, 2}, scVase}}},
      {20,
       25,
       13,
       12,
       {0, 0},
       5,
       4,
       1,
       56,
       0,
       {{{0, 4}, PosLeft}, {{7, 12}, PosTop}},
       {{{0, 1}, scVase}, {{0, 1}, scAmulet}, {{3, 2}, scVase}, {{3, 2}, scAnkh}}},
      {21, 35, 20, 18, {16, 3}, 9, 8, 0, 4, 1, {}, {}},
      {22, 100, 16, 9, {1, 4}, 1, 0, 1, 5, 1, {}, {}},
      {23, 100, 23, 19, {5, 4}, 3, 0, 3, 21, 3, {}, {}},
      {24,
       100,
       33,
       4,
       {7, 23},
       17,
       12,
       5,
       14,
       8,
       {},
       {{{4, 7}, scSpiderBig},
        {{4, 7}, scExit},
        {{0, 0}, scExitDoor},
        {{1, 4}, scAnkh},
        {{11, 6}, scVase},
        {{11, 6}, scAnkh},
        {{6, 2}, scMap}}},
  };
  return Table;
}

class LevelTable : public test::KarvanSceneTest, public ::testing::WithParamInterface<TLevelRow> {
 protected:
  void StartLevel(int Nr) {
    Platform.Clock = 10000;
    Form->Lives = Form->MaxLives;
    Form->Init(Nr);
  }
  int Count(TGridCrystal Kind) const {
    int Result = 0;
    for (const auto& Column : Form->Map)
      for (const TCellRec& Cell : Column) Result += Cell.Sprites[Kind]->SpriteVisible ? 1 : 0;
    return Result;
  }
  static bool Runs(const TSprite& Floor) {
    return Floor.SpriteVisible && Floor.SpriteDir != PosNone;
  }
  // Every lock cell also holds the wall that the lock opens.
  bool LocksHoldTheirWalls() const {
    for (const auto& Column : Form->Map)
      for (const TCellRec& Cell : Column) {
        if (Cell.Sprites[gcLockVert]->SpriteVisible && !Cell.Sprites[gcWallVert]->SpriteVisible)
          return false;
        if (Cell.Sprites[gcLockHorz]->SpriteVisible && !Cell.Sprites[gcWallHorz]->SpriteVisible)
          return false;
      }
    return true;
  }
};

std::string LevelName(const ::testing::TestParamInfo<TLevelRow>& Info) {
  return "Level" + std::to_string(Info.param.Nr);
}

}  // namespace

TEST_P(LevelTable, MatchesItsDescription) {
  const TLevelRow& Row = GetParam();
  StartLevel(Row.Nr);
  ASSERT_TRUE(Form->Level);
  ASSERT_EQ(Form->Level->Nr, Row.Nr) << "the level is not built";
  EXPECT_FALSE(Form->Restart);
  EXPECT_EQ(Form->Level->LevelVal, 15);

  ASSERT_EQ(static_cast<int>(Form->Map.size()), Row.Columns);
  EXPECT_EQ(static_cast<int>(Form->Map[0].size()), Row.Rows);
  EXPECT_EQ(static_cast<int>(Form->SideArr.size()), Row.Columns / 5);
  EXPECT_EQ(static_cast<int>(Form->SideArr[0].size()), Row.Rows / 4);

  EXPECT_EQ(Form->HeroPos, Row.Start);
  EXPECT_TRUE(Form->HeroSprite()->SpriteVisible);
  EXPECT_EQ(Count(gcHero), 1);
  EXPECT_EQ(Form->Level->CoinsLeft, Row.Gold);
  EXPECT_EQ(Count(gcGold), Row.Gold);

  EXPECT_EQ(Count(gcKey), Row.Keys);
  EXPECT_EQ(Count(gcLockVert), Row.LocksVert);
  EXPECT_EQ(Count(gcLockHorz), Row.LocksHorz);
  EXPECT_TRUE(LocksHoldTheirWalls());
  EXPECT_EQ(Count(gcScorpion), Row.Scorpions);
  EXPECT_EQ(Count(gcSwitchUp) + Count(gcSwitchDown), Row.Switches);
  // The switch rules name fixed cells: each of them must hold a switch.
  for (const TSwitchRule& Rule : SwitchRulesOf(Row.Nr)) {
    const TCellRec& Cell = Form->Map[Rule.Switch.X][Rule.Switch.Y];
    EXPECT_TRUE(Cell.Sprites[gcSwitchUp]->SpriteVisible ||
                Cell.Sprites[gcSwitchDown]->SpriteVisible)
        << "no switch at (" << Rule.Switch.X << ", " << Rule.Switch.Y << ")";
  }

  // The platforms the level starts itself, and no other moving floor.
  int Moving = 0;
  for (const auto& Column : Form->Map)
    for (const TCellRec& Cell : Column) Moving += Runs(*Cell.Sprites[gcWallHorz]) ? 1 : 0;
  EXPECT_EQ(Moving, static_cast<int>(Row.Platforms.size()));
  for (const TPlatformRow& Platform : Row.Platforms) {
    SCOPED_TRACE("platform (" + std::to_string(Platform.Cell.X) + ", " +
                 std::to_string(Platform.Cell.Y) + ")");
    const TSprite& Floor = *Form->Map[Platform.Cell.X][Platform.Cell.Y].Sprites[gcWallHorz];
    EXPECT_TRUE(Runs(Floor));
    EXPECT_EQ(Floor.SpriteDir, Platform.Dir);
    EXPECT_TRUE(Floor.Repeating);
    EXPECT_EQ(Floor.SpeedTime, 1500);
    EXPECT_EQ(Floor.WaitTime, Row.Nr == 2 ? 1500 : 0);
    EXPECT_EQ(Floor.StartTime, Row.Nr == 2 ? 1500 : 0);
  }

  // The side scenes hold exactly the listed figures.
  std::set<std::tuple<int, int, int>> Expected;
  for (const TSideFigure& Figure : Row.Side)
    Expected.insert({Figure.Screen.X, Figure.Screen.Y, Figure.Kind});
  std::set<std::tuple<int, int, int>> Shown;
  for (int sx = 0; sx < static_cast<int>(Form->SideArr.size()); ++sx)
    for (int sy = 0; sy < static_cast<int>(Form->SideArr[sx].size()); ++sy)
      for (int Kind = 0; Kind < SideCrystalCount; ++Kind)
        if (Form->SideArr[sx][sy].Sprites[Kind]->SpriteVisible) Shown.insert({sx, sy, Kind});
  EXPECT_EQ(Shown, Expected);
  for (const TSideFigure& Figure : Row.Side) {
    if (Figure.Kind == scSpiderBig) {
      EXPECT_EQ(Form->SideArr[Figure.Screen.X][Figure.Screen.Y].Sprites[scSpiderBig]->SpriteDir,
                PosBottom);
    }
  }

  EXPECT_EQ(Form->HasMap, Row.Nr == 24);
  EXPECT_FALSE(Form->MapMode);
  EXPECT_EQ(Form->Key, 0);
  if (Row.Nr == 23) {
    ASSERT_EQ(Form->SwitchArr.size(), 3u);
    const TSwitchRec Records[3] = {
        {{7, 8}, {5, 11}, PosRight}, {{22, 12}, {24, 15}, PosLeft}, {{7, 16}, {5, 19}, PosRight}};
    for (int i = 0; i < 3; ++i) {
      EXPECT_EQ(Form->SwitchArr[i].SwitchPos, Records[i].SwitchPos) << i;
      EXPECT_EQ(Form->SwitchArr[i].PlatformPos, Records[i].PlatformPos) << i;
      EXPECT_EQ(Form->SwitchArr[i].Dir, Records[i].Dir) << i;
    }
  } else {
    EXPECT_TRUE(Form->SwitchArr.empty());
  }
}

// A player who has not touched a key yet is safe for five seconds: nothing stings the hero at
// his start cell, no moving floor carries or crushes him, and no life is lost.
TEST_P(LevelTable, NothingHurtsTheHeroStandingStillForFiveSeconds) {
  const TLevelRow& Row = GetParam();
  StartLevel(Row.Nr);
  ASSERT_TRUE(Form->Level);
  ASSERT_EQ(Form->Level->Nr, Row.Nr) << "the level is not built";
  const std::int64_t End = Platform.Clock + 5000;
  while (Platform.Clock < End) {
    Pass();
    ASSERT_FALSE(Form->HeroDying()) << "at " << Platform.Clock - (End - 5000) << " ms";
    ASSERT_EQ(Form->Lives, Form->MaxLives);
    ASSERT_EQ(Form->HeroPos, Row.Start) << "at " << Platform.Clock - (End - 5000) << " ms";
    ASSERT_FALSE(Form->Restart);
  }
}

INSTANTIATE_TEST_SUITE_P(BuiltInLevels, LevelTable, ::testing::ValuesIn(Descriptions()), LevelName);
