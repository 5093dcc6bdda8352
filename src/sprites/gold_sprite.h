// A gold piece: worth 3 points, and a level is not done while any is left. A scorpion
// standing on it guards it from a hero without the amulet.
#pragma once

#include "sprites/mirk_sprite.h"

namespace karvan {

class TGoldSprite : public TMirkSprite {
 public:
  using TMirkSprite::TMirkSprite;

  void ResetMovingObject(bool InitObject) override;
  bool CheckPickUp() override;

 private:
  void CountCoinTaken();
};

}  // namespace karvan
