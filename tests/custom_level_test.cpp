// Custom level files: reading their lines, switch and row statements, which files are
// played, and loading one from the level choice or from the menu while a game runs.
#include <gtest/gtest.h>

#include <sys/stat.h>

#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include <nlohmann/json.hpp>

#include "engine/level.h"
#include "engine/support.h"
#include "game/custom_level_file.h"
#include "sim_run.h"

using namespace karvan;
using nlohmann::json;

namespace {

// A small playable level: the hero on a floor walks right to the gold.
const char* const WalkToGold =
    "AddRow('5,4,4,4,4,1');\n"
    "AddRow('1,0,0,0,0,1');\n"
    "AddRow('1,0,0,0,0,1');\n"
    "AddRow('17,0,0,0,64,1');\n"
    "AddRow('4,4,4,4,4,4');\n";

class CustomLevel : public ::testing::Test {
 protected:
  void SetUp() override {
    const auto* Info = ::testing::UnitTest::GetInstance()->current_test_info();
    Dir = std::filesystem::temp_directory_path() / (std::string("karvan-custom-") + Info->name());
    std::filesystem::remove_all(Dir);
    std::filesystem::create_directories(Dir);
  }
  void TearDown() override {
    std::error_code Error;
    std::filesystem::remove_all(Dir, Error);
  }

  std::string Write(const std::string& Name, const std::string& Bytes) {
    const auto Path = Dir / Name;
    std::ofstream(Path, std::ios::binary) << Bytes;
    return Path.string();
  }

  std::vector<json> Run(const std::vector<std::string>& Args) { return test::RunSim(Args); }

  std::filesystem::path Dir;
};

}  // namespace

TEST(CustomLevelLines, SwitchLinesAndDirectionWords) {
  TSwitchLine S = ReadSwitchLine("AddSwitch(3,4,5,6,PosLeft);");
  EXPECT_EQ(S.xSwitch, 3);
  EXPECT_EQ(S.ySwitch, 4);
  EXPECT_EQ(S.xPlatForm, 5);
  EXPECT_EQ(S.yPlatForm, 6);
  EXPECT_EQ(S.Dir, PosLeft);
  S = ReadSwitchLine("ADDSWITCH(3, 4, 5, 6, Up);");
  EXPECT_EQ(S.xSwitch, 3);
  EXPECT_EQ(S.yPlatForm, 6);
  EXPECT_EQ(S.Dir, PosTop);
  // Blanks after the commas, as editors write them, do not hide the direction word.
  EXPECT_EQ(ReadSwitchLine("AddSwitch(7, 8, 5, 11, PosRight);").Dir, PosRight);
  EXPECT_EQ(ReadSwitchLine("AddSwitch(7, 8, 5, 11, posbottom);").Dir, PosBottom);
  // Only three fields: the platform lies in row 0 and moves up.
  S = ReadSwitchLine("AddSwitch(1,2,3");
  EXPECT_EQ(S.xPlatForm, 3);
  EXPECT_EQ(S.yPlatForm, 0);
  EXPECT_EQ(S.Dir, PosTop);
  EXPECT_EQ(PosFromText("PosTopmost"), PosTop);
  EXPECT_EQ(PosFromText(""), PosTop);
}

TEST(CustomLevelLines, RowStatementsAreStrippedOfTheirStatementText) {
  EXPECT_EQ(RowText("AddRow('1,4,');"), "1,4,");
  EXPECT_EQ(ReadRowCodes(RowText("AddRow('1,4,');")), (std::vector<std::int64_t>{1, 4}));
  // Written in lower case, the opening stays and the first cell reads as 0.
  EXPECT_EQ(ReadRowCodes(RowText("addrow('5,4');")), (std::vector<std::int64_t>{0, 4}));
}

