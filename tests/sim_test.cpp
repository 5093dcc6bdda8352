// The simulator's script language and its command-line contract.
#include <gtest/gtest.h>

#include <sys/stat.h>

#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include <nlohmann/json.hpp>

#include "sim/script.h"
#include "sim/sim_main.h"

using namespace karvan;
using namespace karvan::sim;
using nlohmann::json;

namespace {

TScript Parse(const std::string& Text) {
  std::istringstream In(Text);
  return ParseScript(In, "test.sim");
}

std::string ParseError(const std::string& Text) {
  try {
    Parse(Text);
  } catch (const TScriptError& Error) {
    return Error.what();
  }
  return "";
}

// A script file in a fresh temporary folder.
class SimRun : public ::testing::Test {
 protected:
  void SetUp() override {
    Dir = std::filesystem::temp_directory_path() /
          ("karvan-sim-test-" + std::to_string(::testing::UnitTest::GetInstance()->random_seed()) +
           "-" + ::testing::UnitTest::GetInstance()->current_test_info()->name());
    std::filesystem::create_directories(Dir);
  }
  void TearDown() override { std::filesystem::remove_all(Dir); }

  std::string WriteScript(const std::string& Text) {
    const auto Path = Dir / "run.sim";
    std::ofstream(Path) << Text;
    return Path.string();
  }

  // Runs the simulator and answers its state lines.
  std::vector<json> Run(std::vector<std::string> Args, int ExpectedStatus = 0) {
    std::ostringstream Out;
    std::ostringstream Err;
    Status = SimMain(Args, Out, Err);
    ErrText = Err.str();
    EXPECT_EQ(Status, ExpectedStatus) << ErrText;
    std::vector<json> Lines;
    std::istringstream In(Out.str());
    for (std::string Line; std::getline(In, Line);) Lines.push_back(json::parse(Line));
    return Lines;
  }

  std::filesystem::path Dir;
  int Status = -1;
  std::string ErrText;
};

}  // namespace

TEST(ScriptParser, ReadsTimesActionsAndComments) {
  const TScript Script = Parse(
      "# a comment line\n"
      "\n"
      "@100 down Left   # trailing comment\n"
      "+50 up left\n"
      "+0 press alt+F4\n"
      "@20 click 700 150\n"
      "+5 rclick 10 20\n"
      "@0 menu Load custom level\n"
      "@0 choose 7\n"
      "@0 file /tmp/some level.txt\n"
      "@0 file\n"
      "@0 intro cancel\n"
      "@3 state\n");
  ASSERT_EQ(Script.Lines.size(), 11u);
  EXPECT_EQ(Script.Lines[0].Time, 100);
  EXPECT_EQ(Script.Lines[0].Action, TAction::Down);
  EXPECT_EQ(Script.Lines[0].Key, VK_LEFT);
  EXPECT_EQ(Script.Lines[0].LineNr, 3);
  EXPECT_EQ(Script.Lines[1].Time, 150);
  EXPECT_EQ(Script.Lines[1].Action, TAction::Up);
  EXPECT_EQ(Script.Lines[2].Time, 150);
  EXPECT_EQ(Script.Lines[2].Key, VK_F4);
  EXPECT_EQ(Script.Lines[2].Shift, ssAlt);
  EXPECT_EQ(Script.Lines[3].X, 700);
  EXPECT_EQ(Script.Lines[3].Y, 150);
  EXPECT_EQ(Script.Lines[4].Time, 25);  // relative to the line before, not to the latest time
  EXPECT_EQ(Script.Lines[4].Action, TAction::RClick);
  EXPECT_EQ(Script.Lines[5].Text, "Load custom level");
  EXPECT_EQ(Script.Lines[6].Number, 7);
  EXPECT_EQ(Script.Lines[7].Text, "/tmp/some level.txt");
  EXPECT_EQ(Script.Lines[8].Text, "");
  EXPECT_FALSE(Script.Lines[9].Ok);
  EXPECT_EQ(Script.Lines[10].Action, TAction::State);
}

TEST(ScriptParser, EveryKeyNameIsKnown) {
  const std::pair<const char*, Word> Keys[] = {
      {"Left", VK_LEFT}, {"Up", VK_UP},         {"Right", VK_RIGHT}, {"Down", VK_DOWN},
      {"Z", VK_Z},       {"Escape", VK_ESCAPE}, {"1", VK_1},         {"F4", VK_F4}};
  for (const auto& [Name, Code] : Keys) {
    Word Key = 0;
    TShiftState Shift = 0xFF;
    ASSERT_TRUE(ParseKey(Name, Key, Shift)) << Name;
    EXPECT_EQ(Key, Code) << Name;
    EXPECT_EQ(Shift, 0) << Name;
  }
  Word Key = 0;
  TShiftState Shift = 0;
  EXPECT_FALSE(ParseKey("Space", Key, Shift));
  EXPECT_FALSE(ParseKey("alt+", Key, Shift));
}

