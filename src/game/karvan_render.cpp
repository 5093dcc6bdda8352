#include "game/karvan_render.h"

#include <algorithm>

#include "engine/change_watch.h"
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
  const auto Show = [this](int x, int y, const TCellRec& Cell, TGridCrystal Kind) {
    TSprite* Sprite = Cell.Sprites[Kind].get();
    if (Sprite == nullptr || !CanRender(x, y)) return;
    // Nearly every figure of the screen is absent, awake since an earlier frame and without a
    // step mark: showing it would change nothing.
    if (!Sprite->SpriteVisible && Sprite->Awake && !Sprite->Moved) return;
    const bool Awake = Sprite->Awake;
    const bool Moved = Sprite->Moved;
    Sprite->SpriteShowCrystal();
    if (Sprite->Awake != Awake || Sprite->Moved != Moved) ChangeWatch.NoteActivity();
  };
  for (int x = std::max(F.MapPos.X, 0); x <= xEnd; ++x) {
    const auto& Column = F.Map[static_cast<std::size_t>(x)];
    const int yLast = std::min(yEnd, static_cast<int>(Column.size()) - 1);
    for (int y = std::max(F.MapPos.Y, 0); y <= yLast; ++y) {
      const TCellRec& Cell = Column[static_cast<std::size_t>(y)];
      if (x < xEnd && y < yEnd) {
        for (int Kind = 0; Kind < GridCrystalCount; ++Kind)
          Show(x, y, Cell, static_cast<TGridCrystal>(Kind));
      } else if (x < xEnd) {
        // The last row drawn contributes only the walls and locks of its top edge, the last
        // column only those of its left edge.
        Show(x, y, Cell, gcWallHorz);
        Show(x, y, Cell, gcLockHorz);
      } else if (y < yEnd) {
        Show(x, y, Cell, gcWallVert);
        Show(x, y, Cell, gcLockVert);
      }
    }
  }
}

void TKarvanRender::RenderDisplay() {
  TRender::RenderDisplay();
  TKarvanForm& F = KarvanForm;
  F.ShowCrystal(F.PyramidsCrystal);
  if (F.Key > 0) F.ShowCrystal(F.KeyCrystal);
  // In map mode the map indicator blinks, 400 ms on and 400 ms off.
  if (F.HasMap && F.MapMode) ChangeWatch.NoteDue((Now() / 400 + 1) * 400);
  if (F.HasMap && (!F.MapMode || (Now() / 400) % 2 == 1)) F.ShowCrystal(F.MapCrystal);
  if (F.Lives > 0) F.ShowCrystal(F.SmallHeroCrystal);
  if (F.Lives > F.MaxLives - 2) F.ShowCrystal(F.SmallHeroCrystal + 1);
  if (F.Lives > F.MaxLives - 1) F.ShowCrystal(F.SmallHeroCrystal + 2);
}

bool TKarvanRender::CanRender(int, int) {
  return true;
}

}  // namespace karvan