namespace {

// Row reading as it was first written: the n-th comma field asked for anew for every cell and
// every statement text erased from a copy. Right, but quadratic; the reference for short rows.
std::vector<std::int64_t> RowCodesByFieldNumber(std::string_view Row) {
  std::vector<std::int64_t> Codes;
  for (;;) {
    std::string Field = GetField(Row, static_cast<int>(Codes.size()) + 1, ",");
    if (Field.empty()) break;
    while (!Field.empty() && static_cast<unsigned char>(Field.back()) <= ' ') Field.pop_back();
    std::size_t Lead = 0;
    while (Lead < Field.size() && static_cast<unsigned char>(Field[Lead]) <= ' ') ++Lead;
    Codes.push_back(StrToIntLoose(std::string_view(Field).substr(Lead)));
  }
  return Codes;
}

std::string RowTextByErasing(std::string_view Line) {
  return RemoveText(RemoveText(Line, "AddRow('", true), "');", true);
}

}  // namespace

TEST(CustomLevelLines, RowsReadAsTheyAlwaysWere) {
  const std::vector<std::string> Rows = {"",
                                         ",",
                                         "1",
                                         "1,4,",
                                         "1,,4",
                                         ",1",
                                         " 1 , 2 ",
                                         "17, ,3",
                                         "\t5\t,6",
                                         "$1F,0x10,x2,-3,+4",
                                         "99999999999,-0",
                                         "1 2,3",
                                         "a,1",
                                         "AddRow('1,2');",
                                         "AddAddRow('Row('1');",
                                         "')');;",
                                         "AddRow('AddRow('",
                                         "AddRow(')';",
                                         "AddRow'('1');"};
  for (const std::string& Row : Rows) {
    SCOPED_TRACE(Row);
    EXPECT_EQ(RowText(Row), RowTextByErasing(Row));
    EXPECT_EQ(ReadRowCodes(Row), RowCodesByFieldNumber(Row));
  }
  // Random lines of the letters that make up statements, numbers and separators: removals
  // that join into new statement texts, empty fields, blanks.
  const std::string Letters = "AddRow(');,, 1-$x0";
  std::uint32_t State = 12345;
  for (int i = 0; i < 20000; ++i) {
    std::string Line;
    const int Length = static_cast<int>(State % 40);
    for (int k = 0; k < Length; ++k) {
      State = State * 1664525u + 1013904223u;
      Line.push_back(Letters[(State >> 16) % Letters.size()]);
    }
    State = State * 1664525u + 1013904223u;
    ASSERT_EQ(RowText(Line), RowTextByErasing(Line)) << Line;
    ASSERT_EQ(ReadRowCodes(RowText(Line)), RowCodesByFieldNumber(RowTextByErasing(Line))) << Line;
  }
}

// A file of one row of a few megabytes used to take hours to read: every cell read the row
// from its start, and every statement text removed was erased from a copy of the line.
TEST(CustomLevelLines, RowsOfMegabytesAreReadInOneWalk) {
  std::string Row = "AddRow('17";
  while (Row.size() < 3 * 1024 * 1024) Row += ",1,32";
  Row += "');";
  const std::vector<std::int64_t> Codes = ReadRowCodes(RowText(Row));
  ASSERT_EQ(Codes.size(), 1 + (Row.size() - 13) / 5 * 2);
  EXPECT_EQ(Codes.front(), 17);
  EXPECT_EQ(Codes[1], 1);
  EXPECT_EQ(Codes.back(), 32);
  // Four such rows hold far more cells than a level may have.
  EXPECT_FALSE(IsPlayableCustomLevel({Row, Row, Row, Row}));
  // Statement texts all the way, and statement texts that each removal joins anew.
  std::string Statements;
  while (Statements.size() < 4 * 1024 * 1024) Statements += "AddRow('";
  EXPECT_EQ(RowText(Statements), "");
  std::string Joined;
  for (int i = 0; i < 400000; ++i) Joined += "Add";
  for (int i = 0; i < 400000; ++i) Joined += "Row('";
  Joined += "1,2";
  EXPECT_EQ(RowText(Joined), "1,2");
  EXPECT_EQ(LevelFileLinesFromBytes(Statements + "\n" + Row).size(), 2u);
}

