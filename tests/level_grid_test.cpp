// The level grid: rows of cell codes read into map cells with one figure object per kind, the
// side scenes of whole screens, and the grid queries.
#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <tuple>
#include <utility>
#include <vector>

#include "engine/change_watch.h"
#include "engine/support.h"
#include "engine_fixture.h"

using namespace karvan;
using namespace karvan::test;

namespace {

class LevelGrid : public EngineTest {
 protected:
  // A level with no rows of its own; the test adds them.
  TLevel& EmptyLevel() { return LoadRows({}); }

  void ExpectCellComplete(int x, int y) {
    for (int Kind = 0; Kind < GridCrystalCount; ++Kind) {
      const auto& Sprite = Form->Map[x][y].Sprites[Kind];
      ASSERT_NE(Sprite, nullptr) << "cell (" << x << ", " << y << ") kind " << Kind;
      EXPECT_EQ(Sprite->x, x);
      EXPECT_EQ(Sprite->y, y);
      EXPECT_EQ(Sprite->SpriteNr, Kind);
    }
  }
  void ExpectSideComplete(int sx, int sy) {
    for (int Kind = 0; Kind < SideCrystalCount; ++Kind) {
      const auto& Sprite = Form->SideArr[sx][sy].Sprites[Kind];
      ASSERT_NE(Sprite, nullptr) << "side (" << sx << ", " << sy << ") kind " << Kind;
      EXPECT_EQ(Sprite->SideSpriteNr, Kind);
      EXPECT_EQ(Sprite->x, sx);
      EXPECT_EQ(Sprite->y, sy);
    }
  }
  std::size_t Rows() { return Form->Map.empty() ? 0 : Form->Map[0].size(); }
};

// Records the order in which the reader makes figures present.
class TRecordingLevel : public TLevel {
 public:
  using TLevel::TLevel;
  void ActivateSprite(int x, int y, TGridCrystal Sprite) override {
    Calls.emplace_back(x, y, Sprite);
    ObjectExisted.push_back(ParentForm.Map[x][y].Sprites.Made(Sprite) != nullptr);
    TLevel::ActivateSprite(x, y, Sprite);
  }
  std::vector<std::tuple<int, int, TGridCrystal>> Calls;
  std::vector<bool> ObjectExisted;
};

// A device that keeps the engine's own choice of coin.
class TWallCoinForm : public TProbeForm {
 public:
  TGridCrystal CoinSprite() override { return TLCDForm::CoinSprite(); }
};

}  // namespace

TEST_F(LevelGrid, NewLevelHasItsDefaults) {
  TLevel& Level = LoadRows({});
  EXPECT_EQ(&Level.ParentForm, Form.get());
  EXPECT_EQ(Level.Nr, 1);
  EXPECT_EQ(Level.xStart, -1);
  EXPECT_EQ(Level.yStart, -1);
  EXPECT_EQ(Level.CoinsLeft, 0);
  EXPECT_EQ(Level.LevelVal, 20);
  EXPECT_TRUE(Form->Map.empty());
}

TEST_F(LevelGrid, NewLevelSeedsTheRandomNumbersFromTheClock) {
  Platform.Clock = 777;
  LoadRows({});
  std::vector<int> AfterLevel;
  for (int i = 0; i < 20; ++i) AfterLevel.push_back(Random(1000));
  Randomize();
  std::vector<int> AfterSeed;
  for (int i = 0; i < 20; ++i) AfterSeed.push_back(Random(1000));
  EXPECT_EQ(AfterLevel, AfterSeed);
}

TEST_F(LevelGrid, FirstRowMakesOneRowOfCellsFromItsCodes) {
  TLevel& Level = LoadRows({"5,69,7,4,4 ,4,4,4,4,4, 1,0,0,0,0"});
  ASSERT_EQ(Form->Map.size(), 15U);
  for (const auto& Column : Form->Map) EXPECT_EQ(Column.size(), 1U);
  EXPECT_EQ(CellCode(0, 0), 5);
  EXPECT_EQ(CellCode(1, 0), 1 << gcWallVert | 1 << gcWallHorz | 1 << gcGold);
  EXPECT_EQ(CellCode(2, 0), 7);
  EXPECT_EQ(CellCode(4, 0), 4);
  EXPECT_EQ(CellCode(10, 0), 1);
  EXPECT_EQ(CellCode(14, 0), 0);
  for (int x = 0; x < 15; ++x) ExpectCellComplete(x, 0);
  EXPECT_EQ(Level.CoinsLeft, 1);
  // Three screens across, none complete yet.
  EXPECT_EQ(Form->SideArr.size(), 3U);
  for (const auto& Column : Form->SideArr) EXPECT_TRUE(Column.empty());
}

