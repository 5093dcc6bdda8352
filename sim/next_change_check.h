// Checks what the game tells a platform about its next change (Platform::NextChangeAt): a
// desktop that sleeps until that tick must miss nothing. The simulator runs every pass anyway,
// so each pass the desktop would have slept through can be checked to change nothing.
#pragma once

#include <cstdint>
#include <optional>
#include <string>

#include "sim/script.h"
#include "sim/sim_platform.h"

namespace karvan::sim {

struct TNextChangeRun {
  std::optional<std::string> Problem;  // the first pass that broke a promise, in words
  std::int64_t Time = 0;               // virtual ms played
  std::int64_t QuietMs = 0;            // ms a sleeping desktop would not have run a pass
};

// Plays Script like karvan-sim with Options. After a promise "nothing before tick W" given at
// tick t, every pass before W without input in between must change nothing and promise no
// earlier tick.
TNextChangeRun CheckNextChange(const TScript& Script, const TSimOptions& Options);

}  // namespace karvan::sim
