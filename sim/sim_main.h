// The simulator's command line and run, callable in-process by tests.
#pragma once

#include <cstdint>
#include <ostream>
#include <string>
#include <vector>

namespace karvan::sim {

// Runs karvan-sim with the given arguments (without the program name). Exit status: 0 for a
// completed run, 2 for bad arguments or a bad script line. With TraceEvery > 0 a state line is
// also printed each time the virtual clock passes a multiple of that many ms. With Sleep the
// run skips the passes the game says change nothing (TSimOptions::Sleep).
int SimMain(const std::vector<std::string>& Args, std::ostream& Out, std::ostream& Err,
            std::int64_t TraceEvery = 0, bool Sleep = false);

}  // namespace karvan::sim
