// The fuzzer's seed files and every input it once found wrong, played the way the fuzzer plays
// them: loaded as a custom level through the level choice, then a few seconds of random keys.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <vector>

#include "sim/checked_run.h"

namespace {

namespace fs = std::filesystem;

TEST(FuzzCorpus, EveryFileLoadsOrIsRejectedAndPlaysWithoutBreakingTheGame) {
  std::vector<fs::path> Files;
  for (const auto& Entry : fs::directory_iterator(fs::path(KARVAN_FUZZ_CORPUS_DIR)))
    if (Entry.is_regular_file()) Files.push_back(Entry.path());
  std::sort(Files.begin(), Files.end());
  ASSERT_GE(Files.size(), 5u);
  int Played = 0;
  for (const fs::path& File : Files) {
    SCOPED_TRACE(File.filename().string());
    const karvan::sim::TCheckedRun Run = karvan::sim::PlayCustomLevelFile(File.string());
    EXPECT_FALSE(Run.Problem) << *Run.Problem;
    EXPECT_FALSE(Run.Ended);
    EXPECT_GE(Run.Time, 4000);
    Played += Run.LevelsStarted;
  }
  EXPECT_GE(Played, static_cast<int>(Files.size()));
}

}  // namespace
