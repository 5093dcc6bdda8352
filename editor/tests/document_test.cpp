// Reading and writing level files, rows and columns, selections pasted, figures painted.
#include <gtest/gtest.h>

#include "level_document.h"
#include "painting.h"

using namespace karvan;
using namespace karvan::editor;

namespace {

LevelDocument Read(const std::vector<std::string>& Lines) {
  ReadResult R = ReadLevelLines(Lines);
  EXPECT_FALSE(R.Error);
  return R.Document;
}

}  // namespace

TEST(LevelFileText, ReadsRowsAndSwitchesAsTheGameDoesAndWritesThemBack) {
  const std::vector<std::string> Lines = {"AddRow('5,69,7, 4 ,4,1');",
                                          "AddSwitch(3, 1, 2, 0, PosLeft);",
                                          "AddRow('1,0,0,0,644,1');",
                                          "AddRow('');",  // adds no row in the game either
                                          "AddRow('17,0,0,0,0,1');",
                                          "AddRow('4,4,4,4,4,4');"};
  const LevelDocument D = Read(Lines);
  EXPECT_EQ(D.Width(), 6);
  EXPECT_EQ(D.Height(), 4);
  EXPECT_EQ(D.Code(1, 0), 69);
  EXPECT_EQ(D.Code(4, 1), 644);
  ASSERT_EQ(D.Switches.size(), 1u);
  EXPECT_EQ(D.Switches[0], (SwitchRecord{{3, 1}, {2, 0}, PosLeft}));
  EXPECT_EQ(D.HeroCell(), (TPoint{0, 2}));
  EXPECT_EQ(D.Text(),
            "AddRow('5,69,7,4,4,1');\nAddRow('1,0,0,0,644,1');\nAddRow('17,0,0,0,0,1');\n"
            "AddRow('4,4,4,4,4,4');\nAddSwitch(3, 1, 2, 0, PosLeft);\n");
  // What the editor writes it reads back unchanged.
  std::vector<std::string> Written;
  std::string Text = D.Text();
  for (std::size_t At; (At = Text.find('\n')) != std::string::npos; Text.erase(0, At + 1))
    Written.push_back(Text.substr(0, At));
  EXPECT_EQ(Read(Written), D);
}

TEST(LevelFileText, OddInputIsReadTheGamesWayWithNotes) {
  // Unequal rows, codes out of range, a lower-case first statement whose opening stays.
  ReadResult R = ReadLevelLines({"addrow('1,2');", "AddRow('-5,4096,7');", "AddRow('3');"});
  ASSERT_FALSE(R.Error);
  const LevelDocument& D = R.Document;
  EXPECT_EQ(D.Width(), 3);
  EXPECT_EQ(D.Height(), 3);
  EXPECT_EQ(D.Code(0, 0), 0);  // "addrow('1" reads as no number
  EXPECT_EQ(D.Code(1, 0), 2);
  EXPECT_EQ(D.Code(0, 1), 0);         // a negative code holds nothing
  EXPECT_EQ(D.Code(1, 1), AllKinds);  // 2048 or more holds everything
  EXPECT_EQ(D.Code(2, 1), 7);
  EXPECT_EQ(D.Code(0, 2), 3);
  EXPECT_EQ(D.Code(2, 2), 0);  // short rows are filled with empty cells
  EXPECT_GE(R.Notes.size(), 2u);

  // A file whose first line is no row statement still opens, with the game's refusal named.
  R = ReadLevelLines({"AddSwitch(1,1,1,1,PosTop);", "AddRow('1,1,1,1,1');"});
  ASSERT_FALSE(R.Error);
  ASSERT_FALSE(R.Notes.empty());
  EXPECT_NE(R.Notes[0].find("refuses"), std::string::npos);
  EXPECT_EQ(R.Document.Switches.size(), 1u);
}

