// The big spider at the top of the left scene. Smaller spiders come down on its side: the
// leg reaches out, a spider shows high up, the leg goes in, the spider drops beside the maze
// and goes; each stage takes a step time and bites a hero standing where the spider is. Five
// stones thrown while the leg is in kill it, and the hero leaves through the exit.
#pragma once

#include "sprites/side_sprite.h"

namespace karvan {

class TSpiderSprite : public TSideSprite {
 public:
  TSpiderSprite(int xParam, int yParam, TSideCrystal Crystal, TLCDForm& ParentParam);

  bool Die() override;
  bool Move(TPos MoveDir, bool Forced) override;
};

}  // namespace karvan
