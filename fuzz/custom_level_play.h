// How the playing fuzzer plays a custom level file; the corpus test plays every corpus file the
// same way, so that an input the fuzzer kept breaks the test too.
#pragma once

#include <cstdint>
#include <string>

#include "sim/checked_run.h"

namespace karvan::fuzz {

inline constexpr std::int64_t PlayStart = 1000;  // the level choice's second of waiting is over
inline constexpr std::int64_t PlayEnd = 4000;
// The clock advances 4 ms a pump, the longest the desktop lets pass between two pumps: every run
// is one a player's machine can produce, with the same seconds of play and the same keys as at
// 1 ms, in a quarter of the passes.
inline constexpr std::int64_t PumpStep = 4;

// Loads the file through the level choice, as a player does, and plays it from PlayStart to
// PlayEnd with the same random keys every time.
inline sim::TCheckedRun PlayCustomLevelLikeTheFuzzer(const std::string& Path) {
  static const sim::TScript Keys = sim::RandomPlay(7, PlayStart, PlayEnd);
  sim::TSimOptions Options;
  Options.CustomFile = Path;
  Options.Until = PlayEnd;
  Options.Step = PumpStep;
  return sim::RunChecked(Keys, Options);
}

}  // namespace karvan::fuzz
