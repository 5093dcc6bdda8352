// A lock in a wall. It remembers the kind of the wall it closes, so that opening it with a
// key can take that wall away too.
#pragma once

#include "sprites/mirk_sprite.h"

namespace karvan {

class TLockSprite : public TMirkSprite {
 public:
  TLockSprite(int xParam, int yParam, TGridCrystal Crystal, TLCDForm& ParentParam,
              TGridCrystal aWall);

  // gcWallVert for a lock in a vertical wall, gcWallHorz for one in a horizontal wall.
  TGridCrystal Wall;

  bool SpriteShowCrystal() override;
};

}  // namespace karvan
