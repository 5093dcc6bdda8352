#include "sprites/key_sprite.h"

#include "engine/lcd_form.h"
#include "game/karvan_form.h"

namespace karvan {

bool TKeySprite::CheckPickUp() {
  if (!TMirkSprite::CheckPickUp()) return false;
  ++KarvanForm().Key;
  ParentForm.PlayWave("wvBonus");
  return true;
}

}  // namespace karvan
