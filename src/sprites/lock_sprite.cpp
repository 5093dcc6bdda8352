#include "sprites/lock_sprite.h"

namespace karvan {

TLockSprite::TLockSprite(int xParam, int yParam, TGridCrystal Crystal, TLCDForm& ParentParam,
                         TGridCrystal aWall)
    : TMirkSprite(xParam, yParam, Crystal, ParentParam), Wall(aWall) {}

bool TLockSprite::SpriteShowCrystal() {
  return TMirkSprite::SpriteShowCrystal();
}

}  // namespace karvan
