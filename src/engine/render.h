// Turns the game state into the set of lit crystals of one frame; the form's Draw applies it.
#pragma once

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

  // One frame from a dark display.
  void Run();
  void ClearCrystals();
};

}  // namespace karvan