TEST(LevelFileText, AHugeMapIsRefusedBeforeItIsBuilt) {
  // One wide row makes every row as wide: 1001 columns of 1000 rows.
  std::string Wide = "AddRow('1";
  for (int i = 0; i < 1000; ++i) Wide += ",1";
  Wide += "');";
  std::vector<std::string> Lines(999, "AddRow('1');");
  Lines.insert(Lines.begin(), Wide);
  ReadResult R = ReadLevelLines(Lines);
  ASSERT_TRUE(R.Error);
  EXPECT_EQ(R.Document.Width(), 0);
  Lines.pop_back();  // 999 rows of 1001 cells fit
  R = ReadLevelLines(Lines);
  EXPECT_FALSE(R.Error);
  EXPECT_EQ(R.Document.Width(), 1001);
}

TEST(RowsAndColumns, InsertAndRemoveMoveTheSwitchRecordsAlong) {
  LevelDocument D(6, 5);
  D.SetCode(2, 3, 640);
  D.Switches = {{{2, 3}, {4, 1}, PosTop}, {{0, 0}, {5, 4}, PosRight}};
  D.InsertRows(2, 2);
  EXPECT_EQ(D.Height(), 7);
  EXPECT_EQ(D.Code(2, 5), 640);
  EXPECT_EQ(D.Code(2, 3), 0);
  EXPECT_EQ(D.Switches[0], (SwitchRecord{{2, 5}, {4, 1}, PosTop}));
  EXPECT_EQ(D.Switches[1], (SwitchRecord{{0, 0}, {5, 6}, PosRight}));
  D.InsertColumns(0, 1);
  EXPECT_EQ(D.Width(), 7);
  EXPECT_EQ(D.Code(3, 5), 640);
  EXPECT_EQ(D.Switches[1], (SwitchRecord{{1, 0}, {6, 6}, PosRight}));
  D.RemoveColumns(0, 1);
  D.RemoveRows(2, 2);
  EXPECT_EQ(D.Width(), 6);
  EXPECT_EQ(D.Code(2, 3), 640);
  EXPECT_EQ(D.Switches[0], (SwitchRecord{{2, 3}, {4, 1}, PosTop}));
  // A record whose switch row goes is dropped with it.
  D.RemoveRows(3, 1);
  ASSERT_EQ(D.Switches.size(), 1u);
  EXPECT_EQ(D.Switches[0].Switch, (TPoint{0, 0}));
  EXPECT_EQ(D.Switches[0].Platform, (TPoint{5, 3}));
  // Out of range requests change nothing.
  const LevelDocument Before = D;
  D.RemoveRows(-1, 3);
  D.RemoveColumns(6, 1);
  EXPECT_EQ(D, Before);
}

TEST(Selection, CutAndPasteClipToTheMap) {
  LevelDocument D(6, 5);
  D.SetCode(1, 1, 64);
  D.SetCode(2, 1, 1024);
  const LevelDocument Part = D.Cut({1, 1, 2, 1});
  EXPECT_EQ(Part.Width(), 2);
  EXPECT_EQ(Part.Code(0, 0), 64);
  D.Paste(Part, 5, 4);  // only one cell fits
  EXPECT_EQ(D.Code(5, 4), 64);
  D.Paste(Part, 1, 1, true);
  EXPECT_EQ(D.Code(1, 1), 64);
  EXPECT_EQ(D.Cut({4, 3, 10, 10}).Width(), 2);
  EXPECT_EQ(D.Cut({7, 7, 2, 2}).Width(), 0);
}

