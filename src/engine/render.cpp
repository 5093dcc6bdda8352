#include "engine/render.h"

#include <algorithm>

#include "engine/change_watch.h"
#include "engine/lcd_form.h"
#include "engine/support.h"

namespace karvan {

void TRender::Run() {
  TLCDForm& F = ParentForm;
  if (FiguresUnchanged()) {
    F.RestartFrame(Kept.Lit);
    // Their time tests are still pending: a sleeping desktop must wake for them as before.
    ChangeWatch.NoteDue(Kept.Due);
  } else {
    const std::uint64_t Activities = ChangeWatch.ActivityCount();
    const std::int64_t Outer = ChangeWatch.BeginNested();
    RenderGame();
    Kept.Due = ChangeWatch.EndNested(Outer);
    Kept.Valid = true;
    Kept.Activities = Activities;
    Kept.GridGeneration = F.GridGeneration();
    Kept.MapPos = F.MapPos;
    Kept.Scrolling = F.Scrolling;
    Kept.Lit.assign(F.FrameLit().begin(), F.FrameLit().end());
  }
  RenderDisplay();
}

bool TRender::FiguresUnchanged() const {
  const TLCDForm& F = ParentForm;
  return Kept.Valid && Kept.Activities == ChangeWatch.ActivityCount() && Now() < Kept.Due &&
         Kept.GridGeneration == F.GridGeneration() && Kept.MapPos == F.MapPos &&
         Kept.Scrolling == F.Scrolling;
}

void TRender::RenderGame() {
  ClearCrystals();
  RenderSprites();
  RenderSideSprites();
}

void TRender::ClearCrystals() {
  ParentForm.ClearFrame();
}

void TRender::RenderSprites() {
  TLCDForm& F = ParentForm;
  if (F.Scrolling) return;
  // Window cells outside the map (a map that is not made of whole screens) show nothing.
  for (int x = F.MapPos.X; x <= F.MapPos.X + 4; ++x)
    for (int y = F.MapPos.Y; y <= F.MapPos.Y + 3; ++y) {
      if (!F.InMapRange(x, y)) continue;
      for (int Kind = 0; Kind < GridCrystalCount; ++Kind) {
        const auto& Sprite = F.Map[x][y].Sprites[Kind];
        if (Sprite && CanRender(Sprite->x, Sprite->y)) Sprite->SpriteShowCrystal();
      }
    }
}

void TRender::RenderSideSprites() {
  TLCDForm& F = ParentForm;
  // Side records belong to the screens' top left cells: the columns that are multiples of 5
  // and the rows that are multiples of 4 of the window (one of each, but while the view slides).
  const auto FirstMultiple = [](int From, int Of) {
    return (std::max(From, 0) + Of - 1) / Of * Of;
  };
  for (int x = FirstMultiple(F.MapPos.X, 5); x <= F.MapPos.X + 4; x += 5)
    for (int y = FirstMultiple(F.MapPos.Y, 4); y <= F.MapPos.Y + 3; y += 4)
      if (F.InSideMapRange(x, y) && CanRender(-1, -1)) {
        TSideCellRec& Side = F.GetSideArr(x, y);
        for (int Kind = 0; Kind < SideCrystalCount; ++Kind) {
          const auto& Sprite = Side.Sprites[Kind];
          if (!Sprite) continue;
          const bool Awake = Sprite->Awake;
          const bool Moved = Sprite->Moved;
          Sprite->SpriteShowCrystal();
          if (Sprite->Awake != Awake || Sprite->Moved != Moved) ChangeWatch.NoteActivity();
        }
      }
}

void TRender::RenderDisplay() {
  TLCDForm& F = ParentForm;
  int S = F.Score;
  // 9999, not 10000: a score of 10000 shows 1.
  if (S > 9999) {
    F.Score -= 9999;
    S = F.Score;
  }
  if (S >= 1000) F.RenderDigit(F.Digit1, S / 1000);
  if (S >= 100) F.RenderDigit(F.Digit2, (S / 100) % 10);
  if (S >= 10) F.RenderDigit(F.Digit3, (S / 10) % 10);
  F.RenderDigit(F.Digit4, S % 10);
}

bool TRender::CanRender(int, int) {
  return true;
}

}  // namespace karvan
