// The editor against the game itself: built-in levels through the editor into the game's
// loader, every fuzz corpus file, the checks on levels made to fail them, and a level made
// in the editor played to its end in the simulator.
#include <QElapsedTimer>
#include <QListWidget>
#include <filesystem>
#include <fstream>
#include <optional>
#include <sstream>

#include <nlohmann/json.hpp>

#include "editor_fixture.h"
#include "game_bridge.h"
#include "level_checks.h"
#include "sim/sim_main.h"

using namespace karvan;
using namespace karvan::editor;
using karvan::editor::test::EditorWindow;

namespace {

// The rows of a document in the format the game shows its map in.
std::vector<std::string> RowsOf(const LevelDocument& D) {
  std::vector<std::string> Rows;
  for (int y = 0; y < D.Height(); ++y) {
    std::string Row;
    for (int x = 0; x < D.Width(); ++x) Row += (x > 0 ? "," : "") + std::to_string(D.Code(x, y));
    Rows.push_back(Row);
  }
  return Rows;
}

// A playable one-screen level: the hero on the floor at the left, gold at the right.
LevelDocument Playable() {
  const ReadResult R =
      ReadLevelLines({"AddRow('5,4,4,4,4,1');", "AddRow('1,0,0,0,0,1');", "AddRow('1,0,0,0,0,1');",
                      "AddRow('17,0,0,0,64,1');", "AddRow('4,4,4,4,4,0');"});
  return R.Document;
}

bool Mentions(const std::vector<Finding>& Found, const std::string& Words,
              std::optional<TPoint> Cell = std::nullopt) {
  for (const Finding& F : Found)
    if (F.Text.find(Words) != std::string::npos && (!Cell || F.Cell == Cell)) return true;
  return false;
}

}  // namespace

TEST_F(EditorWindow, EveryBuiltInLevelRoundTripsThroughTheEditorIntoTheGame) {
  for (int Level = 1; Level <= BuiltInLevelTotal; ++Level) {
    SCOPED_TRACE("level " + std::to_string(Level));
    ASSERT_TRUE(Window->OpenBuiltIn(Level));
    const LevelDocument Opened = Document();
    const QString Path = PathOf(QStringLiteral("level_%1.karvan").arg(Level));
    ASSERT_TRUE(Window->SaveTo(Path));
    const GameLoad Game = LoadInGame(Path.toStdString());
    ASSERT_TRUE(Game.Loaded) << (Game.Messages.empty() ? "" : Game.Messages[0]);
    EXPECT_EQ(Game.Rows, RowsOf(Opened));
    EXPECT_EQ(Game.Switches, Opened.Switches);
    // The editor opens its own file to the same level.
    ASSERT_TRUE(Window->OpenFile(Path));
    EXPECT_EQ(Document(), Opened);
  }
}

TEST(BuiltInLevels, WhatAFileCannotCarryIsNamed) {
  std::vector<Finding> Lost;
  for (int Level = 1; Level <= BuiltInLevelTotal; ++Level) {
    const auto Import = ImportBuiltInLevel(Level);
    ASSERT_TRUE(Import);
    for (const std::string& Text : Import->Lost)
      Lost.push_back({Severity::Note, std::nullopt, Text});
  }
  // Level 2 starts a lift by itself; most levels have side scenes.
  const auto Two = ImportBuiltInLevel(2);
  std::vector<Finding> TwoLost;
  for (const std::string& Text : Two->Lost) TwoLost.push_back({Severity::Note, std::nullopt, Text});
  EXPECT_TRUE(Mentions(TwoLost, "starts a platform at (2, "));
  EXPECT_TRUE(Mentions(Lost, "side scenes"));
  EXPECT_FALSE(ImportBuiltInLevel(0));
  EXPECT_FALSE(ImportBuiltInLevel(25));
}

TEST_F(EditorWindow, EveryFuzzCorpusFileOpensWithoutACrash) {
  int Opened = 0;
  for (const auto& Entry : std::filesystem::directory_iterator(KARVAN_FUZZ_CORPUS_DIR)) {
    SCOPED_TRACE(Entry.path().filename().string());
    if (Window->OpenFile(QString::fromStdString(Entry.path().string()))) {
      ++Opened;
      Window->RunPlayCheck();
      Window->SelectAll();
      Window->Copy();
      Window->Paste();
      EXPECT_FALSE(Window->ChecksList().count() == 0);
    }
  }
  EXPECT_GE(Opened, 5);
}

