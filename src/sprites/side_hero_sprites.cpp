#include "sprites/side_hero_sprites.h"

#include "engine/lcd_form.h"
#include "engine/support.h"
#include "sprites/side_scene.h"

namespace karvan {

bool TSideHeroSprite::Die() {
  if (!SpriteVisible || ParentForm.HeroDying()) return false;
  ParentForm.PlayWave("wvDeath");
  Awake = false;
  KillTime = Now();
  return true;
}

void TSideHeroSprite::Dead() {
  SpriteVisible = false;
  if (TSprite* Hero = ParentForm.HeroSprite()) Hero->SpriteVisible = false;
  ParentForm.Resurrect(false);
}

bool TSideHeroRightSprite::SpriteShowCrystal() {
  const bool Lit = TSideHeroSprite::SpriteShowCrystal();
  const TSideScene Scene = TSideScene::Of(*this);
  Scene.Hide(scArmsUp);
  Scene.Hide(scArmsDown);
  if (Lit) {
    if (Scene.Visible(scStoneRight) || !Scene.Visible(scDiamondSnake))
      Scene.Show(scArmsDown);
    else
      Scene.Show(scArmsUp);
  }
  return Lit;
}

bool TSideHeroLeftSprite::Move(TPos, bool) {
  // A bitten hero stays where he was bitten until he is gone; climbing down would leave a
  // figure of him in the scene after he has come back on the map.
  if (!SpriteVisible || KillTime != -1) return false;
  SpriteVisible = false;
  TSideScene::Of(*this).Show(scHeroLeft);
  return true;
}

}  // namespace karvan
