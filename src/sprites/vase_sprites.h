// The vase of the bottom-right scene and what it holds. Each push of the hero against the
// scene offers the contents first and the vase last, so the push that breaks the vase does
// not yet take what was inside; the next one does.
#pragma once

#include "sprites/side_sprite.h"

namespace karvan {

// Cracks on the first two pushes, breaks on the third.
class TVaseSprite : public TSideSprite {
 public:
  using TSideSprite::TSideSprite;

  bool CheckPickUp() override;
};

// Hidden inside the vase: neither drawn nor taken while the vase stands.
class TVaseContentSprite : public TSideSprite {
 public:
  using TSideSprite::TSideSprite;

  bool SpriteShowCrystal() override;
  bool CheckPickUp() override;
};

// One life more, with no upper limit.
class TAnkhSprite : public TVaseContentSprite {
 public:
  using TVaseContentSprite::TVaseContentSprite;

  bool CheckPickUp() override;
};

// Invincibility on the map for the rest of the level.
class TAmuletSprite : public TVaseContentSprite {
 public:
  using TVaseContentSprite::TVaseContentSprite;

  bool CheckPickUp() override;
};

}  // namespace karvan