TEST(Checks, EachCheckOnALevelMadeToFailIt) {
  EXPECT_TRUE(CheckDocument(Playable()).empty());
  EXPECT_FALSE(CheckFirstSeconds(Playable()));

  LevelDocument D = Playable();
  D.SetCode(0, 3, 1);
  EXPECT_TRUE(Mentions(CheckDocument(D), "No hero"));

  D = Playable();
  D.RemoveColumns(0, 2);
  D.SetHeroStart(0, 3);
  EXPECT_TRUE(Mentions(CheckDocument(D), "at least one screen"));
  D = Playable();
  D.RemoveRows(0, 2);
  EXPECT_TRUE(Mentions(CheckDocument(D), "at least one screen"));

  D = Playable();
  D.InsertColumns(1, 4000);  // 4006 x 5 cells
  EXPECT_TRUE(Mentions(CheckDocument(D), "at most"));

  D = Playable();
  D.SetCode(4, 3, 0);
  EXPECT_TRUE(Mentions(CheckDocument(D), "No gold"));

  D = Playable();
  D.Switches.push_back({{2, 3}, {3, 2}, PosTop});
  EXPECT_TRUE(Mentions(CheckDocument(D), "no lever", TPoint{2, 3}));
  D.SetCode(2, 3, 640);
  EXPECT_FALSE(Mentions(CheckDocument(D), "no lever"));
  D.Switches.push_back({{2, 3}, {3, 9}, PosTop});
  EXPECT_TRUE(Mentions(CheckDocument(D), "outside the map", TPoint{2, 3}));

  D = Playable();
  D.SetCode(3, 1, KindBit(gcWallVert) | KindBit(gcLockVert));
  EXPECT_TRUE(Mentions(CheckDocument(D), "Locks but no key", TPoint{3, 1}));
  D.SetCode(1, 1, KindBit(gcKey));
  EXPECT_FALSE(Mentions(CheckDocument(D), "Locks but no key"));

  D = Playable();
  D.SetCode(2, 1, KindBit(gcHero));
  EXPECT_TRUE(Mentions(CheckDocument(D), "is the start", TPoint{0, 3}));

  // A scorpion walking at the hero, and a hero with nothing below it but the deadly last row.
  D = Playable();
  D.SetCode(2, 3, KindBit(gcScorpion));
  const auto Bitten = CheckFirstSeconds(D);
  ASSERT_TRUE(Bitten);
  EXPECT_EQ(Bitten->Cell, (TPoint{0, 3}));
  D = Playable();
  D.SetCode(0, 4, 0);
  const auto Fallen = CheckFirstSeconds(D);
  ASSERT_TRUE(Fallen);
  EXPECT_TRUE(Mentions({*Fallen}, "hurt"));
  // A level the game refuses is not played.
  D.SetCode(0, 3, 0);
  EXPECT_FALSE(CheckFirstSeconds(D));
}

TEST(Checks, RoutesGoldOutOfReachTrapsAndDeathLoops) {
  EXPECT_TRUE(CheckRoutes(Playable()).empty());

  // Two cells above the floor is more than a jump.
  LevelDocument D = Playable();
  D.SetCode(2, 1, KindBit(gcGold));
  EXPECT_TRUE(Mentions(CheckDocument(D), "No walk, jump or fall reaches the gold", TPoint{2, 1}));
  EXPECT_FALSE(Mentions(CheckDocument(D), "reaches the gold at (4, 3)"));

  // A walled pit two cells deep beside the start, the gold on the other side.
  const ReadResult Pit =
      ReadLevelLines({"AddRow('5,4,4,4,4,1');", "AddRow('1,0,0,0,0,1');", "AddRow('1,0,0,0,0,1');",
                      "AddRow('65,16,0,0,0,1');", "AddRow('4,4,4,1,5,4');",
                      "AddRow('0,0,0,1,1,0');", "AddRow('0,0,0,4,0,0');"});
  ASSERT_TRUE(CheckDocument(Pit.Document).empty());
  EXPECT_TRUE(Mentions(CheckRoutes(Pit.Document), "A trap"));

  // Without a floor under the start the hero falls into the last row at every return.
  D = Playable();
  D.SetCode(0, 4, 0);
  EXPECT_TRUE(Mentions(CheckRoutes(D), "falls to his death again", TPoint{0, 3}));
}

TEST_F(EditorWindow, TheChecksPanelNamesTheCellOfEachFinding) {
  Window->OpenFile(Write("level.karvan", Playable().Text()));
  Window->RunPlayCheck();
  ASSERT_EQ(Window->ChecksList().count(), 1);
  EXPECT_EQ(Window->ChecksList().item(0)->text(), "No problems found.");
  UseTool(Tool::Lock);
  Click(3.1, 1.5);
  UseTool(Tool::Scorpion);
  Click(2.5, 3.5);
  Window->RunPlayCheck();
  const auto Found = Window->Findings();
  EXPECT_TRUE(Mentions(Found, "Locks but no key", TPoint{3, 1}));
  EXPECT_TRUE(Mentions(Found, "hurt", TPoint{0, 3}));
  ASSERT_EQ(Window->ChecksList().count(), static_cast<int>(Found.size()));
  EXPECT_EQ(Window->ChecksList().item(0)->data(Qt::UserRole + 1).toInt(), 3);
}

