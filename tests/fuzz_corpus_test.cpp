// The fuzzers' seed files and every input they once found wrong, played the way the playing
// fuzzer plays them (loaded as a custom level through the level choice, then a few seconds of
// random keys at its pump spacing) and at the simulator's own 1 ms.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <vector>

#include "fuzz/custom_level_play.h"
#include "game/custom_level_file.h"
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
  int Playable = 0;
  for (const fs::path& File : Files) {
    SCOPED_TRACE(File.filename().string());
    for (const karvan::sim::TCheckedRun& Run :
         {karvan::sim::PlayCustomLevelFile(File.string()),
          karvan::fuzz::PlayCustomLevelLikeTheFuzzer(File.string())}) {
      EXPECT_FALSE(Run.Problem) << *Run.Problem;
      EXPECT_FALSE(Run.Ended);
      EXPECT_GE(Run.Time, 4000);
      Played += Run.LevelsStarted;
    }
    const auto Lines = karvan::ReadLevelFileLines(File.string());
    ASSERT_TRUE(Lines);
    if (karvan::IsPlayableCustomLevel(*Lines)) ++Playable;
  }
  EXPECT_GE(Played, 2 * static_cast<int>(Files.size()));
  // The corpus keeps levels to play, not only files the game refuses.
  EXPECT_GE(Playable, 5);
}

}  // namespace
