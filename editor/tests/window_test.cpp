// The editor's window driven as a user drives it: the pointer over the map, the palette, the
// menus' commands, the switch record table, undo and redo, and the question before unsaved
// changes are lost.
#include <QComboBox>
#include <QTableWidget>

#include "editor_fixture.h"

using namespace karvan;
using namespace karvan::editor;
using karvan::editor::test::EditorWindow;

namespace {

const char* const TwoScreens =
    "AddRow('5,69,7,4,4,4,4,4,4,4,1');\n"
    "AddRow('1,4,4,4,4,5,4,0,0,1025,1');\n"
    "AddRow('1,0,0,1,0,0,0,0,5,0,1');\n"
    "AddRow('17,0,1,4,36,4,4,4,0,640,1');\n"
    "AddRow('4,4,0,4,4,4,4,4,4,4,1');\n"
    "AddSwitch(9, 3, 2, 4, PosTop);\n";

}  // namespace

TEST_F(EditorWindow, PaintingAndErasingEveryKindWithThePointer) {
  Window->OpenFile(Write("empty.karvan",
                         "AddRow('0,0,0,0,0,0');\nAddRow('0,0,0,0,0,0');\n"
                         "AddRow('0,0,0,0,0,0');\nAddRow('0,0,0,0,0,0');\n"
                         "AddRow('0,0,0,0,0,0');\n"));
  struct Case {
    Tool T;
    CellCode Painted;
  };
  const Case Cases[] = {
      {Tool::Scorpion, KindBit(gcScorpion)},
      {Tool::Gold, KindBit(gcGold)},
      {Tool::Key, KindBit(gcKey)},
      {Tool::Hero, KindBit(gcHero)},
      {Tool::SwitchUp, KindBit(gcSwitchUp) | KindBit(gcSwitchBase)},
      {Tool::SwitchDown, KindBit(gcSwitchDown) | KindBit(gcSwitchBase)},
  };
  for (const Case& C : Cases) {
    SCOPED_TRACE(static_cast<int>(C.T));
    UseTool(C.T);
    Click(2.5, 2.5);
    EXPECT_EQ(Code(2, 2), C.Painted);
    Click(2.5, 2.5, Qt::RightButton);
    EXPECT_EQ(Code(2, 2), 0);
  }
  // The middle of the cell picks its left or top edge by the nearer one; the eraser clears
  // everything the cell holds.
  UseTool(Tool::Wall);
  Click(3.1, 1.5);  // left edge of (3, 1)
  Click(3.5, 1.9);  // bottom edge of (3, 1): the top edge of (3, 2)
  EXPECT_EQ(Code(3, 1), KindBit(gcWallVert));
  EXPECT_EQ(Code(3, 2), KindBit(gcWallHorz));
  UseTool(Tool::Lock);
  Click(3.9, 1.5);  // right edge of (3, 1): the left edge of (4, 1)
  EXPECT_EQ(Code(4, 1), KindBit(gcWallVert) | KindBit(gcLockVert));
  Click(3.5, 1.1);  // top edge of (3, 1)
  EXPECT_EQ(Code(3, 1), KindBit(gcWallVert) | KindBit(gcWallHorz) | KindBit(gcLockHorz));
  Click(3.9, 1.5, Qt::RightButton);
  EXPECT_EQ(Code(4, 1), KindBit(gcWallVert));  // the lock goes, its wall stays
  UseTool(Tool::Wall);
  Click(3.1, 1.5, Qt::RightButton);
  EXPECT_EQ(Code(3, 1), KindBit(gcWallHorz) | KindBit(gcLockHorz));
  UseTool(Tool::Eraser);
  Click(3.5, 1.5);
  EXPECT_EQ(Code(3, 1), 0);
}

TEST_F(EditorWindow, ADragPaintsAFloorInOneStepOfTheHistory) {
  Window->OpenFile(Write("level.karvan", TwoScreens));
  const int Steps = Window->Model().History().count();
  UseTool(Tool::Wall);
  Press(5.5, 2.95);  // the floor of row 2 is the top wall of row 3
  for (double x = 5.5; x <= 8.5; x += 0.25) Drag(x, 2.95);
  Release(8.5, 2.95);
  EXPECT_EQ(Window->Model().History().count(), Steps + 1);
  for (int x = 5; x <= 8; ++x) EXPECT_TRUE(HasKind(Code(x, 3), gcWallHorz)) << x;
  // A drag with the right button removes along its way.
  Press(5.5, 2.95, Qt::RightButton);
  Drag(8.5, 2.95, Qt::RightButton);
  Release(8.5, 2.95, Qt::RightButton);
  EXPECT_FALSE(HasKind(Code(5, 3), gcWallHorz));
  EXPECT_FALSE(HasKind(Code(8, 3), gcWallHorz));
  EXPECT_EQ(Window->Model().History().count(), Steps + 2);
}