TEST_F(EditorWindow, TheHeadlessCheckRunsBesideTheWindowAfterAnEdit) {
  Window->OpenFile(Write("level.karvan", Playable().Text()));
  UseTool(Tool::Scorpion);
  Click(2.5, 3.5);
  EXPECT_FALSE(Window->PlayCheckDone());
  QElapsedTimer Waited;
  Waited.start();
  while (!Window->PlayCheckDone() && Waited.elapsed() < 20000)
    QCoreApplication::processEvents(QEventLoop::AllEvents, 50);
  ASSERT_TRUE(Window->PlayCheckDone());
  EXPECT_TRUE(Mentions(Window->Findings(), "hurt", TPoint{0, 3}));
  // An edit makes the finding out of date until the check has run again.
  Click(2.5, 3.5, Qt::RightButton);
  EXPECT_FALSE(Window->PlayCheckDone());
  EXPECT_FALSE(Mentions(Window->Findings(), "hurt"));
}

TEST_F(EditorWindow, ALevelMadeInTheEditorIsPlayedToItsEndInTheSimulator) {
  // From the new level: more gold on the way, a key and a locked wall before the last gold.
  Window->NewLevel();
  UseTool(Tool::Gold);
  Click(2.5, 3.5);
  UseTool(Tool::Key);
  Click(1.5, 3.5);
  UseTool(Tool::Lock);
  Click(3.1, 3.5);
  const QString Path = PathOf("made.karvan");
  ASSERT_TRUE(Window->SaveTo(Path));
  ASSERT_TRUE(CheckDocument(Document()).empty());

  const std::string Script =
      "@1500 press Right\n"  // the key
      "@2000 press Right\n"  // the first gold
      "@2500 press Right\n"  // into the lock: it opens
      "@3500 press Right\n"
      "@4000 press Right\n"  // the last gold: the level is complete
      "@4100 state\n";
  const QString ScriptPath = Write("made.sim", Script);
  std::ostringstream Out;
  std::ostringstream Err;
  ASSERT_EQ(sim::SimMain({"--custom", Path.toStdString(), "--script", ScriptPath.toStdString(),
                          "--until", "4200"},
                         Out, Err),
            0)
      << Err.str();
  std::istringstream Lines(Out.str());
  std::string First;
  ASSERT_TRUE(std::getline(Lines, First));
  const auto State = nlohmann::json::parse(First);
  EXPECT_EQ(State["level"], -1);
  EXPECT_EQ(State["coins_left"], 0);
  EXPECT_EQ(State["lives"], 3);
  EXPECT_EQ(State["hero"], nlohmann::json::parse("[4, 3]"));
  const auto& Sounds = State["sounds"];
  EXPECT_NE(std::find(Sounds.begin(), Sounds.end(), "wvUnlockExit"), Sounds.end()) << First;
}

// The example level the README opens: no finding of any check, and its replay plays it to its
// end in the simulator, so the first level a new designer sees is one that works.
TEST_F(EditorWindow, TheExampleLevelHasNoFindingsAndItsReplayCompletesIt) {
  const std::filesystem::path Examples = KARVAN_EDITOR_EXAMPLES_DIR;
  const std::filesystem::path Level = Examples / "two_screens.karvan";
  ASSERT_TRUE(Window->OpenFile(QString::fromStdString(Level.string())));
  EXPECT_TRUE(CheckDocument(Document()).empty());
  EXPECT_TRUE(CheckRoutes(Document()).empty());
  EXPECT_FALSE(CheckFirstSeconds(Document()).has_value());

  const std::filesystem::path Script = Examples / "two_screens.sim";
  std::ifstream ScriptFile(Script);
  std::string Line;
  std::optional<nlohmann::json> Expected;
  while (std::getline(ScriptFile, Line))
    if (Line.rfind("# expect ", 0) == 0) Expected = nlohmann::json::parse(Line.substr(9));
  ASSERT_TRUE(Expected.has_value()) << "the replay names what it expects";

  std::ostringstream Out;
  std::ostringstream Err;
  ASSERT_EQ(sim::SimMain({"--custom", Level.string(), "--script", Script.string()}, Out, Err), 0)
      << Err.str();
  std::istringstream Lines(Out.str());
  std::string First;
  ASSERT_TRUE(std::getline(Lines, First));
  const auto State = nlohmann::json::parse(First);
  for (const auto& [Field, Value] : Expected->items()) EXPECT_EQ(State[Field], Value) << Field;
}