TEST(Painting, EachKindIsAddedAndRemovedAndLocksSitInWalls) {
  struct Case {
    Tool T;
    CellCode Added;
  };
  const Case Cases[] = {
      {Tool::Wall, KindBit(gcWallVert)},
      {Tool::Lock, KindBit(gcWallVert) | KindBit(gcLockVert)},
      {Tool::Hero, KindBit(gcHero)},
      {Tool::Scorpion, KindBit(gcScorpion)},
      {Tool::Gold, KindBit(gcGold)},
      {Tool::Key, KindBit(gcKey)},
      {Tool::SwitchUp, KindBit(gcSwitchUp) | KindBit(gcSwitchBase)},
      {Tool::SwitchDown, KindBit(gcSwitchDown) | KindBit(gcSwitchBase)},
  };
  for (const Case& C : Cases) {
    SCOPED_TRACE(static_cast<int>(C.T));
    LevelDocument D(6, 5);
    const ToolTarget Target{{2, 2}, true};
    EXPECT_TRUE(ApplyTool(D, C.T, Target, true));
    EXPECT_EQ(D.Code(2, 2), C.Added);
    EXPECT_FALSE(ApplyTool(D, C.T, Target, true));  // already there
    EXPECT_TRUE(ApplyTool(D, C.T, Target, false));
    // Removing a lock leaves its wall standing.
    EXPECT_EQ(D.Code(2, 2), C.T == Tool::Lock ? KindBit(gcWallVert) : 0);
  }
  LevelDocument D(6, 5);
  ApplyTool(D, Tool::Lock, {{1, 1}, false}, true);
  EXPECT_EQ(D.Code(1, 1), KindBit(gcWallHorz) | KindBit(gcLockHorz));
  ApplyTool(D, Tool::Wall, {{1, 1}, false}, false);  // the lock goes with its wall
  EXPECT_EQ(D.Code(1, 1), 0);
  // A lever flips from up to down; the eraser empties the cell.
  ApplyTool(D, Tool::SwitchUp, {{3, 3}, true}, true);
  ApplyTool(D, Tool::Gold, {{3, 3}, true}, true);
  ApplyTool(D, Tool::SwitchDown, {{3, 3}, true}, true);
  EXPECT_EQ(D.Code(3, 3), KindBit(gcSwitchDown) | KindBit(gcSwitchBase) | KindBit(gcGold));
  ApplyTool(D, Tool::Eraser, {{3, 3}, true}, true);
  EXPECT_EQ(D.Code(3, 3), 0);
  // One hero: placing it again moves the start.
  ApplyTool(D, Tool::Hero, {{0, 3}, true}, true);
  ApplyTool(D, Tool::Hero, {{4, 1}, true}, true);
  EXPECT_EQ(D.Code(0, 3), 0);
  EXPECT_EQ(D.HeroCell(), (TPoint{4, 1}));
}

TEST(Painting, WallsGoOnTheEdgeNearestThePointer) {
  EXPECT_EQ(NearestEdge(2.1, 3.5), (EdgeChoice{{2, 3}, true}));    // left edge of (2, 3)
  EXPECT_EQ(NearestEdge(2.9, 3.5), (EdgeChoice{{3, 3}, true}));    // right edge: (3, 3)'s left
  EXPECT_EQ(NearestEdge(2.5, 3.05), (EdgeChoice{{2, 3}, false}));  // top edge
  EXPECT_EQ(NearestEdge(2.5, 3.95), (EdgeChoice{{2, 4}, false}));  // bottom edge: the floor
  const LevelDocument D(6, 5);
  // The right edge of the last column and the bottom of the last row belong to no cell.
  EXPECT_FALSE(TargetAt(D, Tool::Wall, 5.95, 2.5));
  EXPECT_FALSE(TargetAt(D, Tool::Wall, 2.5, 4.97));
  EXPECT_EQ(TargetAt(D, Tool::Gold, 5.95, 2.5), (ToolTarget{{5, 2}, true}));
  EXPECT_FALSE(TargetAt(D, Tool::Gold, -0.1, 2.5));
}

TEST(Painting, FillCoversTheAreaAndPlacesOneHero) {
  LevelDocument D(6, 5);
  EXPECT_TRUE(FillArea(D, Tool::Gold, {1, 1, 3, 2}, true, true));
  int Gold = 0;
  for (int y = 0; y < 5; ++y)
    for (int x = 0; x < 6; ++x) Gold += HasKind(D.Code(x, y), gcGold);
  EXPECT_EQ(Gold, 6);
  FillArea(D, Tool::Hero, {1, 1, 3, 2}, true, true);
  EXPECT_EQ(D.HeroCell(), (TPoint{1, 1}));
  EXPECT_TRUE(FillArea(D, Tool::Gold, {0, 0, 6, 5}, false, true));
  EXPECT_FALSE(HasKind(D.Code(2, 2), gcGold));
}
