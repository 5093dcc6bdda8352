// Replays of the built-in levels: each script replays/level_NN.sim plays level NN from its start
// until what follows it, and names in one "# expect {...}" comment the fields of the state it
// must end in. The hero never loses a life on the way.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <regex>
#include <sstream>
#include <string>
#include <vector>

#include <nlohmann/json.hpp>

#include "sim/script.h"
#include "sim/sim_main.h"

namespace {

namespace fs = std::filesystem;
namespace sim = karvan::sim;
using nlohmann::json;

const std::regex ReplayName(R"(level_(\d+)\.sim)");
const std::string ExpectPrefix = "# expect ";

// The level replays in name order.
std::vector<fs::path> LevelReplays() {
  std::vector<fs::path> Files;
  for (const auto& Entry : fs::directory_iterator(fs::path(KARVAN_TEST_DATA_DIR) / "replays"))
    if (Entry.is_regular_file() && std::regex_match(Entry.path().filename().string(), ReplayName))
      Files.push_back(Entry.path());
  std::sort(Files.begin(), Files.end());
  return Files;
}

std::string ReadText(const fs::path& Path) {
  std::ifstream In(Path);
  std::ostringstream Text;
  Text << In.rdbuf();
  return Text.str();
}

// The objects of every "# expect " line of a script.
std::vector<json> ExpectLines(const std::string& Text) {
  std::vector<json> Result;
  std::istringstream In(Text);
  for (std::string Line; std::getline(In, Line);)
    if (Line.rfind(ExpectPrefix, 0) == 0)
      Result.push_back(json::parse(Line.substr(ExpectPrefix.size())));
  return Result;
}

// Virtual time of the script's last line.
std::int64_t EndTime(const std::string& Text, const std::string& Name) {
  std::istringstream In(Text);
  const sim::TScript Script = sim::ParseScript(In, Name);
  std::int64_t End = 0;
  for (const sim::TScriptLine& Line : Script.Lines) End = std::max(End, Line.Time);
  return End;
}

class LevelReplay : public ::testing::TestWithParam<fs::path> {};

TEST_P(LevelReplay, CompletesTheLevelWithoutLosingALifeAndEndsAsExpected) {
  const fs::path& Path = GetParam();
  std::smatch Match;
  const std::string FileName = Path.filename().string();
  ASSERT_TRUE(std::regex_match(FileName, Match, ReplayName));
  const std::string Level = std::to_string(std::stoi(Match[1].str()));

  const std::string Text = ReadText(Path);
  const std::vector<json> Expects = ExpectLines(Text);
  ASSERT_EQ(Expects.size(), 1u) << FileName << " needs exactly one expect line";
  const json& Expect = Expects.front();
  ASSERT_TRUE(Expect.is_object() && !Expect.empty()) << FileName;
  const std::int64_t End = EndTime(Text, FileName);
  ASSERT_GT(End, 0) << FileName;

  std::ostringstream Out;
  std::ostringstream Err;
  ASSERT_EQ(
      sim::SimMain({"--level", Level, "--script", Path.string(), "--until", std::to_string(End)},
                   Out, Err),
      0)
      << Err.str();

  std::vector<json> States;
  std::istringstream In(Out.str());
  for (std::string Line; std::getline(In, Line);) States.push_back(json::parse(Line));
  ASSERT_FALSE(States.empty());

  for (const json& State : States)
    EXPECT_GE(State.at("lives").get<int>(), 3) << "a life is lost by t = " << State.at("t");

  const json& Last = States.back();
  EXPECT_EQ(Last.at("t").get<std::int64_t>(), End);
  for (const auto& [Field, Value] : Expect.items()) {
    ASSERT_TRUE(Last.contains(Field)) << Field;
    EXPECT_EQ(Last.at(Field), Value) << "field " << Field << " at t = " << Last.at("t");
  }
}

// In levels 11 and 13 the vase's amulet makes every scorpion harmless for the rest of the level,
// so their replays take it only on the last stretch: the danger lasts until the end.
TEST(LevelReplays, TheAmuletOfLevels11And13ComesWithTheLastGold) {
  for (const int Level : {11, 13}) {
    SCOPED_TRACE("level " + std::to_string(Level));
    const fs::path Replay =
        fs::path(KARVAN_TEST_DATA_DIR) / "replays" / ("level_" + std::to_string(Level) + ".sim");
    const std::string Text = ReadText(Replay);
    const std::int64_t End = EndTime(Text, Replay.filename().string());
    // The same script with a state line every 100 ms.
    std::string Watched = Text + "\n";
    for (std::int64_t t = 100; t < End; t += 100) Watched += "@" + std::to_string(t) + " state\n";
    const fs::path Script =
        fs::temp_directory_path() / ("karvan_amulet_level_" + std::to_string(Level) + ".sim");
    std::ofstream(Script) << Watched;

    std::ostringstream Out;
    std::ostringstream Err;
    ASSERT_EQ(sim::SimMain({"--level", std::to_string(Level), "--script", Script.string(),
                            "--until", std::to_string(End)},
                           Out, Err),
              0)
        << Err.str();
    fs::remove(Script);

    std::int64_t AmuletTaken = -1;
    std::int64_t LastGoldTaken = -1;
    std::istringstream In(Out.str());
    for (std::string Line; std::getline(In, Line);) {
      const json State = json::parse(Line);
      if (State.at("level") != Level) continue;
      const std::int64_t t = State.at("t").get<std::int64_t>();
      if (AmuletTaken < 0 && State.at("invincible").get<bool>()) AmuletTaken = t;
      if (State.at("coins_left").get<int>() > 0) LastGoldTaken = t;
    }
    ASSERT_GT(AmuletTaken, 0) << "the replay never takes the amulet";
    ASSERT_GT(LastGoldTaken, 0);
    EXPECT_GE(AmuletTaken * 100, LastGoldTaken * 85)
        << "amulet at " << AmuletTaken << " ms, last gold at " << LastGoldTaken << " ms";
  }
}

// Level 13's galleries hold the key and are entered only by the shaft at their east end: a hero
// falling down the start shaft who steers left or right at every row must still land in the
// bottom corridor, with nothing taken on the way.
TEST(LevelReplays, TheStartShaftOfLevel13CannotBeSteeredIntoTheGalleries) {
  for (const char* const DirName : {"Right", "Left"}) {
    const std::string Dir = DirName;
    SCOPED_TRACE("steering " + Dir);
    std::string Text;
    for (std::int64_t t = 1500; t <= 2250; t += 250)
      Text += "@" + std::to_string(t) + " press Right\n";
    for (std::int64_t t = 2300; t <= 5000; t += 100)
      Text +=
          "@" + std::to_string(t) + " press " + Dir + "\n@" + std::to_string(t + 50) + " state\n";
    Text += "@7000 state\n";
    const fs::path Script = fs::temp_directory_path() / ("karvan_level_13_shaft_" + Dir + ".sim");
    std::ofstream(Script) << Text;
    std::ostringstream Out;
    std::ostringstream Err;
    ASSERT_EQ(
        sim::SimMain({"--level", "13", "--script", Script.string(), "--until", "7000"}, Out, Err),
        0)
        << Err.str();
    fs::remove(Script);

    json Last;
    std::istringstream In(Out.str());
    for (std::string Line; std::getline(In, Line);) {
      const json State = json::parse(Line);
      if (State.at("level") != 13) continue;
      const int x = State.at("hero")[0].get<int>();
      const int y = State.at("hero")[1].get<int>();
      // Rows 2 to 4 east of the shaft are the galleries; rows 2 and 3 west of it the ledge of
      // the first gold. Row 4 west of the shaft is open air over the bottom corridor.
      if (y >= 2 && y <= 4) {
        EXPECT_LE(x, 4) << "into the galleries at t = " << State.at("t");
      }
      if (y >= 2 && y <= 3) {
        EXPECT_EQ(x, 4) << "out of the shaft at t = " << State.at("t");
      }
      Last = State;
    }
    ASSERT_FALSE(Last.is_null());
    EXPECT_EQ(Last.at("hero")[1], 7) << "the fall ends in the bottom corridor";
    EXPECT_EQ(Last.at("coins_left"), 2);
    EXPECT_EQ(Last.at("keys"), 0);
  }
}

TEST(LevelReplays, EveryBuiltInLevelHasOne) {
  std::vector<std::string> Names;
  for (const fs::path& Path : LevelReplays()) Names.push_back(Path.filename().string());
  std::vector<std::string> Expected;
  for (int Level = 1; Level <= 24; ++Level)
    Expected.push_back((Level < 10 ? "level_0" : "level_") + std::to_string(Level) + ".sim");
  EXPECT_EQ(Names, Expected);
}

INSTANTIATE_TEST_SUITE_P(BuiltInLevels, LevelReplay, ::testing::ValuesIn(LevelReplays()),
                         [](const ::testing::TestParamInfo<fs::path>& Info) {
                           return Info.param.stem().string();
                         });

}  // namespace
