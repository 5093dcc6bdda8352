#include "sprites/side_scene.h"

#include "engine/lcd_form.h"

namespace karvan {

TSideScene TSideScene::Of(const TSideSprite& Member) {
  TSideMap& Side = Member.ParentForm.SideArr;
  if (Member.x < 0 || Member.y < 0 || static_cast<std::size_t>(Member.x) >= Side.size() ||
      static_cast<std::size_t>(Member.y) >= Side[Member.x].size())
    return TSideScene(nullptr);
  TSideCellRec& Rec = Side[Member.x][Member.y];
  if (Rec.Sprites[Member.SideSpriteNr].get() != &Member) return TSideScene(nullptr);
  return TSideScene(&Rec);
}

}  // namespace karvan
