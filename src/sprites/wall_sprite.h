// A wall piece. Standing walls only block; a wall made a moving object becomes a lift or a
// sliding floor that turns at obstacles and carries whatever stands on it.
#pragma once

#include "sprites/mirk_sprite.h"

namespace karvan {

class TWallSprite : public TMirkSprite {
 public:
  TWallSprite(int xParam, int yParam, TGridCrystal Crystal, TLCDForm& ParentParam);

  // The shown window together with its border column and row, where the right and bottom
  // edges of the shown cells are drawn.
  bool OnScreen(int xParam, int yParam) override;
  bool Move(TPos MoveDir, bool Forced) override;
  // Moving walls keep going back and forth through screen changes and resurrections.
  void ResetMovingObject(bool InitObject) override;
  bool CheckMove() override;
  // What stops a moving piece: the map's edge, another piece of its kind, row 0 for a
  // horizontal piece going up or down, and a continuous vertical wall through the corner a
  // sliding floor passes.
  bool IsWall(int xNew, int yNew) override;
};

}  // namespace karvan