TEST(CustomLevelLines, OnlyFilesWithAScreenAndAHeroArePlayable) {
  const std::vector<std::string> Good = {"AddRow('17,0,0,0,0');", "AddRow('0,0,0,0,0');",
                                         "AddSwitch(1,1,2,2,PosTop);", "AddRow('0,0,0,0,0');",
                                         "AddRow('0,0,0,0,0');"};
  EXPECT_TRUE(IsPlayableCustomLevel(Good));
  EXPECT_TRUE(IsPlayableCustomLevel({"addrow('0,17,0,0,0');", "AddRow('0,0,0,0,0');",
                                     "AddRow('0,0,0,0,0');", "AddRow('0,0,0,0,0');"}));
  EXPECT_FALSE(IsPlayableCustomLevel({}));
  std::vector<std::string> Lines = Good;
  Lines[0] = " " + Lines[0];  // a blank in front is no row statement
  EXPECT_FALSE(IsPlayableCustomLevel(Lines));
  Lines = Good;
  std::swap(Lines[0], Lines[2]);  // a switch line first
  EXPECT_FALSE(IsPlayableCustomLevel(Lines));
  // Smaller than one screen, or no hero.
  EXPECT_FALSE(IsPlayableCustomLevel(
      {"AddRow('17,0,0,0');", "AddRow('0,0,0,0');", "AddRow('0,0,0,0');", "AddRow('0,0,0,0');"}));
  EXPECT_FALSE(
      IsPlayableCustomLevel({"AddRow('17,0,0,0,0');", "AddRow('0,0,0,0,0');", "AddRow('0');"}));
  EXPECT_FALSE(IsPlayableCustomLevel({"AddRow('1,0,0,0,0');", "AddRow('0,0,0,0,0');",
                                      "AddRow('0,0,0,0,0');", "AddRow('0,0,0,0,0');"}));
}

TEST(CustomLevelLines, RowsReadOnceGiveEachLineItsOwnCodes) {
  const std::vector<std::string> Lines = {"AddRow('17,0,3');", "AddSwitch(1,1,2,2,PosTop);",
                                          "AddRow(',5');", "AddRow('0x10, 2,,9');",
                                          "AddRow('1,2,3,4,5,6');');"};
  const TCustomLevelRows Read = ReadCustomLevelRows(Lines);
  ASSERT_EQ(Read.RowEnd.size(), Lines.size());
  for (std::size_t i = 0; i < Lines.size(); ++i) {
    const auto Row = Read.Row(i);
    const std::vector<std::int64_t> Expected =
        i == 1 ? std::vector<std::int64_t>{} : ReadRowCodes(RowText(Lines[i]));
    EXPECT_EQ(std::vector<std::int64_t>(Row.begin(), Row.end()), Expected) << Lines[i];
  }
  EXPECT_EQ(Read.Rows, 3U);  // the row that begins with an empty field adds nothing
  EXPECT_EQ(Read.Columns, 6U);
  EXPECT_TRUE(Read.Hero);
  EXPECT_FALSE(ReadCustomLevelRows({"AddRow('1,2,3');"}).Hero);
  // A code of 2048 and more counts as a hero, as it always did; a negative one does not.
  EXPECT_TRUE(ReadCustomLevelRows({"AddRow('2048');"}).Hero);
  EXPECT_FALSE(ReadCustomLevelRows({"AddRow('-16');"}).Hero);
}

TEST(CustomLevelLines, BytesAreSplitAtAnyLineEndAndDecodedByTheirByteOrderMark) {
  using Lines = std::vector<std::string>;
  EXPECT_EQ(LevelFileLinesFromBytes("a\r\nb\rc\nd"), (Lines{"a", "b", "c", "d"}));
  EXPECT_EQ(LevelFileLinesFromBytes("a\n\nb\n"), (Lines{"a", "", "b"}));
  EXPECT_EQ(LevelFileLinesFromBytes(""), Lines{});
  // Without a mark the bytes stay as they are, 8-bit text included.
  EXPECT_EQ(LevelFileLinesFromBytes("\xE9\x80"), (Lines{"\xE9\x80"}));
  EXPECT_EQ(LevelFileLinesFromBytes("\xEF\xBB\xBF"
                                    "AddRow('1');\n\xC3\xA9\xE2\x82\xAC\xE4\xB8\x80"),
            (Lines{"AddRow('1');", "\xE9\x80?"}));
  EXPECT_EQ(LevelFileLinesFromBytes(std::string_view("\xFF\xFE"
                                                     "A\0B\0\n\0\xAC\x20",
                                                     10)),
            (Lines{"AB", "\x80"}));
  EXPECT_EQ(LevelFileLinesFromBytes(std::string_view("\xFE\xFF\0A\0B", 6)), (Lines{"AB"}));
  // A broken sequence costs one character, not the rest of the line.
  EXPECT_EQ(LevelFileLinesFromBytes("\xEF\xBB\xBF"
                                    "a\xC3z"),
            (Lines{"a?z"}));
}