TEST(ScriptParser, RejectsMalformedLinesNamingTheLine) {
  EXPECT_EQ(ParseError("@0 state\n@10 jump\n"),
            "test.sim:2: unknown action 'jump' (actions: down up press click rclick menu "
            "choose file intro state)");
  EXPECT_NE(ParseError("100 state\n").find("test.sim:1: expected a time"), std::string::npos);
  EXPECT_NE(ParseError("@-5 state\n").find("test.sim:1:"), std::string::npos);
  EXPECT_NE(ParseError("@x state\n").find("test.sim:1:"), std::string::npos);
  EXPECT_NE(ParseError("@0\n").find("test.sim:1: missing action"), std::string::npos);
  EXPECT_NE(ParseError("@0 press Space\n").find("unknown key 'Space'"), std::string::npos);
  EXPECT_NE(ParseError("@0 press\n").find("unknown key"), std::string::npos);
  EXPECT_NE(ParseError("@0 click 10\n").find("click takes two"), std::string::npos);
  EXPECT_NE(ParseError("@0 choose 25\n").find("choose takes"), std::string::npos);
  EXPECT_NE(ParseError("@0 choose -1\n").find("choose takes"), std::string::npos);
  EXPECT_NE(ParseError("@0 intro maybe\n").find("intro takes"), std::string::npos);
  EXPECT_NE(ParseError("@0 menu\n").find("menu needs"), std::string::npos);
  EXPECT_NE(ParseError("@0 state now\n").find("state takes no"), std::string::npos);
}

TEST_F(SimRun, StateAtZeroPrintsAfterTheFirstPumpAndTheRunEndsWhereAsked) {
  const auto Lines = Run({"--script", WriteScript("@0 state\n"), "--until", "500"});
  ASSERT_EQ(Lines.size(), 2u);
  EXPECT_EQ(Lines[0]["t"], 1);
  EXPECT_EQ(Lines[1]["t"], 500);
  EXPECT_FALSE(Lines[1]["ended"]);
  // The test pattern is still lit: every crystal shows.
  EXPECT_EQ(Lines[0]["lit"].size(), 318u);
  EXPECT_TRUE(Lines[0]["level"].is_null());
}

TEST_F(SimRun, StepSetsHowFarEachPumpAdvancesTheClock) {
  const auto Lines =
      Run({"--script", WriteScript("@0 state\n@25 state\n"), "--step", "10", "--until", "100"});
  ASSERT_EQ(Lines.size(), 3u);
  EXPECT_EQ(Lines[0]["t"], 10);
  EXPECT_EQ(Lines[1]["t"], 30);
  EXPECT_EQ(Lines[2]["t"], 100);
}

TEST_F(SimRun, TheChosenLevelStartsAfterOneSecondWithFullLives) {
  const auto Lines = Run({"--level", "5", "--script", WriteScript("@1000 state\n@1100 state\n"),
                          "--until", "1200", "--map"});
  ASSERT_EQ(Lines.size(), 3u);
  EXPECT_TRUE(Lines[0]["level"].is_null());
  EXPECT_EQ(Lines[1]["level"], 5);
  EXPECT_EQ(Lines[1]["lives"], 3);
  EXPECT_EQ(Lines[1]["score"], 0);
  EXPECT_EQ(Lines[1]["hero"], json::array({0, 3}));
  EXPECT_TRUE(Lines[1]["side"].empty());
  ASSERT_EQ(Lines[1]["map"].size(), 5u);
  // The switch cells show their lever and base; the hero stands in its start cell.
  EXPECT_EQ(Lines[1]["map"][0], "5,5,4,644,5,1");
  EXPECT_EQ(Lines[1]["map"][3], "661,1,0,0,0,1");
  // The lit crystals are sorted and the test pattern is gone.
  const auto& Lit = Lines[1]["lit"];
  EXPECT_LT(Lit.size(), 318u);
  EXPECT_TRUE(std::is_sorted(Lit.begin(), Lit.end()));
}

