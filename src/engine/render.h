// Turns the game state into the set of lit crystals of one frame; the form's Draw applies it.
#pragma once

#include <cstdint>
#include <vector>

#include "engine/types.h"

namespace karvan {

class TLCDForm;

class TRender {
 public:
  explicit TRender(TLCDForm& ParentParam) : ParentForm(ParentParam) {}
  virtual ~TRender() = default;
  TRender(const TRender&) = delete;
  TRender& operator=(const TRender&) = delete;

  TLCDForm& ParentForm;

  // Virtual operations, in slot order.
  virtual void RenderSprites();
  virtual void RenderSideSprites();
  virtual void RenderDisplay();
  virtual void RenderGame();
  virtual bool CanRender(int x, int y);

  // One frame from a dark display. What the figures light depends on their state and on the
  // time tests they make while they are shown: with no activity noted since the last frame's
  // figures were shown and none of those tests due yet, they light what they lit then, and
  // those crystals are lit again without visiting the figures. The display part (score, lives)
  // is drawn every time.
  void Run();
  void ClearCrystals();

 private:
  bool FiguresUnchanged() const;

  struct TKeptFigures {
    bool Valid = false;
    std::uint64_t Activities = 0;  // noted before the figures were shown
    std::int64_t Due = 0;          // the earliest tick one of their time tests turns
    std::uint64_t GridGeneration = 0;
    TPoint MapPos;
    bool Scrolling = false;
    std::vector<int> Lit;  // what they lit
  };
  TKeptFigures Kept;
};

}  // namespace karvan
