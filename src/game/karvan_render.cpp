#include "game/karvan_render.h"

#include <algorithm>

#include "engine/support.h"
#include "game/karvan_form.h"

namespace karvan {

TKarvanRender::TKarvanRender(TKarvanForm& ParentParam)
    : TRender(ParentParam), KarvanForm(ParentParam) {}

void TKarvanRender::RenderSprites() {
  TLCDForm& F = ParentForm;
  if (F.Map.empty()) return;
  const int xEnd = std::min(F.MapPos.X + 5, static_cast<int>(F.Map.size()) - 1);
  if (xEnd < 0) return;
  const int yEnd = std::min(F.MapPos.Y + 4, static_cast<int>(F.Map[xEnd].size()) - 1);
  for (int x = std::max(F.MapPos.X, 0); x <= xEnd; ++x)
    for (int y = std::max(F.MapPos.Y, 0); y <= yEnd; ++y) {
      if (x == xEnd && y == yEnd) continue;
      if (!F.InMapRange(x, y)) continue;
      for (int Kind = 0; Kind < GridCrystalCount; ++Kind) {
        // The last column and row drawn contribute only the walls and locks of the edge.
        const bool Inside = x < xEnd && y < yEnd;
        const bool BottomEdge = y == yEnd && (Kind == gcWallHorz || Kind == gcLockHorz);
        const bool RightEdge = x == xEnd && (Kind == gcWallVert || Kind == gcLockVert);
        if (!Inside && !BottomEdge && !RightEdge) continue;
        TSprite* Sprite = F.Map[x][y].Sprites[Kind].get();
        if (Sprite != nullptr && CanRender(x, y)) Sprite->SpriteShowCrystal();
      }
    }
}

void TKarvanRender::RenderDisplay() {
  TRender::RenderDisplay();
  TKarvanForm& F = KarvanForm;
  F.ShowCrystal(F.PyramidsCrystal);
  if (F.Key > 0) F.ShowCrystal(F.KeyCrystal);
  // In map mode the map indicator blinks, 400 ms on and 400 ms off.
  if (F.HasMap && (!F.MapMode || (Now() / 400) % 2 == 1)) F.ShowCrystal(F.MapCrystal);
  if (F.Lives > 0) F.ShowCrystal(F.SmallHeroCrystal);
  if (F.Lives > F.MaxLives - 2) F.ShowCrystal(F.SmallHeroCrystal + 1);
  if (F.Lives > F.MaxLives - 1) F.ShowCrystal(F.SmallHeroCrystal + 2);
}

bool TKarvanRender::CanRender(int, int) {
  return true;
}

}  // namespace karvan