TEST_F(LevelGrid, SideScenesAppearWithTheFourthRow) {
  TLevel& Level = EmptyLevel();
  const std::string Row = "5,69,7,4,4 ,4,4,4,4,4, 1,0,0,0,0";
  for (int i = 0; i < 3; ++i) Level.AddRow(Row);
  for (const auto& Column : Form->SideArr) EXPECT_TRUE(Column.empty());
  Level.AddRow(Row);
  EXPECT_EQ(Rows(), 4U);
  ASSERT_EQ(Form->SideArr.size(), 3U);
  for (int sx = 0; sx < 3; ++sx) {
    ASSERT_EQ(Form->SideArr[sx].size(), 1U);
    ExpectSideComplete(sx, 0);
  }
  EXPECT_EQ(Level.CoinsLeft, 4);
}

TEST_F(LevelGrid, SideScenesKeepTheirFiguresWhenTheGridGrows) {
  TLevel& Level = EmptyLevel();
  for (const std::string& Row : BlankRows(5, 4)) Level.AddRow(Row);
  TSideSprite* Vase = Form->SideArr[0][0].Sprites[scVase].get();
  Vase->SpriteVisible = true;
  for (const std::string& Row : BlankRows(5, 4)) Level.AddRow(Row);
  ASSERT_EQ(Form->SideArr[0].size(), 2U);
  EXPECT_EQ(Form->SideArr[0][0].Sprites[scVase].get(), Vase);
  EXPECT_TRUE(Vase->SpriteVisible);
  ExpectSideComplete(0, 1);
}

TEST_F(LevelGrid, RowsGoBelowTheExistingOnes) {
  LoadRows({"1,2", "4,8", "16,32"});
  ASSERT_EQ(Form->Map.size(), 2U);
  EXPECT_EQ(Rows(), 3U);
  EXPECT_EQ(CellCode(0, 0), 1);
  EXPECT_EQ(CellCode(1, 0), 2);
  EXPECT_EQ(CellCode(0, 1), 4);
  EXPECT_EQ(CellCode(1, 1), 8);
  EXPECT_EQ(CellCode(0, 2), 16);
  EXPECT_EQ(CellCode(1, 2), 32);
}

TEST_F(LevelGrid, EmptyFieldEndsTheRow) {
  LoadRows({"1,,2"});
  ASSERT_EQ(Form->Map.size(), 1U);
  EXPECT_EQ(CellCode(0, 0), 1);
  LoadRows({"3,4,"});
  EXPECT_EQ(Form->Map.size(), 2U);
}

TEST_F(LevelGrid, RowStartingWithAnEmptyFieldAddsNothing) {
  LoadRows({"1,1", ",5,5"});
  EXPECT_EQ(Form->Map.size(), 2U);
  EXPECT_EQ(Rows(), 1U);
}

TEST_F(LevelGrid, FieldOfBlanksIsAnEmptyCell) {
  LoadRows({" ,3,   ,64"});
  ASSERT_EQ(Form->Map.size(), 4U);
  EXPECT_EQ(CellCode(0, 0), 0);
  EXPECT_EQ(CellCode(1, 0), 3);
  EXPECT_EQ(CellCode(2, 0), 0);
  EXPECT_EQ(CellCode(3, 0), 64);
  ExpectCellComplete(0, 0);
}

TEST_F(LevelGrid, BlanksInsideAndControlCharactersAroundAFieldAreIgnored) {
  LoadRows({"6 4,\t5\r, 1 0 2 4 ,12a"});
  EXPECT_EQ(CellCode(0, 0), 64);
  EXPECT_EQ(CellCode(1, 0), 5);
  EXPECT_EQ(CellCode(2, 0), 1024);
  EXPECT_EQ(CellCode(3, 0), 12) << "a field that is not a number counts its leading digits";
}

TEST_F(LevelGrid, EveryCodeBelow2048IsTheSetOfKindsPresent) {
  std::string Row;
  for (int Code = 0; Code < 2048; ++Code) Row += (Code == 0 ? "" : ",") + std::to_string(Code);
  TLevel& Level = LoadRows({Row});
  ASSERT_EQ(Form->Map.size(), 2048U);
  int Gold = 0;
  for (int Code = 0; Code < 2048; ++Code) {
    EXPECT_EQ(CellCode(Code, 0), Code);
    if (Code & (1 << gcGold)) ++Gold;
  }
  EXPECT_EQ(Level.CoinsLeft, Gold);
}

