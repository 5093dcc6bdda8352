#include "sprites/map_sprite.h"

#include "engine/lcd_form.h"
#include "game/karvan_form.h"

namespace karvan {

bool TMapSprite::CheckPickUp() {
  if (!TSideSprite::CheckPickUp()) return false;
  static_cast<TKarvanForm&>(ParentForm).HasMap = true;
  ParentForm.PlayWave("wvBonus");
  return true;
}

}  // namespace karvan