TEST_F(EditorWindow, UndoAndRedoLeadBackToTheOpenedFileByteForByte) {
  const QString Path = Write("level.karvan", TwoScreens);
  Window->OpenFile(Path);
  UseTool(Tool::Gold);
  Click(6.5, 2.5);
  SelectCells(0, 0, 2, 1);
  Window->Cut();
  Window->InsertRows();
  Window->InsertColumns();
  Window->Model().Select(CellRect{0, 0, 1, 1});
  Window->RemoveColumns();
  Window->SwitchAction()->trigger();
  Click(1.5, 1.5);
  Click(3.5, 3.5);
  Click(3.5, 4.5);
  ASSERT_NE(Document().Text(), std::string(TwoScreens));
  QUndoStack& History = Window->Model().History();
  while (History.canUndo()) History.undo();
  EXPECT_TRUE(History.isClean());
  ASSERT_TRUE(Window->SaveTo(PathOf("again.karvan")));
  EXPECT_EQ(Read(PathOf("again.karvan")), TwoScreens);
  while (History.canRedo()) History.redo();
  const std::string Redone = Document().Text();
  EXPECT_NE(Redone, std::string(TwoScreens));
  EXPECT_EQ(Document().Switches.size(), 2u);
}

TEST_F(EditorWindow, SelectionCopyPasteDeleteAndFill) {
  Window->OpenFile(Write("level.karvan", TwoScreens));
  SelectCells(9, 1, 8, 0);  // dragged up and left
  ASSERT_EQ(Window->Model().Selection(), (CellRect{8, 0, 2, 2}));
  Window->Copy();
  Window->Model().Select(CellRect{2, 2, 1, 1});
  Window->Paste();
  EXPECT_EQ(Code(3, 3), 1025);  // the key behind a wall from (9, 1)
  EXPECT_EQ(Code(2, 2), 4);
  EXPECT_EQ(Window->Model().Selection(), (CellRect{2, 2, 2, 2}));
  Window->DeleteSelection();
  EXPECT_EQ(Code(3, 3), 0);
  EXPECT_EQ(Code(9, 1), 1025);  // the original stays
  UseTool(Tool::Gold);
  SelectCells(5, 2, 7, 2);
  Window->FillSelection();
  for (int x = 5; x <= 7; ++x) EXPECT_TRUE(HasKind(Code(x, 2), gcGold));
  // A paste near the edge keeps what fits.
  Window->Model().Select(CellRect{10, 4, 1, 1});
  Window->Paste();
  EXPECT_EQ(Code(10, 4), 4);
  EXPECT_EQ(Document().Width(), 11);
}

TEST_F(EditorWindow, RowsAndColumnsAtTheSelection) {
  Window->OpenFile(Write("level.karvan", TwoScreens));
  SelectCells(0, 2, 3, 3);
  Window->InsertRows();
  EXPECT_EQ(Document().Height(), 7);
  EXPECT_EQ(Code(0, 5), 17);  // the hero moved down with its row
  EXPECT_EQ(Code(0, 2), 0);
  EXPECT_EQ(Document().Switches[0], (SwitchRecord{{9, 5}, {2, 6}, PosTop}));
  Window->Model().Select(CellRect{1, 0, 1, 1});
  Window->InsertColumns();
  EXPECT_EQ(Document().Width(), 12);
  EXPECT_EQ(Code(2, 0), 69);
  EXPECT_EQ(Document().Switches[0], (SwitchRecord{{10, 5}, {3, 6}, PosTop}));
  Window->Model().Select(CellRect{0, 2, 12, 2});
  Window->RemoveRows();
  Window->Model().Select(CellRect{1, 0, 1, 7});
  Window->RemoveColumns();
  EXPECT_EQ(Document().Text(), TwoScreens);
}

TEST_F(EditorWindow, SwitchRecordsArePickedListedEditedAndDeleted) {
  Window->OpenFile(Write("level.karvan", TwoScreens));
  Window->SwitchAction()->trigger();
  Click(9.5, 3.5);  // the switch
  Click(5.5, 2.5);  // the platform
  Click(6.4, 2.6);  // to its right: the direction
  ASSERT_EQ(Document().Switches.size(), 2u);
  EXPECT_EQ(Document().Switches[1], (SwitchRecord{{9, 3}, {5, 2}, PosRight}));
  QTableWidget& Table = Window->SwitchTable();
  ASSERT_EQ(Table.rowCount(), 2);
  EXPECT_EQ(Table.item(1, 2)->text(), "5");
  // Editing a number in the table edits the record, one step of the history.
  Table.item(1, 3)->setText(QStringLiteral("1"));
  EXPECT_EQ(Document().Switches[1].Platform, (TPoint{5, 1}));
  Table.item(1, 3)->setText(QStringLiteral("no number"));
  EXPECT_EQ(Document().Switches[1].Platform, (TPoint{5, 1}));
  EXPECT_EQ(Table.item(1, 3)->text(), "1");
  auto* Direction = qobject_cast<QComboBox*>(Table.cellWidget(1, 4));
  ASSERT_NE(Direction, nullptr);
  EXPECT_EQ(Direction->currentText(), "PosRight");
  Direction->setCurrentIndex(Direction->findText(QStringLiteral("PosBottom")));
  EXPECT_EQ(Document().Switches[1].Dir, PosBottom);
  Table.selectRow(0);
  Window->DeleteSwitchRecords();
  ASSERT_EQ(Document().Switches.size(), 1u);
  EXPECT_EQ(Document().Switches[0], (SwitchRecord{{9, 3}, {5, 1}, PosBottom}));
  EXPECT_EQ(Table.rowCount(), 1);
  Window->Model().History().undo();
  EXPECT_EQ(Document().Switches.size(), 2u);
  EXPECT_EQ(Table.rowCount(), 2);
}

