// The device form's bookkeeping of moving objects: turning a cell's figure into a moving
// object, stopping it where it is, and sending every moving object back at a screen change.
#include "engine/lcd_form.h"
#include "engine/support.h"

namespace karvan {

bool TLCDForm::AddMovingObject(int xParam, TGridCrystal Sprite, TPos ObjectDir, std::int64_t Speed,
                               std::int64_t Wait, std::int64_t Start, bool RepeatingParam,
                               int yParam) {
  if (yParam == -1) yParam = Map.empty() ? -1 : static_cast<int>(Map[0].size()) - 1;
  // A cell outside the map has no figure to move.
  TSprite* S = SpriteAt(xParam, yParam, Sprite);
  if (S == nullptr) return false;
  if (S->OrgDir != PosNone && RepeatingParam) return false;
  S->SpriteDir = ObjectDir;
  S->OrgDir = ObjectDir;
  S->SpeedTime = Speed;
  S->WaitTime = Wait;
  S->StartTime = Start;
  S->MoveDelay = Speed;
  S->SpriteVisible = true;
  S->StartX = S->x;
  S->StartY = S->y;
  S->Repeating = RepeatingParam;
  S->MoveTime = RepeatingParam ? Now() + Start + Speed : Now() + Start - Speed;
  return true;
}

void TLCDForm::StopMovingObject(int xParam, int yParam) {
  auto Stop = [xParam, yParam](TSprite* S) {
    if (S != nullptr && S->StartX == xParam && S->StartY == yParam && S->SpriteDir != PosNone) {
      S->SaveDir = S->SpriteDir;
      S->SpriteDir = PosNone;
    }
  };
  for (int i = 0; InScreenRange(xParam % 5, i); ++i)
    for (int Kind = 0; Kind < GridCrystalCount; ++Kind)
      Stop(SpriteAt(xParam, MapPos.Y + i, static_cast<TGridCrystal>(Kind)));
  for (int i = 0; InScreenRange(i, yParam % 4); ++i)
    for (int Kind = 0; Kind < GridCrystalCount; ++Kind)
      Stop(SpriteAt(MapPos.X + i, yParam, static_cast<TGridCrystal>(Kind)));
}

}  // namespace karvan
