// The game's renderer: the map window with its border column and row of walls, drawn also
// while the view slides, and the status figures beside the score.
#pragma once

#include "engine/render.h"

namespace karvan {

class TKarvanForm;

class TKarvanRender final : public TRender {
 public:
  explicit TKarvanRender(TKarvanForm& ParentParam);

  void RenderSprites() override;
  void RenderDisplay() override;
  bool CanRender(int x, int y) override;

 private:
  TKarvanForm& KarvanForm;
};

}  // namespace karvan