TEST_F(LevelGrid, NegativeCodesMakeNothingPresentAndLargeOnesEverything) {
  TLevel& Level = LoadRows({"-1,-2047,2048,5000,0,2047"});
  EXPECT_EQ(CellCode(0, 0), 0);
  EXPECT_EQ(CellCode(1, 0), 0);
  EXPECT_EQ(CellCode(2, 0), 2047);
  EXPECT_EQ(CellCode(3, 0), 2047);
  EXPECT_EQ(CellCode(4, 0), 0);
  EXPECT_EQ(CellCode(5, 0), 2047);
  for (int x = 0; x < 6; ++x) ExpectCellComplete(x, 0);
  EXPECT_EQ(Level.CoinsLeft, 3);
}

TEST_F(LevelGrid, FiguresArePresentedFromTheKeyDownToTheVerticalWall) {
  auto Level = MakeLevel<TRecordingLevel>(*Form, 3);
  Level->AddRow("0,1025,64");
  using TCall = std::tuple<int, int, TGridCrystal>;
  EXPECT_EQ(Level->Calls, (std::vector<TCall>{{1, 0, gcKey}, {1, 0, gcWallVert}, {2, 0, gcGold}}));
  // A figure object is made when the code makes it present, and no other.
  for (bool Existed : Level->ObjectExisted) EXPECT_FALSE(Existed);
  EXPECT_EQ(Form->Log.Alive, 3);
}

TEST_F(LevelGrid, AbsentFiguresAreMadeWhenFirstAskedForAsTheyStoodAllAlong) {
  LoadRows({"1,0,0,0,0", "0,0,0,0,0", "0,0,64,0,0", "0,0,0,0,2047"});
  EXPECT_EQ(Form->Log.Alive, 1 + 1 + 11);
  EXPECT_EQ(Form->SideArr[0][0].Sprites.Made(scVase), nullptr);
  EXPECT_EQ(Form->Map[3][1].Sprites.Made(gcScorpion), nullptr);
  EXPECT_FALSE(Form->Map[3][1].Sprites.Visible(gcScorpion));

  const std::uint64_t Activities = ChangeWatch.ActivityCount();
  const TSprite& Made = At(3, 1, gcScorpion);
  EXPECT_EQ(ChangeWatch.ActivityCount(), Activities) << "making a figure is no activity";
  EXPECT_EQ(Form->Log.Alive, 1 + 1 + 11 + 1);
  EXPECT_EQ(&At(3, 1, gcScorpion), &Made);
  EXPECT_EQ(Made.x, 3);
  EXPECT_EQ(Made.y, 1);
  EXPECT_EQ(Made.SpriteNr, gcScorpion);
  EXPECT_FALSE(Made.SpriteVisible);
  EXPECT_EQ(Made.SpriteDir, PosNone);
  EXPECT_EQ(Made.KillTime, -1);
  EXPECT_FALSE(Made.Awake);
  EXPECT_EQ(Form->SpriteAt(3, 1, gcScorpion), &Made);

  const TSideSprite& Snake = Side(0, 0, scDiamondSnake);
  EXPECT_EQ(ChangeWatch.ActivityCount(), Activities);
  EXPECT_EQ(Snake.SideSpriteNr, scDiamondSnake);
  EXPECT_FALSE(Snake.SpriteVisible);
  EXPECT_EQ(Form->Log.Alive, 1 + 1 + 11 + 1 + 1);

  // Every figure of the map can be asked for, and freeing the level frees what was made.
  for (int x = 0; x < 5; ++x)
    for (int y = 0; y < 4; ++y) ExpectCellComplete(x, y);
  ExpectSideComplete(0, 0);
  EXPECT_EQ(Form->Log.Alive, 5 * 4 * 11 + 34);
  Form->FreeLevel();
  Form->CollectRetiredLevel();
  EXPECT_EQ(Form->Log.Alive, 0);
}

TEST_F(LevelGrid, RecordsOfAReplacedGridMakeNoFigures) {
  LoadRows(BlankRows(5, 4));
  TMap Replaced = std::move(Form->Map);
  TSideMap ReplacedSides = std::move(Form->SideArr);
  LoadRows({"1,1,1,1,1", "0", "0", "0"});
  EXPECT_EQ(Replaced[0][0].Sprites[gcWallVert], nullptr);
  EXPECT_EQ(Replaced[4][3].Sprites.Made(gcHero), nullptr);
  EXPECT_EQ(ReplacedSides[0][0].Sprites[scVase], nullptr);
  EXPECT_TRUE(At(4, 0, gcWallVert).SpriteVisible);
  EXPECT_NE(Form->Map[4][3].Sprites[gcHero], nullptr);
  EXPECT_NE(Form->SideArr[0][0].Sprites[scVase], nullptr);
}

