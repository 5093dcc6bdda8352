// The flash where a stone strikes the snake. Every hit on the snake shows it and kills it at
// once, so it blinks slowly for a while and goes; the snake stays stunned as long as it shows.
#pragma once

#include "sprites/side_sprite.h"

namespace karvan {

class TStarSprite : public TSideSprite {
 public:
  TStarSprite(int xParam, int yParam, TSideCrystal Crystal, TLCDForm& ParentParam);

  void Dead() override;
};

}  // namespace karvan
