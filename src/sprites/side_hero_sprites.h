// The hero's figures in the side scenes. A death there costs no life: the figure blinks for
// the kill delay and the hero comes back at its restart cell on the map.
#pragma once

#include "sprites/side_sprite.h"

namespace karvan {

class TSideHeroSprite : public TSideSprite {
 public:
  using TSideSprite::TSideSprite;

  bool Die() override;
  void Dead() override;
};

// The hero on the platform over the snake: he raises his arms over a living snake and lowers
// them while a stone falls or once the snake is gone.
class TSideHeroRightSprite : public TSideHeroSprite {
 public:
  using TSideHeroSprite::TSideHeroSprite;

  bool SpriteShowCrystal() override;
};

// The hero beside the maze and the hero climbed up: a step brings him down beside the maze.
class TSideHeroLeftSprite : public TSideHeroSprite {
 public:
  using TSideHeroSprite::TSideHeroSprite;

  bool Move(TPos MoveDir, bool Forced) override;
};

}  // namespace karvan