TEST_F(CustomLevel, OnlyRegularFilesAreReadAndNeverPastTheLimit) {
  const auto Lines = ReadLevelFileLines(Write("crlf.txt", "a\r\nb"));
  ASSERT_TRUE(Lines);
  EXPECT_EQ(*Lines, (std::vector<std::string>{"a", "b"}));
  EXPECT_FALSE(ReadLevelFileLines((Dir / "missing.txt").string()));
  EXPECT_FALSE(ReadLevelFileLines(Dir.string()));
  // Devices and pipes report a size of 0 and would be read for ever, or block until a
  // writer comes: they are refused without being opened.
  EXPECT_FALSE(ReadLevelFileLines("/dev/zero"));
  const std::string Pipe = (Dir / "pipe").string();
  ASSERT_EQ(mkfifo(Pipe.c_str(), 0600), 0);
  EXPECT_FALSE(ReadLevelFileLines(Pipe));
  // A link to a regular file is that file.
  std::filesystem::create_symlink(Dir / "crlf.txt", Dir / "link.txt");
  EXPECT_TRUE(ReadLevelFileLines((Dir / "link.txt").string()));
  // Up to the limit a file is read whole; one byte more and it gives no lines at all.
  const std::string Row = "AddRow('17,0,0,0,0');\n";
  std::string Full = Row + std::string(MaxCustomLevelFileBytes - Row.size(), ' ');
  const auto AtLimit = ReadLevelFileLines(Write("limit.txt", Full));
  ASSERT_TRUE(AtLimit);
  ASSERT_EQ(AtLimit->size(), 2u);
  EXPECT_EQ(AtLimit->front(), "AddRow('17,0,0,0,0');");
  EXPECT_EQ(AtLimit->back().size(), MaxCustomLevelFileBytes - Row.size());
  const auto Over = ReadLevelFileLines(Write("over.txt", Full + " "));
  ASSERT_TRUE(Over);
  EXPECT_TRUE(Over->empty());
}

TEST_F(CustomLevel, ALoadedLevelIsPlayedAndItsCompletionReturnsToTheLevelChoice) {
  const std::string File = Write("walk.txt", WalkToGold);
  const auto Lines = Run({"--custom", File, "--until", "9000", "--script",
                          Write("run.sim",
                                "@1100 state\n@1300 press Right\n+300 press Right\n"
                                "+300 press Right\n+300 press Right\n@2300 state\n@8000 state\n")});
  ASSERT_EQ(Lines.size(), 4u);
  EXPECT_EQ(Lines[0]["level"], -1);
  EXPECT_EQ(Lines[0]["hero"], json::array({0, 3}));
  EXPECT_EQ(Lines[0]["coins_left"], 1);
  EXPECT_EQ(Lines[1]["hero"], json::array({4, 3}));
  EXPECT_EQ(Lines[1]["score"], 3);
  // After the bonus the game went back to the level choice, which loaded the file afresh.
  EXPECT_EQ(Lines[2]["level"], -1);
  EXPECT_EQ(Lines[2]["score"], 0);
  EXPECT_EQ(Lines[2]["coins_left"], 1);
  EXPECT_EQ(Lines[2]["hero"], json::array({0, 3}));
}

