// The snake coiled around the diamond in the right-hand scene. Its head pops up at a random
// side, rises (and bites a hero on the platform), drops to a random side and withdraws. A
// stone hits it only while its head is low at the left; each hit stuns it for as long as the
// strike's flash shows, and the fifth knocks it out.
#pragma once

#include "sprites/side_sprite.h"

namespace karvan {

class TSnakeSprite : public TSideSprite {
 public:
  TSnakeSprite(int xParam, int yParam, TSideCrystal Crystal, TLCDForm& ParentParam);

  bool Hit(bool AllHP) override;
  // The snake never dies away by itself: the diamond animation removes it and pays for it.
  bool Die() override;
  bool DoBlink() override;
  bool Move(TPos MoveDir, bool Forced) override;
};

}  // namespace karvan
