// The map of the left scene, taken by the hero who climbs up beside the maze. Carrying it
// lets the player look around the level.
#pragma once

#include "sprites/side_sprite.h"

namespace karvan {

class TMapSprite : public TSideSprite {
 public:
  using TSideSprite::TSideSprite;

  bool CheckPickUp() override;
};

}  // namespace karvan