TEST_F(LevelGrid, EngineCountsVerticalWallsAsCoinsUnlessTheGameChoosesAnotherKind) {
  PlatformScope Inner(Platform);
  auto WallForm = MakeForm<TWallCoinForm>();
  auto Level = MakeLevel<TLevel>(*WallForm, 1);
  Level->AddRow("5,1,0,64,1024");
  EXPECT_EQ(Level->CoinsLeft, 2);
}

TEST_F(LevelGrid, RowsOfUnequalLengthLeaveEveryCellComplete) {
  TLevel& Level = LoadRows({"1,1", "64,0,0,1024", "4"});
  ASSERT_EQ(Form->Map.size(), 4U);
  for (int x = 0; x < 4; ++x) {
    ASSERT_EQ(Form->Map[x].size(), 3U) << "the map stays rectangular";
    for (int y = 0; y < 3; ++y) ExpectCellComplete(x, y);
  }
  EXPECT_EQ(CellCode(2, 0), 0);
  EXPECT_EQ(CellCode(3, 0), 0);
  EXPECT_EQ(CellCode(3, 1), 1024);
  EXPECT_EQ(CellCode(0, 2), 4);
  for (int x = 1; x < 4; ++x) EXPECT_EQ(CellCode(x, 2), 0);
  EXPECT_EQ(Level.CoinsLeft, 1);
}

TEST_F(LevelGrid, MapRangeCoversEveryCell) {
  LoadRows(BlankRows(10, 8));
  EXPECT_TRUE(Form->InMapRange(0, 0));
  EXPECT_TRUE(Form->InMapRange(9, 7));
  EXPECT_FALSE(Form->InMapRange(10, 0));
  EXPECT_FALSE(Form->InMapRange(0, 8));
  EXPECT_FALSE(Form->InMapRange(-1, 0));
  EXPECT_FALSE(Form->InMapRange(0, -1));
}

TEST_F(LevelGrid, SideRangeHoldsForTheTopLeftCellsOfWholeScreens) {
  LoadRows(BlankRows(12, 9));  // 2 x 2 whole screens and a rest
  EXPECT_TRUE(Form->InSideMapRange(0, 0));
  EXPECT_TRUE(Form->InSideMapRange(5, 0));
  EXPECT_TRUE(Form->InSideMapRange(0, 4));
  EXPECT_TRUE(Form->InSideMapRange(5, 4));
  EXPECT_FALSE(Form->InSideMapRange(6, 4));
  EXPECT_FALSE(Form->InSideMapRange(5, 5));
  EXPECT_FALSE(Form->InSideMapRange(10, 0)) << "column 10 starts no whole screen";
  EXPECT_FALSE(Form->InSideMapRange(0, 8)) << "row 8 starts no whole screen";
  EXPECT_FALSE(Form->InSideMapRange(-5, 0));
  EXPECT_FALSE(Form->InSideMapRange(0, -4));
}

TEST_F(LevelGrid, SideRecordOfACellIsThatOfItsScreen) {
  LoadRows(BlankRows(12, 9));
  auto Record = [&](int x, int y) { return Form->GetSideArr(x, y).Sprites[scVase].get(); };
  auto Stored = [&](int sx, int sy) { return Form->SideArr[sx][sy].Sprites[scVase].get(); };
  EXPECT_EQ(Record(7, 5), Stored(1, 1));
  EXPECT_EQ(Record(9, 7), Stored(1, 1));
  EXPECT_EQ(Record(5, 0), Stored(1, 0));
  EXPECT_EQ(Record(4, 4), Stored(0, 1));
  // Outside the map, or beyond the last whole screen: the first record.
  EXPECT_EQ(Record(-1, 0), Stored(0, 0));
  EXPECT_EQ(Record(7, -1), Stored(0, 0));
  EXPECT_EQ(Record(12, 5), Stored(0, 0));
  EXPECT_EQ(Record(11, 5), Stored(0, 0));
  EXPECT_EQ(Record(7, 8), Stored(0, 0));
  EXPECT_TRUE(Platform.Messages.empty());
}