TEST_F(CustomLevel, ARejectedFileInTheLevelChoicePlaysTheSelectedLevel) {
  const std::string Bad = Write("bad.txt", "AddSwitch(1,2,3,4,PosTop);\nAddRow('17,0,0,0,0');\n");
  const std::string Small = Write("small.txt", "AddRow('17,0');\nAddRow('0,0');\n");
  const std::string Script = Write("run.sim", "@0 choose 3\n@0 file " + Small +
                                                  "\n@1500 state\n@2000 press Escape\n@2000 file " +
                                                  Dir.string() + "\n@4000 state\n");
  const auto Lines = Run({"--custom", Bad, "--until", "4001", "--script", Script});
  ASSERT_EQ(Lines.size(), 3u);
  // The first choice answered with level 3 by the script; the file answer waited.
  EXPECT_EQ(Lines[0]["level"], 3);
  EXPECT_TRUE(Lines[0]["messages"].empty());
  // The restart's choice loaded the small file: rejected, the selected level 1 is played.
  // (The --custom answer makes the choice load a file; the script's file answer names it.)
  ASSERT_EQ(Lines[1]["messages"].size(), 1u);
  EXPECT_EQ(Lines[1]["messages"][0], Small + " is not a valid Karvan Mirk File.");
  EXPECT_EQ(Lines[1]["level"], 1);
}

// A few kilobytes of rows can describe a map of hundreds of millions of figures: such a file is
// refused like any file that is no level, and so is a file far larger than any level.
TEST_F(CustomLevel, OversizedLevelsAreRefusedBeforeTheyAreBuilt) {
  std::string LongRow = "AddRow('17";
  for (int x = 1; x < 200; ++x) LongRow += ",0";
  LongRow += "');\n";
  std::string Largest = LongRow;
  for (int y = 1; y < 100; ++y) Largest += "AddRow('1');\n";  // 200 x 100 cells
  const std::string TooMany = Write("many.txt", Largest + "AddRow('1');\n");
  std::string Padding(MaxCustomLevelFileBytes, ' ');
  const std::string Huge = Write("huge.txt", std::string(WalkToGold) + Padding);
  const std::string Fits = Write("largest.txt", Largest);
  const std::string Script =
      Write("run.sim",
            "@0 file " + TooMany + "\n@1500 state\n" + "@1600 press Escape\n@1600 file " + Huge +
                "\n@3500 state\n@3600 press Escape\n@3600 file " + Fits + "\n@5500 state\n");
  const auto Lines = Run({"--custom", Fits, "--until", "5501", "--script", Script});
  ASSERT_EQ(Lines.size(), 4u);
  ASSERT_EQ(Lines[0]["messages"].size(), 1u);
  EXPECT_EQ(Lines[0]["messages"][0], TooMany + " is not a valid Karvan Mirk File.");
  EXPECT_EQ(Lines[0]["level"], 1);
  ASSERT_EQ(Lines[1]["messages"].size(), 1u);
  EXPECT_EQ(Lines[1]["messages"][0], Huge + " is not a valid Karvan Mirk File.");
  EXPECT_TRUE(Lines[2]["messages"].empty());
  EXPECT_EQ(Lines[2]["level"], -1);  // the custom level is played
  EXPECT_EQ(Lines[2]["hero"], (json{0, 0}));
}

// Every hero cell of a file used to hold a hero of its own: one stung by a scorpion cost a life
// while the real hero stood elsewhere, and lives fell below zero.
TEST_F(CustomLevel, OfSeveralHeroCellsTheLastIsTheHeroAndTheOthersAreEmpty) {
  const std::string File = Write("heroes.txt",
                                 "AddRow('5,4,4,4,4,1');\n"
                                 "AddRow('1,48,0,0,48,1');\n"
                                 "AddRow('1,0,0,0,0,1');\n"
                                 "AddRow('1,0,17,0,64,1');\n"
                                 "AddRow('4,4,4,4,4,4');\n");
  const std::string Script = Write("run.sim", "@1100 state\n@6000 state\n");
  const auto Lines = Run({"--custom", File, "--until", "6000", "--script", Script, "--map"});
  ASSERT_EQ(Lines.size(), 3u);
  EXPECT_EQ(Lines[0]["hero"], (json{2, 3}));
  EXPECT_EQ(Lines[0]["lives"], 3);
  // The scorpions' cells show no hero any more; they walk off and sting nobody.
  EXPECT_EQ(Lines[0]["map"][1], "1,32,0,0,32,1");
  EXPECT_EQ(Lines[1]["lives"], 3);
  EXPECT_EQ(Lines[1]["hero"], (json{2, 3}));
}

