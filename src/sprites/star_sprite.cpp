#include "sprites/star_sprite.h"

#include "game/karvan_form.h"
#include "sprites/side_scene.h"

namespace karvan {

TStarSprite::TStarSprite(int xParam, int yParam, TSideCrystal Crystal, TLCDForm& ParentParam)
    : TSideSprite(xParam, yParam, Crystal, ParentParam) {
  KillBlink = 400;
  KillDelay = 1500;
}

void TStarSprite::Dead() {
  const TSideScene Scene = TSideScene::Of(*this);
  Scene.Hide(scSnake1);
  const TSideSprite* Snake = Scene.Figure(scDiamondSnake);
  // The stun of the knock-out blow is over: the hero wins the diamond. The animation may end
  // the level, so it is the last thing done here.
  if (Snake != nullptr && Snake->HP <= 0)
    static_cast<TKarvanForm&>(ParentForm).DiamondAnimation(Scene.Record());
}

}  // namespace karvan
