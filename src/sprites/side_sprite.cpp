#include "sprites/side_sprite.h"

#include "engine/lcd_form.h"

namespace karvan {

TSideSprite::TSideSprite(int xParam, int yParam, TSideCrystal SideSpriteNrParam,
                         TLCDForm& ParentParam)
    : TSprite(xParam, yParam, gcWallVert, ParentParam), SideSpriteNr(SideSpriteNrParam) {}

void TSideSprite::DoSpriteShowCrystal() {
  ParentForm.ShowCrystal(ParentForm.StartSideCrystal + SideSpriteNr);
}

}  // namespace karvan