TEST_F(CustomLevel, AFolderOrAnUnreadableFileGivesAClearMessage) {
  const std::string Good = Write("walk.txt", WalkToGold);
  const std::string Script = Write("run.sim", "@0 file " + Dir.string() + "\n@1500 state\n");
  const auto Lines = Run({"--custom", Good, "--until", "1501", "--script", Script});
  ASSERT_EQ(Lines.size(), 2u);
  ASSERT_EQ(Lines[0]["messages"].size(), 1u);
  EXPECT_EQ(Lines[0]["messages"][0], "The file " + Dir.string() + " cannot be read.");
  EXPECT_EQ(Lines[0]["level"], 1);
}

// A device or a pipe chosen as a level once hung the game for good: nothing was shown and no
// key helped. Each is refused at once and the running game goes on where it was.
TEST_F(CustomLevel, DevicesPipesFoldersAndHugeFilesChosenDuringAGameLeaveItUntouched) {
  const std::string Pipe = (Dir / "pipe").string();
  ASSERT_EQ(mkfifo(Pipe.c_str(), 0600), 0);
  const std::string Huge =
      Write("huge.txt", std::string(WalkToGold) + std::string(MaxCustomLevelFileBytes, ' '));
  const std::vector<std::string> Files = {"/dev/zero", Pipe, Dir.string(), Huge};
  std::string Script = "@1500 press Right\n@1700 state\n";
  int At = 1800;
  for (const std::string& File : Files) {
    Script += "@" + std::to_string(At) + " file " + File + "\n@" + std::to_string(At) +
              " menu Load custom level\n@" + std::to_string(At + 1) + " state\n";
    At += 100;
  }
  const auto Lines =
      Run({"--level", "2", "--until", std::to_string(At), "--script", Write("run.sim", Script)});
  ASSERT_EQ(Lines.size(), Files.size() + 2);
  const json& Before = Lines[0];
  for (std::size_t i = 0; i < Files.size(); ++i) {
    const json& After = Lines[i + 1];
    ASSERT_EQ(After["messages"].size(), 1u) << Files[i];
    const std::string Expected = Files[i] == Huge ? Huge + " is not a valid Karvan Mirk File."
                                                  : "The file " + Files[i] + " cannot be read.";
    EXPECT_EQ(After["messages"][0], Expected);
    EXPECT_EQ(After["level"], 2) << Files[i];
    EXPECT_EQ(After["hero"], Before["hero"]) << Files[i];
    EXPECT_EQ(After["map_pos"], Before["map_pos"]) << Files[i];
    EXPECT_EQ(After["lives"], Before["lives"]) << Files[i];
    EXPECT_EQ(After["coins_left"], Before["coins_left"]) << Files[i];
  }
  EXPECT_EQ(Lines.back()["level"], 2);
}

// File names are used as the desktop hands them over, in whatever script they are written.
TEST_F(CustomLevel, AFileUnderAFolderOfCyrillicAndChineseLettersPlays) {
  const auto Folder = Dir / "уровень 关卡";
  std::filesystem::create_directories(Folder);
  const std::string File = (Folder / "ходьба.karvan").string();
  std::ofstream(File, std::ios::binary) << WalkToGold;
  const auto Lines =
      Run({"--custom", File, "--until", "1501", "--script", Write("run.sim", "@1500 state\n")});
  ASSERT_EQ(Lines.size(), 2u);
  EXPECT_TRUE(Lines[0]["messages"].empty());
  EXPECT_EQ(Lines[0]["level"], -1);
  EXPECT_EQ(Lines[0]["hero"], json::array({0, 3}));
}

