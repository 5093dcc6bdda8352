// The golden traces under golden/: every built-in level's replay and a few random-play runs,
// recorded as digests of what the game showed every 10 ms. A change that is not meant to alter
// the game must leave them all identical.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "sim/golden_trace.h"

namespace {

namespace fs = std::filesystem;
namespace sim = karvan::sim;

const fs::path TestDir(KARVAN_TEST_DATA_DIR);

std::vector<fs::path> TraceFiles() {
  std::vector<fs::path> Files;
  for (const auto& Entry : fs::directory_iterator(TestDir / "golden"))
    if (Entry.is_regular_file() && Entry.path().extension() == ".trace")
      Files.push_back(Entry.path());
  std::sort(Files.begin(), Files.end());
  return Files;
}

sim::TGoldenTrace Load(const fs::path& Path) {
  std::ifstream In(Path);
  return sim::ReadTrace(In, Path.filename().string());
}

class GoldenTrace : public ::testing::TestWithParam<fs::path> {};

TEST_P(GoldenTrace, TheGameShowsWhatItShowedWhenRecorded) {
  const sim::TGoldenTrace Recorded = Load(GetParam());
  ASSERT_FALSE(Recorded.Seconds.empty());
  const sim::TGoldenTrace Now = sim::RecordTrace(Recorded.Args, TestDir.parent_path());
  const auto Problem = sim::CompareTraces(Recorded, Now);
  EXPECT_FALSE(Problem) << GetParam().filename().string() << ": " << *Problem;
}

INSTANTIATE_TEST_SUITE_P(Recorded, GoldenTrace, ::testing::ValuesIn(TraceFiles()),
                         [](const ::testing::TestParamInfo<fs::path>& Info) {
                           return Info.param.stem().string();
                         });

TEST(GoldenTraces, EveryBuiltInLevelHasOne) {
  for (int Level = 1; Level <= 24; ++Level) {
    const std::string Name = (Level < 10 ? "level_0" : "level_") + std::to_string(Level);
    EXPECT_TRUE(fs::exists(TestDir / "golden" / (Name + ".trace"))) << Name;
  }
}

// A digest that changes must be caught, and the message must name the second it changed in.
TEST(GoldenTraces, AChangeIsNamedByItsFirstSecond) {
  const sim::TGoldenTrace Recorded =
      sim::RecordTrace({"--level", "1", "--until", "3500"}, TestDir.parent_path());
  ASSERT_EQ(Recorded.Seconds.size(), 4u);
  EXPECT_FALSE(sim::CompareTraces(Recorded, Recorded));

  sim::TGoldenTrace Changed = Recorded;
  Changed.Seconds[2] ^= 1;
  Changed.Seconds[3] ^= 1;
  const auto Problem = sim::CompareTraces(Recorded, Changed);
  ASSERT_TRUE(Problem);
  EXPECT_NE(Problem->find("second 2 "), std::string::npos) << *Problem;

  sim::TGoldenTrace Shorter = Recorded;
  Shorter.Seconds.pop_back();
  EXPECT_TRUE(sim::CompareTraces(Recorded, Shorter));
}

// A run with a key pressed differs from one without it from the second of the press on.
TEST(GoldenTraces, TheDigestsFollowWhatTheGameShows) {
  const fs::path Script = fs::temp_directory_path() / "karvan_golden_walk.sim";
  std::ofstream(Script) << "@1500 press Right\n";
  const sim::TGoldenTrace Still =
      sim::RecordTrace({"--level", "1", "--until", "3000"}, TestDir.parent_path());
  const sim::TGoldenTrace Walked = sim::RecordTrace(
      {"--level", "1", "--script", Script.string(), "--until", "3000"}, TestDir.parent_path());
  fs::remove(Script);
  ASSERT_EQ(Still.Seconds.size(), Walked.Seconds.size());
  EXPECT_EQ(Still.Seconds[0], Walked.Seconds[0]);
  EXPECT_NE(Still.Seconds[1], Walked.Seconds[1]);
}

TEST(GoldenTraces, AFileSurvivesWritingAndReading) {
  sim::TGoldenTrace Trace{{"--level", "3", "--script", "tests/x.sim"},
                          {0, 1, 0xffffffffffffffffull}};
  std::stringstream File;
  sim::WriteTrace(File, Trace);
  const sim::TGoldenTrace Read = sim::ReadTrace(File, "t");
  EXPECT_EQ(Read.Args, Trace.Args);
  EXPECT_EQ(Read.Seconds, Trace.Seconds);

  std::istringstream Gap("args --level 1\n0 00\n2 00\n");
  EXPECT_THROW(sim::ReadTrace(Gap, "gap"), std::runtime_error);
  std::istringstream NoArgs("0 00\n");
  EXPECT_THROW(sim::ReadTrace(NoArgs, "noargs"), std::runtime_error);
  std::istringstream BadDigest("args --level 1\n0 xyz\n");
  EXPECT_THROW(sim::ReadTrace(BadDigest, "bad"), std::runtime_error);
}

}  // namespace
