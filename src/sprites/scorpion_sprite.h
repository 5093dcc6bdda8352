// The map's enemy: it walks along its row, turns at gaps, walls, moving floor and other
// scorpions, and stings a hero it walks into.
#pragma once

#include "sprites/mirk_sprite.h"

namespace karvan {

class TScorpionSprite : public TMirkSprite {
 public:
  TScorpionSprite(int xParam, int yParam, TGridCrystal Crystal, TLCDForm& ParentParam);

  // Screen changes leave scorpions where they are; a refused step stings the hero when it is
  // within reach, and otherwise turns the scorpion round for the next pass.
  void ResetMovingObject(bool InitObject) override;
  // Stings a hero in the own cell or on a floor right next to it on the right, with no wall
  // between, while the scorpion is in the shown window.
  bool Kill() override;
  bool CanMove(int xNew, int yNew, bool Forced) override;
};

}  // namespace karvan
