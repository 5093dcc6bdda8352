// One map cell and one side scene of the level grid: one figure object per kind. The grid
// owns every figure.
#pragma once

#include <array>
#include <memory>
#include <vector>

#include "engine/types.h"
#include "sprites/side_sprite.h"
#include "sprites/sprite.h"

namespace karvan {

struct TCellRec {
  std::array<std::unique_ptr<TSprite>, GridCrystalCount> Sprites;
};

struct TSideCellRec {
  std::array<std::unique_ptr<TSideSprite>, SideCrystalCount> Sprites;
};

using TMap = std::vector<std::vector<TCellRec>>;
using TSideMap = std::vector<std::vector<TSideCellRec>>;

}  // namespace karvan
