// The level base of the game: it resets the game's carried items for a new level, shows a
// switch's base with its lever, takes the hero cell of the rows as the return point, and
// starts or stops the platforms bound to a switch when the hero works it.
#pragma once

#include <optional>

#include "engine/level.h"

namespace karvan {

class TKarvanForm;

class TKarvanLevel : public TLevel {
 public:
  using TLevel::TLevel;

  void Create() override;
  void ActivateSprite(int x, int y, TGridCrystal Sprite) override;
  // Called right after a switch in the hero's cell changed state.
  virtual void CheckEvent();

 protected:
  TKarvanForm& KarvanForm();
  // Starts or stops the platform at (x, y) when the hero stands on the switch at (xSwitch,
  // ySwitch).
  void SwitchRule(int xSwitch, int ySwitch, int xPlatForm, int yPlatForm, TPos Dir, bool Reverse);
  // Starts a platform that moves from the beginning, in the row just added.
  void StartPlatform(int xParam, TPos ObjectDir, std::int64_t Wait = 0, std::int64_t Start = 0);
  // Makes a side figure of a screen visible.
  void ShowSide(int sx, int sy, TSideCrystal Kind);

 private:
  // The cell of the hero figure read last: a map holds one hero.
  std::optional<TPoint> HeroCell;
};

}  // namespace karvan
