#include "sprites/wall_sprite.h"

#include "engine/lcd_form.h"
#include "engine/support.h"

namespace karvan {

TWallSprite::TWallSprite(int xParam, int yParam, TGridCrystal Crystal, TLCDForm& ParentParam)
    : TMirkSprite(xParam, yParam, Crystal, ParentParam) {
  SentBackOnScreenChange = false;
}

bool TWallSprite::OnScreen(int xParam, int yParam) {
  const TPoint& MapPos = ParentForm.MapPos;
  return MapPos.X <= xParam && xParam <= MapPos.X + 5 && MapPos.Y <= yParam &&
         yParam <= MapPos.Y + 4;
}

bool TWallSprite::Move(TPos MoveDir, bool) {
  int xNew = 0;
  int yNew = 0;
  GetXY(MoveDir, xNew, yNew);
  if (!SpriteVisible || ParentForm.HeroDying()) return false;
  SetMoveDelay();
  if (IsWall(xNew, yNew)) {
    // Head back at the very next pass.
    SpriteDir = OppositeDir(SpriteDir);
    MoveDelay = 0;
    return true;
  }
  // Carry what stands on the piece; a carried figure whose step is refused stays behind.
  if (TSprite* Scorpion = ParentForm.SpriteAt(x, y - 1, gcScorpion);
      Scorpion != nullptr && Scorpion->SpriteVisible)
    Scorpion->Move(SpriteDir, true);
  if (ParentForm.IsHeroPos(x, y - 1)) {
    if (TSprite* Hero = ParentForm.HeroSprite()) Hero->Move(SpriteDir, true);
  } else if (SpriteDir == PosBottom && ParentForm.IsHeroPos(x, y)) {
    // A lift coming down pushes the hero under it down.
    if (TSprite* Hero = ParentForm.HeroSprite()) Hero->Move(PosBottom, true);
  }
  CopyTo(xNew, yNew);
  SpriteVisible = false;
  return true;
}

void TWallSprite::ResetMovingObject(bool) {}

bool TWallSprite::CheckMove() {
  return TMirkSprite::CheckMove();
}

bool TWallSprite::IsWall(int xNew, int yNew) {
  if (!ParentForm.InMapRange(xNew, yNew)) return true;
  if (SpriteNr == gcWallVert) return Present(gcWallVert, xNew, yNew);
  if (SpriteNr != gcWallHorz) return false;
  // A horizontal piece never enters row 0, the top edge of the map.
  if (yNew != y) return Present(gcWallHorz, xNew, yNew) || yNew == 0;
  if (xNew < x)
    return Present(gcWallHorz, xNew, yNew) ||
           (Present(gcWallVert, x, y) && Present(gcWallVert, x, y - 1));
  if (xNew > x)
    return Present(gcWallHorz, xNew, yNew) ||
           (Present(gcWallVert, xNew, y) && Present(gcWallVert, xNew, y - 1));
  return false;
}

}  // namespace karvan
