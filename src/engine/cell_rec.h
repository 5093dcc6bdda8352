// One map cell and one side scene of the level grid: one figure object per kind. The grid
// owns every figure.
#pragma once

#include <array>
#include <cstddef>
#include <memory>
#include <vector>

#include "engine/lazy_grid.h"
#include "engine/types.h"
#include "sprites/side_sprite.h"
#include "sprites/sprite.h"

namespace karvan {

class TLCDForm;

// The figures of one map cell or side scene, one per kind. A figure object is made the first
// time anything asks for it: until then nothing has changed it, so it is exactly the figure its
// factory makes, absent. A level file of the largest size names twenty thousand cells and a
// thousand side scenes, nearly all of whose figures nothing ever looks at; the level is read and
// built without making them. The room for the figures is part of the record, which the grid
// makes with the rest of its screen.
template <class TFigure, std::size_t Count>
class TFigureSlots {
 public:
  // The figure of a kind, made now if it was not made yet.
  std::unique_ptr<TFigure>& operator[](int Kind) const {
    std::unique_ptr<TFigure>& Figure = Slot(Kind);
    if (!Figure && !Making) Make(Kind);
    return Figure;
  }
  // The figure of a kind if it was made already; one not made is absent.
  TFigure* Made(int Kind) const { return Slots[static_cast<std::size_t>(Kind)].get(); }
  // Whether any figure was made (or a factory was handed a slot).
  bool AnyMade() const { return Any; }
  bool Visible(int Kind) const {
    const TFigure* Figure = Made(Kind);
    return Figure != nullptr && Figure->SpriteVisible;
  }
  // The slot itself, for the factory that fills it.
  std::unique_ptr<TFigure>& Slot(int Kind) const {
    Any = true;
    return Slots[static_cast<std::size_t>(Kind)];
  }
  // Frees the figures made, kind by kind.
  void Clear() {
    if (Any)
      for (auto& Figure : Slots) Figure.reset();
  }
  // The form and the place (map cell, or side scene of a screen) whose factory makes the
  // figures; a record without one makes none.
  void Place(TLCDForm& Form, int xParam, int yParam) {
    Owner = &Form;
    x = xParam;
    y = yParam;
  }

 private:
  // Defined for map cells and side scenes below.
  void Make(int Kind) const;

  // Making a figure changes nothing anyone can see, so const access may make one.
  mutable std::array<std::unique_ptr<TFigure>, Count> Slots;
  mutable bool Any = false;
  TLCDForm* Owner = nullptr;
  int x = 0;
  int y = 0;
  // A factory that asks its record for the slot it fills gets the slot as it is.
  mutable bool Making = false;
};

using TCellFigures = TFigureSlots<TSprite, GridCrystalCount>;
using TSideFigures = TFigureSlots<TSideSprite, SideCrystalCount>;

template <>
void TCellFigures::Make(int Kind) const;
template <>
void TSideFigures::Make(int Kind) const;

struct TCellRec {
  TCellFigures Sprites;
};

struct TSideCellRec {
  TSideFigures Sprites;
};

// The map, kept screen by screen; the side scenes, one record per screen.
using TMap = TLazyGrid<TCellRec, 5, 4>;
using TSideMap = TLazyGrid<TSideCellRec, 1, 1>;

}  // namespace karvan
