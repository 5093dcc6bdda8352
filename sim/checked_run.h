// A run of the real game on the headless platform with the game's invariants checked at every
// message pump: the microscope of the random-play soak and of the custom-level fuzzer.
#pragma once

#include <cstdint>
#include <optional>
#include <string>

#include "sim/script.h"
#include "sim/sim_platform.h"

namespace karvan {
class TKarvanForm;
}

namespace karvan::sim {

// The first broken invariant of the form's state, or nothing when all hold: hero and view
// inside the map, the view on screen boundaries (but while it slides), lives and keys not
// negative, the score shown within 0..9999.
std::optional<std::string> CheckInvariants(const TKarvanForm& Form);

struct TCheckedRun {
  std::optional<std::string> Problem;  // the broken invariant, with the virtual time
  std::int64_t Time = 0;               // virtual ms reached
  std::int64_t Pumps = 0;              // message pumps, one or more per pass of the game loop
  int LevelsStarted = 0;               // games begun by the level choice
  bool Ended = false;                  // the game loop ended by itself
};

// Plays the script from the program's start until Options.Until.
TCheckedRun RunChecked(const TScript& Script, const TSimOptions& Options);

// A random player: presses, holds and releases the arrows, Z and now and then Escape, from
// Start until End, the same for the same seed.
TScript RandomPlay(std::uint32_t Seed, std::int64_t Start, std::int64_t End);

// Loads a custom level file through the level choice, as a player does, and plays it for a
// few seconds of random keys.
TCheckedRun PlayCustomLevelFile(const std::string& Path);

// The script in the simulator's own language, so that a run can be replayed by karvan-sim.
std::string ScriptText(const TScript& Script);

}  // namespace karvan::sim
