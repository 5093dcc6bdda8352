// One map cell and one side scene of the level grid: one figure object per kind. The grid
// owns every figure.
#pragma once

#include <array>
#include <memory>
#include <vector>

#include "engine/types.h"
#include "sprites/side_sprite.h"
#include "sprites/sprite.h"

namespace karvan {

class TLCDForm;

// The figures of one map cell, one per kind. A cell's figure object is made the first time
// anything asks for it: until then nothing has changed it, so it is exactly the figure its
// factory makes, absent. The largest level has tens of thousands of figures that nothing ever
// looks at; a level file is read and built without making them.
class TCellFigures {
 public:
  // The cell's figure of a kind, made now if it was not made yet.
  std::unique_ptr<TSprite>& operator[](int Kind) {
    std::unique_ptr<TSprite>& Sprite = Slots[static_cast<std::size_t>(Kind)];
    if (!Sprite) Make(Kind);
    return Sprite;
  }
  const std::unique_ptr<TSprite>& operator[](int Kind) const {
    std::unique_ptr<TSprite>& Sprite = Slots[static_cast<std::size_t>(Kind)];
    if (!Sprite) Make(Kind);
    return Sprite;
  }
  // The figure of a kind if it was made already; one not made is absent.
  TSprite* Made(int Kind) const { return Slots[static_cast<std::size_t>(Kind)].get(); }
  bool Visible(int Kind) const {
    const TSprite* Sprite = Made(Kind);
    return Sprite != nullptr && Sprite->SpriteVisible;
  }
  // The slot itself, for the factory that fills it and for freeing the grid.
  std::unique_ptr<TSprite>& Slot(int Kind) { return Slots[static_cast<std::size_t>(Kind)]; }
  // The form and map cell whose factory makes this cell's figures; a cell without one makes
  // none.
  void Place(TLCDForm& Form, int xParam, int yParam) {
    Owner = &Form;
    x = xParam;
    y = yParam;
  }

 private:
  void Make(int Kind) const;

  // Making a figure changes nothing anyone can see, so const access may make one.
  mutable std::array<std::unique_ptr<TSprite>, GridCrystalCount> Slots;
  TLCDForm* Owner = nullptr;
  int x = 0;
  int y = 0;
};

struct TCellRec {
  TCellFigures Sprites;
};

struct TSideCellRec {
  std::array<std::unique_ptr<TSideSprite>, SideCrystalCount> Sprites;
};

using TMap = std::vector<std::vector<TCellRec>>;
using TSideMap = std::vector<std::vector<TSideCellRec>>;

}  // namespace karvan
