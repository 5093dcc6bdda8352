// The gates each built-in level declares: the locks and switches its route needs. The level
// analysis checks that each one is needed, i.e. that the level cannot be completed with it
// sealed. Keep this list next to the levels when a level changes.
#pragma once

#include <vector>

#include "analysis/level_analysis.h"

namespace karvan {

// The named gates of built-in level N (1 to 24); none for any other number.
std::vector<TGate> NamedGatesOf(int LevelNr);

}  // namespace karvan