TEST_F(LevelGrid, SideRecordWithoutSideScenesReportsAndAnswersAbsentFigures) {
  for (bool WithRow : {false, true}) {
    SCOPED_TRACE(WithRow ? "one row read" : "no row read");
    if (WithRow)
      LoadRows({"1,1,1,1,1"});
    else
      LoadRows({});
    Platform.Messages.clear();
    TSideCellRec& Record = Form->GetSideArr(0, 0);
    EXPECT_EQ(Platform.Messages, (std::vector<std::string>{"GetSideArr is not assigned yet."}));
    for (int Kind = 0; Kind < SideCrystalCount; ++Kind) {
      const auto& Sprite = Record.Sprites[Kind];
      ASSERT_NE(Sprite, nullptr);
      EXPECT_FALSE(Sprite->SpriteVisible);
    }
    // Whatever a caller did to that answer does not show up in the next one.
    Record.Sprites[scSnake1]->SpriteVisible = true;
    EXPECT_FALSE(Form->GetSideArr(3, 0).Sprites[scSnake1]->SpriteVisible);
  }
}

TEST_F(LevelGrid, SideCrystalsAreTheKindsVisibleInAnyScene) {
  LoadRows(BlankRows(10, 8));
  EXPECT_EQ(Form->GetSideCrystals(), 0U);
  Side(1, 0, scMap).SpriteVisible = true;
  Side(0, 1, scVase).SpriteVisible = true;
  Side(1, 1, scVase).SpriteVisible = true;
  EXPECT_EQ(Form->GetSideCrystals(), SideBit(scMap) | SideBit(scVase));
  // Asked again after every kind of change, the answer follows at once.
  Side(1, 0, scMap).SpriteVisible = false;
  EXPECT_EQ(Form->GetSideCrystals(), SideBit(scVase));
  Side(0, 1, scVase).SpriteVisible = false;
  EXPECT_EQ(Form->GetSideCrystals(), SideBit(scVase)) << "another scene still shows a vase";
  Side(1, 1, scVase).SpriteVisible = false;
  EXPECT_EQ(Form->GetSideCrystals(), 0U);
  Side(0, 0, scSpiderBig).SpriteVisible = true;
  EXPECT_EQ(Form->GetSideCrystals(), SideBit(scSpiderBig));
  Form->ClearGrid();
  EXPECT_EQ(Form->GetSideCrystals(), 0U);
  LoadRows(BlankRows(10, 8));
  EXPECT_EQ(Form->GetSideCrystals(), 0U);
  Side(1, 1, scMap).SpriteVisible = true;
  EXPECT_EQ(Form->GetSideCrystals(), SideBit(scMap));
}

TEST_F(LevelGrid, DirectionOfAStepPrefersTheVertical) {
  EXPECT_EQ(Form->GetDir(2, 2, 3, 2), PosRight);
  EXPECT_EQ(Form->GetDir(2, 2, 1, 2), PosLeft);
  EXPECT_EQ(Form->GetDir(2, 2, 2, 3), PosBottom);
  EXPECT_EQ(Form->GetDir(2, 2, 2, 1), PosTop);
  EXPECT_EQ(Form->GetDir(2, 2, 3, 3), PosBottom);
  EXPECT_EQ(Form->GetDir(2, 2, 1, 1), PosTop);
  EXPECT_EQ(Form->GetDir(2, 2, 2, 2), PosNone);
}

TEST_F(LevelGrid, DestroyingTheLevelFreesEveryFigureAndEmptiesTheGrid) {
  LoadRows(BlankRows(10, 8));
  for (int x = 0; x < 10; ++x)
    for (int y = 0; y < 8; ++y) ExpectCellComplete(x, y);
  for (int sx = 0; sx < 2; ++sx)
    for (int sy = 0; sy < 2; ++sy) ExpectSideComplete(sx, sy);
  EXPECT_EQ(Form->Log.Alive, 10 * 8 * 11 + 4 * 34);
  Form->Level.reset();
  EXPECT_TRUE(Form->Map.empty());
  EXPECT_TRUE(Form->SideArr.empty());
  EXPECT_EQ(Form->Log.Alive, 0);

  LoadRows({"1,2,3"});
  ASSERT_EQ(Form->Map.size(), 3U);
  EXPECT_EQ(Rows(), 1U);
  EXPECT_EQ(CellCode(2, 0), 3);
}

TEST_F(LevelGrid, ReplacedLevelStartsOnAnEmptyGrid) {
  LoadRows(BlankRows(10, 8));
  Form->FreeLevel();
  EXPECT_TRUE(Form->Map.empty());
  EXPECT_TRUE(Form->SideArr.empty());
  Form->SetLevel(MakeLevel<TRowsLevel>(*Form, 2, std::vector<std::string>{"64,64"}));
  EXPECT_EQ(Form->Map.size(), 2U);
  EXPECT_EQ(Rows(), 1U);
  EXPECT_EQ(Form->Level->CoinsLeft, 2);
  Form->CollectRetiredLevel();
  EXPECT_EQ(Form->Log.Alive, 2);
}