TEST_F(EditorWindow, UnsavedChangesAreAskedAbout) {
  const QString Path = Write("level.karvan", TwoScreens);
  Window->OpenFile(Path);
  EXPECT_TRUE(Window->MaybeSave());  // nothing changed: no question
  EXPECT_EQ(Questions, 0);
  UseTool(Tool::Gold);
  Click(6.5, 2.5);
  EXPECT_TRUE(Window->isWindowModified());

  Answer = QMessageBox::Cancel;
  EXPECT_FALSE(Window->close());
  EXPECT_EQ(Questions, 1);
  EXPECT_TRUE(HasKind(Code(6, 2), gcGold));  // still there to save

  Answer = QMessageBox::Save;
  EXPECT_TRUE(Window->MaybeSave());
  EXPECT_NE(Read(Path), std::string(TwoScreens));
  EXPECT_FALSE(Window->isWindowModified());
  EXPECT_EQ(Questions, 2);

  Click(7.5, 2.5);
  Answer = QMessageBox::Discard;
  EXPECT_TRUE(Window->MaybeSave());
  EXPECT_EQ(Questions, 3);

  // A built-in level opened as a starting point counts as unsaved; saving it asks for a name,
  // and a cancelled name keeps it.
  ASSERT_TRUE(Window->OpenBuiltIn(2));
  EXPECT_TRUE(Window->FileName().isEmpty());
  Answer = QMessageBox::Save;
  NextFile.clear();
  EXPECT_FALSE(Window->MaybeSave());
  NextFile = PathOf("from-level-2.karvan");
  EXPECT_TRUE(Window->MaybeSave());
  EXPECT_EQ(Window->FileName(), NextFile);
}

TEST_F(EditorWindow, FilesThatCannotBeOpenedOrSavedLeaveTheLevelAsItWas) {
  Window->OpenFile(Write("level.karvan", TwoScreens));
  const LevelDocument Before = Document();
  EXPECT_FALSE(Window->OpenFile(PathOf("missing.karvan")));
  EXPECT_FALSE(Window->OpenFile(Folder.path()));
  ASSERT_EQ(Errors.size(), 2u);
  EXPECT_TRUE(Errors[0].contains("missing.karvan"));
  EXPECT_EQ(Document(), Before);
  EXPECT_FALSE(Window->SaveTo(PathOf("no/such/folder/level.karvan")));
  EXPECT_EQ(Errors.size(), 3u);
  EXPECT_TRUE(Window->FileName().endsWith("level.karvan"));
  EXPECT_FALSE(Window->OpenBuiltIn(25));
}

TEST_F(EditorWindow, RecentFilesAndTheStatusBarName) {
  const QString A = Write("a.karvan", TwoScreens);
  const QString B = Write("b.karvan", TwoScreens);
  Window->OpenFile(A);
  Window->OpenFile(B);
  Window->OpenFile(A);
  const QStringList Recent = Window->RecentFiles();
  ASSERT_GE(Recent.size(), 2);
  EXPECT_EQ(Recent[0], A);
  EXPECT_EQ(Recent[1], B);
  EXPECT_EQ(Recent.count(A), 1);
}

TEST_F(EditorWindow, PlaySavesAndStartsTheGameWithTheFile) {
  // The game is looked for beside the editor, then on the PATH.
  qputenv("PATH", QByteArray(KARVAN_GAME_DIR) + ":" + qgetenv("PATH"));
  const QString Path = Write("level.karvan", TwoScreens);
  Window->OpenFile(Path);
  UseTool(Tool::Gold);
  Click(6.5, 2.5);
  ASSERT_TRUE(Window->Play());
  ASSERT_EQ(Launched.size(), 2);
  EXPECT_TRUE(Launched[0].endsWith("karvan-mirk"));
  EXPECT_EQ(Launched[1], Path);
  EXPECT_EQ(Read(Path), Document().Text());
  // A level the game would refuse is not started.
  UseTool(Tool::Hero);
  Click(0.5, 3.5, Qt::RightButton);
  EXPECT_FALSE(Window->Play());
  EXPECT_EQ(Launched.size(), 2);
  EXPECT_TRUE(Errors.back().contains("hero"));
}
