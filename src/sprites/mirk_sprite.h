// The common base of the game's map figures: the wall rule that hero and scorpions obey, and
// the cell queries the figures share.
#pragma once

#include "sprites/sprite.h"

namespace karvan {

class TKarvanForm;

class TMirkSprite : public TSprite {
 public:
  using TSprite::TSprite;

  // Whether the step from the own cell to (xNew, yNew) crosses a wall: the vertical wall of
  // a cell stands on its left edge, the horizontal wall on its top edge. Locks alone never
  // block; every lock in a level comes with its wall.
  bool IsWall(int xNew, int yNew) override;

 protected:
  // The game's device form; map figures of this game only ever live on one.
  TKarvanForm& KarvanForm() const;
  // Whether the kind-Kind figure of cell (xCell, yCell) is present; nothing is present
  // outside the map.
  bool Present(TGridCrystal Kind, int xCell, int yCell) const;
  // A cell has a floor when the horizontal wall of the cell below it is present.
  bool HasFloor(int xCell, int yCell) const { return Present(gcWallHorz, xCell, yCell + 1); }
};

}  // namespace karvan
