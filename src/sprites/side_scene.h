// The figures of one side scene, reached by kind. Side figures hold no references to each
// other: every rule that lets one figure act on another goes through this view.
#pragma once

#include "engine/cell_rec.h"
#include "engine/types.h"

namespace karvan {

class TSideScene {
 public:
  // A view without a record sees every figure absent and changes nothing.
  explicit TSideScene(TSideCellRec* RecParam) : Rec(RecParam) {}

  // The scene a figure belongs to. A figure that is no longer part of the form's grid (its
  // level has just been replaced) gets an empty view, so it cannot reach into the new grid.
  static TSideScene Of(const TSideSprite& Member);

  // The record the view looks at; none for an empty view.
  TSideCellRec* Record() const { return Rec; }

  TSideSprite* Figure(TSideCrystal Kind) const {
    return Rec != nullptr ? Rec->Sprites[Kind].get() : nullptr;
  }
  bool Visible(TSideCrystal Kind) const {
    const TSideSprite* S = Figure(Kind);
    return S != nullptr && S->SpriteVisible;
  }
  void SetVisible(TSideCrystal Kind, bool On) const {
    if (TSideSprite* S = Figure(Kind)) S->SpriteVisible = On;
  }
  void Show(TSideCrystal Kind) const { SetVisible(Kind, true); }
  void Hide(TSideCrystal Kind) const { SetVisible(Kind, false); }

 private:
  TSideCellRec* Rec;
};

}  // namespace karvan
