// A figure of a side scene. It always lights the same crystal, whatever screen it belongs to.
#pragma once

#include "sprites/sprite.h"

namespace karvan {

class TSideSprite : public TSprite {
 public:
  // x and y are the side-cell coordinates (screen column and row).
  TSideSprite(int xParam, int yParam, TSideCrystal SideSpriteNrParam, TLCDForm& ParentParam);

  const TSideCrystal SideSpriteNr;

  void DoSpriteShowCrystal() override;
};

}  // namespace karvan
