// The level grid keeps its cells screen by screen and makes a screen when first asked for.
#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

#include "engine/cell_rec.h"
#include "engine_fixture.h"

namespace karvan::test {
namespace {

using LazyGrid = EngineTest;

// A level of Columns x Rows cells with the hero at the top left and nothing else.
std::vector<std::string> EmptyRows(int Columns, int Rows) {
  std::vector<std::string> Result;
  for (int y = 0; y < Rows; ++y) {
    std::string Row;
    for (int x = 0; x < Columns; ++x) Row += (x == 0 && y == 0 ? "16" : "0") + std::string(",");
    Result.push_back(Row);
  }
  return Result;
}

TEST_F(LazyGrid, ScreensNothingNamesAreNotMadeUntilAskedFor) {
  LoadRows(EmptyRows(15, 8));
  ASSERT_EQ(Form->Map.size(), 15U);
  ASSERT_EQ(Form->Map.RowCount(), 8U);
  // The hero's screen was made to hold him; the other five screens were not.
  EXPECT_NE(Form->Map.Made(0, 0), nullptr);
  EXPECT_NE(Form->Map.Made(4, 3), nullptr);
  EXPECT_EQ(Form->Map.Made(5, 0), nullptr);
  EXPECT_EQ(Form->Map.Made(14, 7), nullptr);
  // Outside the map nothing is made, and nothing is answered.
  EXPECT_EQ(Form->Map.Made(15, 0), nullptr);
  EXPECT_EQ(Form->Map.Made(0, 8), nullptr);

  // Asking for a cell makes its whole screen, every figure absent and at its own place.
  TCellRec& Cell = Form->Map[12][6];
  EXPECT_EQ(Form->Map.Made(12, 6), &Cell);
  EXPECT_NE(Form->Map.Made(10, 4), nullptr);
  EXPECT_EQ(Form->Map.Made(9, 4), nullptr);
  const TSprite& Wall = *Cell.Sprites[gcWallVert];
  EXPECT_FALSE(Wall.SpriteVisible);
  EXPECT_EQ(Wall.x, 12);
  EXPECT_EQ(Wall.y, 6);

  int Made = 0;
  Form->Map.ForEachMade([&Made](TCellRec&) { ++Made; });
  EXPECT_EQ(Made, 40);  // two screens of twenty cells
}

TEST_F(LazyGrid, CellsKeepTheirPlaceAndFiguresWhileTheMapGrows) {
  TLevel& Level = LoadRows(EmptyRows(5, 4));
  TSprite* Hero = Form->Map[0][0].Sprites.Made(gcHero);
  ASSERT_NE(Hero, nullptr);
  const TCellRec* Corner = &Form->Map[4][3];
  // Rows far beyond the room laid out, then a longer row that adds columns.
  for (int y = 0; y < 40; ++y) Level.AddRow("0,0,0,0,0");
  Level.AddRow("0,0,0,0,0,0,0,0,0,0,0,64");
  EXPECT_EQ(Form->Map.size(), 12U);
  EXPECT_EQ(Form->Map.RowCount(), 45U);
  for (const auto& Column : Form->Map) EXPECT_EQ(Column.size(), 45U);
  EXPECT_EQ(Form->Map[0][0].Sprites.Made(gcHero), Hero);
  EXPECT_EQ(&Form->Map[4][3], Corner);
  EXPECT_TRUE(Form->Map[11][44].Sprites.Visible(gcGold));
  // The cells the longer row added above itself exist, with nothing in them.
  EXPECT_FALSE(Form->Map[11][0].Sprites[gcGold]->SpriteVisible);
  EXPECT_EQ(Form->Map[11][0].Sprites[gcGold]->x, 11);
  // One side scene per whole screen: two across, eleven down.
  EXPECT_EQ(Form->SideArr.size(), 2U);
  EXPECT_EQ(Form->SideArr.RowCount(), 11U);
  EXPECT_EQ(Side(1, 10, scSpiderBig).x, 1);
  EXPECT_EQ(Side(1, 10, scSpiderBig).y, 10);
}

TEST_F(LazyGrid, AGridMovedAwayIsEmptyAndItsCellsMakeNothingMore) {
  LoadRows(EmptyRows(10, 4));
  TMap Moved = std::move(Form->Map);
  EXPECT_TRUE(Form->Map.empty());
  EXPECT_EQ(Form->Map.RowCount(), 0U);
  ASSERT_EQ(Moved.size(), 10U);
  ASSERT_NE(Moved.Made(0, 0), nullptr);
  EXPECT_TRUE(Moved.Made(0, 0)->Sprites.Visible(gcHero));
  // The form no longer holds these cells: a figure asked of them is not made.
  EXPECT_FALSE(Moved[7][2].Sprites[gcGold]);
  Moved.ForEachMade([](TCellRec& Cell) { Cell.Sprites.Clear(); });
}

}  // namespace
}  // namespace karvan::test
