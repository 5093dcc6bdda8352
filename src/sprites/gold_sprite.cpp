#include "sprites/gold_sprite.h"

#include "engine/lcd_form.h"
#include "engine/level.h"
#include "game/karvan_form.h"

namespace karvan {

void TGoldSprite::ResetMovingObject(bool InitObject) {
  TMirkSprite::ResetMovingObject(InitObject);
  // Gold that moves is no longer counted as lying in the level.
  if (SpriteDir != PosNone) CountCoinTaken();
}

bool TGoldSprite::CheckPickUp() {
  if (!TMirkSprite::CheckPickUp()) return false;
  if (Present(gcScorpion, x, y) && !KarvanForm().Invincible) {
    SpriteVisible = true;
    return true;
  }
  ParentForm.PlayWave("wvBonus");
  ParentForm.Score += 3;
  CountCoinTaken();
  return true;
}

void TGoldSprite::CountCoinTaken() {
  if (ParentForm.Level) --ParentForm.Level->CoinsLeft;
}

}  // namespace karvan
