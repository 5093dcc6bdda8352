// The simulator's command line and run, callable in-process by tests.
#pragma once

#include <ostream>
#include <string>
#include <vector>

namespace karvan::sim {

// Runs karvan-sim with the given arguments (without the program name). Exit status: 0 for a
// completed run, 2 for bad arguments or a bad script line.
int SimMain(const std::vector<std::string>& Args, std::ostream& Out, std::ostream& Err);

}  // namespace karvan::sim
