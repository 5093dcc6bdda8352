// The player's figure. Like every map figure it exists once in every cell; the present hero
// is the visible one at the form's HeroPos. It steps, jumps and falls, opens locks with the
// keys it carries, works switches, and enters and leaves the side scenes.
#pragma once

#include "sprites/mirk_sprite.h"

namespace karvan {

class THeroSprite : public TMirkSprite {
 public:
  THeroSprite(int xParam, int yParam, TGridCrystal Crystal, TLCDForm& ParentParam);

  bool Killed = false;

  // Virtual operations, in slot order.
  bool Die() override;
  // Besides the blink of a death, the hero under the amulet blinks with 400 ms periods
  // counted from its last step.
  bool DoBlink() override;
  bool Move(TPos MoveDir, bool Forced) override;
  // The hero is never sent back by screen changes.
  void ResetMovingObject(bool InitObject) override;
  // Brings the hero back after its death, ends a jump and makes a hero without floor fall.
  bool CheckMove() override;
  bool Kill() override;
  // The map hero is not drawn while it stands in a side scene.
  bool SpriteShowCrystal() override;
  bool CanMove(int xNew, int yNew, bool Forced) override;

  // Opens the lock in the wall on the MoveDir side of the hero's cell with a carried key.
  bool Unlock(TPos MoveDir);
  // Whether the hero's cell has no floor.
  bool Fall();
  // Flips the switch in the hero's cell and lets the level start or stop its platforms.
  bool CheckSwitch();

 private:
  // Whether one of the hero figures of the side scene of the hero's screen is present.
  bool InSideScene(TSideCrystal Kind);
  void HideSide(TSideCrystal Kind);
};

}  // namespace karvan