TEST_F(CustomLevel, LoadingFromTheMenuDuringAGameTakesOverBetweenTwoPasses) {
  const std::string Good = Write("walk.txt", WalkToGold);
  const std::string Bad = Write("bad.txt", "nonsense\n");
  const std::string Script =
      Write("run.sim",
            // Level 2: score some points first by walking... simply check lives and score reset.
            "@1500 state\n"
            "@1600 file " +
                Bad +
                "\n@1600 menu Load custom level\n@1601 state\n"
                "@1700 file\n@1700 menu Load custom level\n@1701 state\n"
                "@1800 file " +
                Good + "\n@1800 menu Load custom level\n@1802 state\n");
  const auto Lines = Run({"--level", "2", "--until", "1803", "--script", Script});
  ASSERT_EQ(Lines.size(), 5u);
  EXPECT_EQ(Lines[0]["level"], 2);
  // A rejected file leaves the running game untouched.
  ASSERT_EQ(Lines[1]["messages"].size(), 1u);
  EXPECT_EQ(Lines[1]["messages"][0], Bad + " is not a valid Karvan Mirk File.");
  EXPECT_EQ(Lines[1]["level"], 2);
  EXPECT_EQ(Lines[1]["hero"], Lines[0]["hero"]);
  // A cancelled dialog changes nothing.
  EXPECT_EQ(Lines[2]["level"], 2);
  EXPECT_TRUE(Lines[2]["messages"].empty());
  // A good file starts at its start cell with full lives and score 0.
  EXPECT_EQ(Lines[3]["level"], -1);
  EXPECT_EQ(Lines[3]["hero"], json::array({0, 3}));
  EXPECT_EQ(Lines[3]["lives"], 3);
  EXPECT_EQ(Lines[3]["score"], 0);
  EXPECT_EQ(Lines[3]["map_pos"], json::array({0, 0}));
}

// Every row used to look at every cell of the map again for missing figures: a level of a few
// thousand rows took the square of its height to load. Cells left open by shorter rows and by
// the columns a longer row adds still get their figures, all absent.
TEST_F(CustomLevel, TallLevelsAndRowsOfUnequalLengthLoadComplete) {
  std::string Tall;
  for (int y = 0; y < 4000; ++y)
    Tall += y == 3996 ? "AddRow('17,4,4');\n" : "AddRow('1,4,4,4,4');\n";
  const std::string Script = Write("run.sim", "@1100 state\n");
  auto Lines =
      Run({"--custom", Write("tall.txt", Tall), "--until", "1101", "--script", Script, "--map"});
  ASSERT_EQ(Lines.size(), 2u);
  EXPECT_TRUE(Lines[0]["messages"].empty());
  EXPECT_EQ(Lines[0]["level"], -1);
  EXPECT_EQ(Lines[0]["hero"], (json{0, 3996}));
  ASSERT_EQ(Lines[0]["map"].size(), 4000u);
  EXPECT_EQ(Lines[0]["map"][3995], "1,4,4,4,4");
  EXPECT_EQ(Lines[0]["map"][3996], "17,4,4,0,0");
  EXPECT_EQ(Lines[0]["map"][3999], "1,4,4,4,4");
  Lines = Run({"--custom",
               Write("uneven.txt",
                     "AddRow('5,4');\nAddRow('17,0,64');\nAddRow('4');\n"
                     "AddRow('1,0,0,0,0,0,0,0,0,0,1');\n"),
               "--until", "1101", "--script", Script, "--map"});
  ASSERT_EQ(Lines.size(), 2u);
  EXPECT_TRUE(Lines[0]["messages"].empty());
  EXPECT_EQ(Lines[0]["hero"], (json{0, 1}));
  EXPECT_EQ(Lines[0]["map"], (json{"5,4,0,0,0,0,0,0,0,0,0", "17,0,64,0,0,0,0,0,0,0,0",
                                   "4,0,0,0,0,0,0,0,0,0,0", "1,0,0,0,0,0,0,0,0,0,1"}));
}
