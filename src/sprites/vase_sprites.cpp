#include "sprites/vase_sprites.h"

#include "engine/lcd_form.h"
#include "engine/support.h"
#include "game/karvan_form.h"
#include "sprites/side_scene.h"

namespace karvan {

bool TVaseSprite::CheckPickUp() {
  if (!TSideSprite::CheckPickUp()) return false;
  const TSideScene Scene = TSideScene::Of(*this);
  if (!Scene.Visible(scVaseCrackLeft)) {
    SpriteVisible = true;
    Scene.Show(scVaseCrackLeft);
  } else if (!Scene.Visible(scVaseCrackRight)) {
    SpriteVisible = true;
    Scene.Show(scVaseCrackRight);
  } else {
    // Broken: the cracks go with the vase and the contents show.
    Scene.Hide(scVaseCrackLeft);
    Scene.Hide(scVaseCrackRight);
  }
  ParentForm.PlayWave("wvBonus");
  return true;
}

bool TVaseContentSprite::SpriteShowCrystal() {
  if (TSideScene::Of(*this).Visible(scVase)) return false;
  return TSideSprite::SpriteShowCrystal();
}

bool TVaseContentSprite::CheckPickUp() {
  if (TSideScene::Of(*this).Visible(scVase)) return false;
  return TSideSprite::CheckPickUp();
}

bool TAnkhSprite::CheckPickUp() {
  if (!TVaseContentSprite::CheckPickUp()) return false;
  ++ParentForm.Lives;
  ParentForm.PlayWave("wvCoin");
  return true;
}

bool TAmuletSprite::CheckPickUp() {
  if (!TVaseContentSprite::CheckPickUp()) return false;
  static_cast<TKarvanForm&>(ParentForm).Invincible = true;
  // The hero flashes dark once: a hit blink that costs nothing while invincible.
  if (TSprite* Hero = ParentForm.HeroSprite()) Hero->KillTime = Now();
  ParentForm.PlayWave("wvCoin");
  return true;
}

}  // namespace karvan
