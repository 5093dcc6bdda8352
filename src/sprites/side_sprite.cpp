#include "sprites/side_sprite.h"

#include "engine/lcd_form.h"

namespace karvan {

TSideSprite::TSideSprite(int xParam, int yParam, TSideCrystal SideSpriteNrParam,
                         TLCDForm& ParentParam)
    : TSprite(xParam, yParam, gcWallVert, ParentParam), SideSpriteNr(SideSpriteNrParam) {
  // The walk visits a screen's side figures at its top left cell.
  PlaceInWalk(MapWalkOrder(xParam * 5, yParam * 4, SideSpriteNrParam), true);
}

void TSideSprite::DoSpriteShowCrystal() {
  ParentForm.ShowCrystal(ParentForm.StartSideCrystal + SideSpriteNr);
}

}  // namespace karvan
