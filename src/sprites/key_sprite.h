// A key lying in a cell; the hero carries it off by standing there and opens a lock with it.
#pragma once

#include "sprites/mirk_sprite.h"

namespace karvan {

class TKeySprite : public TMirkSprite {
 public:
  using TMirkSprite::TMirkSprite;

  bool CheckPickUp() override;
};

}  // namespace karvan
