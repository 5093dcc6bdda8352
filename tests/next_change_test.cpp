// What the game tells the platform about its next change, on which the desktop sleeps: every
// run of the golden traces (each built-in level's replay and the random-play runs) is played
// again, and each pass a sleeping desktop would have skipped must change nothing.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <optional>
#include <string>
#include <vector>

#include "engine/change_watch.h"
#include "sim/golden_trace.h"
#include "sim/next_change_check.h"
#include "sim/script.h"

namespace {

namespace fs = std::filesystem;
namespace sim = karvan::sim;
using karvan::NeverTick;
using karvan::TChangeWatch;

const fs::path TestDir = KARVAN_TEST_DATA_DIR;

TEST(ChangeWatch, AChangeAsksForTheNextPassAtOnceTwice) {
  TChangeWatch Watch;
  Watch.NoteActivity();
  Watch.NoteDue(500);
  EXPECT_EQ(Watch.Take(100), 100) << "the pass after a change may act at once";
  Watch.NoteDue(500);
  EXPECT_EQ(Watch.Take(101), 101) << "and so may the pass after that";
  Watch.NoteDue(500);
  Watch.NoteDue(300);
  Watch.NoteDue(900);
  EXPECT_EQ(Watch.Take(102), 300) << "two quiet passes: the earliest tick noted";
  EXPECT_EQ(Watch.Take(103), NeverTick) << "nothing noted: nothing is due";
}

// The arguments of a golden trace as a script and options.
struct TRun {
  sim::TScript Script;
  sim::TSimOptions Options;
};

TRun RunOf(const fs::path& TraceFile) {
  std::ifstream In(TraceFile);
  const sim::TGoldenTrace Trace = sim::ReadTrace(In, TraceFile.filename().string());
  TRun Run;
  for (std::size_t i = 0; i + 1 < Trace.Args.size(); i += 2) {
    const std::string& Name = Trace.Args[i];
    const std::string& Value = Trace.Args[i + 1];
    if (Name == "--level") {
      Run.Options.Level = std::stoi(Value);
    } else if (Name == "--until") {
      Run.Options.Until = std::stoll(Value);
    } else if (Name == "--script") {
      std::ifstream Script(TestDir.parent_path() / Value);
      Run.Script = sim::ParseScript(Script, Value);
    } else {
      ADD_FAILURE() << TraceFile << ": unexpected argument " << Name;
    }
  }
  return Run;
}

std::vector<fs::path> TraceFiles() {
  std::vector<fs::path> Files;
  for (const auto& Entry : fs::directory_iterator(TestDir / "golden"))
    if (Entry.path().extension() == ".trace") Files.push_back(Entry.path());
  std::sort(Files.begin(), Files.end());
  return Files;
}

class NextChange : public testing::TestWithParam<fs::path> {};

TEST_P(NextChange, NoPassBeforeThePromisedTickChangesAnything) {
  const TRun Run = RunOf(GetParam());
  const sim::TNextChangeRun Result = sim::CheckNextChange(Run.Script, Run.Options);
  EXPECT_FALSE(Result.Problem) << *Result.Problem;
  EXPECT_GT(Result.Time, 0);
}

std::string TraceName(const testing::TestParamInfo<fs::path>& Info) {
  return Info.param.stem().string();
}

TEST_P(NextChange, ASleepingRunShowsWhatTheGameShowedWhenRecorded) {
  std::ifstream In(GetParam());
  const sim::TGoldenTrace Recorded = sim::ReadTrace(In, GetParam().filename().string());
  const sim::TGoldenTrace Sleeping = sim::RecordTrace(Recorded.Args, TestDir.parent_path(), true);
  const std::optional<std::string> Difference = sim::CompareTraces(Recorded, Sleeping);
  EXPECT_FALSE(Difference) << *Difference;
}

INSTANTIATE_TEST_SUITE_P(GoldenRuns, NextChange, testing::ValuesIn(TraceFiles()), TraceName);

TEST(NextChangeWhileWaiting, AHeroStandingStillLetsTheDesktopSleepMostOfTheTime) {
  // Level 1 without a key: the scorpion walks and the hero stands; between steps nothing is due.
  sim::TSimOptions Options;
  Options.Level = 1;
  Options.Until = 20000;
  const sim::TNextChangeRun Result = sim::CheckNextChange(sim::TScript{}, Options);
  ASSERT_FALSE(Result.Problem) << *Result.Problem;
  EXPECT_GT(Result.QuietMs, Result.Time * 9 / 10)
      << "only " << Result.QuietMs << " of " << Result.Time << " ms without a pass";
}

}  // namespace
