// The switch rules of the built-in levels: which platform a switch cell starts or stops, in
// which direction, and whether the lever works the other way round.
#pragma once

#include <span>

#include "engine/types.h"

namespace karvan {

struct TSwitchRule {
  int Level;  // the level number the player sees
  TPoint Switch;
  TPoint Platform;
  TPos Dir;
  bool Reverse;
};

// The rules of one level, in the order they are applied.
std::span<const TSwitchRule> SwitchRulesOf(int Level);

}  // namespace karvan
