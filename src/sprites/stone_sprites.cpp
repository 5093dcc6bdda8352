#include "sprites/stone_sprites.h"

#include "sprites/side_scene.h"

namespace karvan {

bool TStoneSprite::Move(TPos, bool) {
  const TSideScene Scene = TSideScene::Of(*this);
  // The stone stays while the flash of a strike shows and tries again a step time later.
  if (Scene.Visible(scStarStone)) return false;
  SpriteVisible = false;
  return true;
}

bool TStoneLeftSprite::Move(TPos MoveDir, bool Forced) {
  if (!TStoneSprite::Move(MoveDir, Forced)) return false;
  const TSideScene Scene = TSideScene::Of(*this);
  // The leg reaching out shields the spider: the stone misses.
  if (!Scene.Visible(scSpiderLeg)) {
    if (TSideSprite* Spider = Scene.Figure(scSpiderBig)) Spider->Hit(false);
    // The spider's death plays the exit animation, which may end the level: nothing of the
    // scene is touched after it.
  }
  return true;
}

}  // namespace karvan
