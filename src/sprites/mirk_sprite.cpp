#include "sprites/mirk_sprite.h"

#include "engine/lcd_form.h"
#include "game/karvan_form.h"

namespace karvan {

bool TMirkSprite::IsWall(int xNew, int yNew) {
  if (!ParentForm.InMapRange(xNew, yNew)) return true;
  if (xNew < x) return Present(gcWallVert, x, y);
  if (xNew > x) return Present(gcWallVert, xNew, yNew);
  if (yNew < y) return Present(gcWallHorz, x, y);
  if (yNew > y) return Present(gcWallHorz, xNew, yNew);
  return false;
}

TKarvanForm& TMirkSprite::KarvanForm() const {
  return static_cast<TKarvanForm&>(ParentForm);
}

bool TMirkSprite::Present(TGridCrystal Kind, int xCell, int yCell) const {
  const TSprite* S = ParentForm.SpriteAt(xCell, yCell, Kind);
  return S != nullptr && S->SpriteVisible;
}

}  // namespace karvan