TEST_F(SimRun, QuitEndsTheRunAndCancelledDialogsEndTheProgram) {
  auto Lines = Run({"--script", WriteScript("@2000 press alt+F4\n")});
  ASSERT_EQ(Lines.size(), 1u);
  EXPECT_TRUE(Lines[0]["ended"]);
  EXPECT_EQ(Lines[0]["t"], 2000);

  Lines = Run({"--script", WriteScript("@0 intro cancel\n")});
  ASSERT_EQ(Lines.size(), 1u);
  EXPECT_TRUE(Lines[0]["ended"]);
  EXPECT_TRUE(Lines[0]["level"].is_null());
  EXPECT_EQ(Lines[0]["t"], 0);  // answered dialogs take no virtual time

  Lines = Run({"--script", WriteScript("@0 choose 0\n")});
  ASSERT_EQ(Lines.size(), 1u);
  EXPECT_TRUE(Lines[0]["ended"]);
}

TEST_F(SimRun, AnswerLinesWaitForTheFirstShowingAtOrAfterTheirTime) {
  // The restart at 2000 shows the choice before 5000 (default answer: level 2); the restart
  // at 6000 takes the answer given for 5000.
  const auto Lines = Run({"--level", "2", "--script",
                          WriteScript("@2000 press Escape\n@4000 state\n@5000 choose 3\n"
                                      "@6000 press Escape\n@8000 state\n"),
                          "--until", "8001"});
  ASSERT_EQ(Lines.size(), 3u);
  EXPECT_EQ(Lines[0]["level"], 2);
  EXPECT_EQ(Lines[1]["level"], 3);
}

TEST_F(SimRun, SoundsAndMessagesAreReportedOncePerLine) {
  // README.TXT does not exist in the folder the run starts from.
  const auto Old = std::filesystem::current_path();
  std::filesystem::current_path(Dir);
  const auto Lines =
      Run({"--script", WriteScript("@2000 menu README.TXT\n@2001 state\n@2002 state\n"), "--until",
           "2003"});
  std::filesystem::current_path(Old);
  ASSERT_EQ(Lines.size(), 3u);
  ASSERT_EQ(Lines[0]["messages"].size(), 1u);
  EXPECT_EQ(Lines[0]["messages"][0].get<std::string>().rfind(
                "Kon programma README.TXT niet uitvoeren. Code ", 0),
            0u);
  EXPECT_TRUE(Lines[1]["messages"].empty());
}

TEST_F(SimRun, PressDeliversDownAndUpInTheSamePumpAndClicksReachThePanels) {
  // A click in the reset hole restarts just like Escape.
  const auto Lines = Run({"--level", "4", "--script",
                          WriteScript("@0 choose 6\n@1400 state\n@1500 click 740 150\n"
                                      "@1501 state\n@3000 state\n"),
                          "--until", "3001"});
  ASSERT_EQ(Lines.size(), 4u);
  EXPECT_EQ(Lines[0]["level"], 6);
  // After the restart the test pattern shows again until the new game starts.
  EXPECT_EQ(Lines[1]["lit"].size(), 318u);
  EXPECT_TRUE(Lines[1]["level"].is_null());
  EXPECT_EQ(Lines[2]["level"], 4);
}

TEST_F(SimRun, BadArgumentsAndScriptsGiveStatusTwoAndAMessage) {
  Run({"--level", "0"}, 2);
  EXPECT_NE(ErrText.find("--level"), std::string::npos);
  Run({"--level", "3", "--custom", WriteScript("x")}, 2);
  Run({"--frobnicate"}, 2);
  Run({"--script", (Dir / "missing.sim").string()}, 2);
  EXPECT_NE(ErrText.find("does not exist"), std::string::npos);
  Run({"--script", Dir.string()}, 2);
  EXPECT_NE(ErrText.find("is a directory"), std::string::npos);
  Run({"--custom", (Dir / "missing.txt").string()}, 2);
  // Devices and pipes are refused before the run: read as levels they would never end.
  Run({"--custom", "/dev/zero"}, 2);
  EXPECT_NE(ErrText.find("'/dev/zero' is not a regular file"), std::string::npos);
  const std::string Pipe = (Dir / "pipe").string();
  ASSERT_EQ(mkfifo(Pipe.c_str(), 0600), 0);
  Run({"--custom", Pipe}, 2);
  EXPECT_NE(ErrText.find("is not a regular file"), std::string::npos);
  Run({"--step", "0"}, 2);
  const std::string Script = WriteScript("@0 state\n@5 press Space\n");
  Run({"--script", Script}, 2);
  EXPECT_NE(ErrText.find(Script + ":2:"), std::string::npos);
  Run({"--script", WriteScript("@1500 menu Frobnicate\n")}, 2);
  EXPECT_NE(ErrText.find(":1: no menu entry 'Frobnicate'"), std::string::npos);
}
