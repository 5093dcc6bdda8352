#include "levels/karvan_level.h"

#include "game/karvan_form.h"

namespace karvan {

TKarvanForm& TKarvanLevel::KarvanForm() {
  return static_cast<TKarvanForm&>(ParentForm);
}

void TKarvanLevel::Create() {
  TLevel::Create();
  TKarvanForm& Form = KarvanForm();
  Form.Invincible = false;
  LevelVal = 15;
  Form.Key = 0;
  Form.HasMap = false;
  Form.SwitchArr.clear();
}

void TKarvanLevel::ActivateSprite(int x, int y, TGridCrystal Sprite) {
  TLevel::ActivateSprite(x, y, Sprite);
  if (Sprite == gcSwitchUp) ParentForm.Map[x][y].Sprites[gcSwitchBase]->SpriteVisible = true;
  if (Sprite == gcHero) {
    // A level file may hold several hero cells (a code of 2047 holds every figure). There is
    // one hero: the last cell read is the start, and the earlier figures go, for a hero figure
    // elsewhere on the map would die and cost lives of its own.
    if (HeroCell && *HeroCell != TPoint{x, y})
      ParentForm.Map[HeroCell->X][HeroCell->Y].Sprites[gcHero]->SpriteVisible = false;
    HeroCell = TPoint{x, y};
    ParentForm.xResurrect = x;
    ParentForm.yResurrect = y;
  }
}

void TKarvanLevel::CheckEvent() {
  TKarvanForm& Form = KarvanForm();
  // Records are copied by index: a platform start may not change the list, but stay safe.
  for (std::size_t i = 0; i < Form.SwitchArr.size(); ++i) {
    const TSwitchRec Rec = Form.SwitchArr[i];
    if (Rec.SwitchPos == Form.HeroPos)
      Form.AddPlatform(Rec.PlatformPos.X, Rec.PlatformPos.Y, gcWallHorz, Rec.Dir, false);
  }
}

void TKarvanLevel::SwitchRule(int xSwitch, int ySwitch, int xPlatForm, int yPlatForm, TPos Dir,
                              bool Reverse) {
  TKarvanForm& Form = KarvanForm();
  if (Form.HeroPos == TPoint{xSwitch, ySwitch})
    Form.AddPlatform(xPlatForm, yPlatForm, gcWallHorz, Dir, Reverse);
}

void TKarvanLevel::StartPlatform(int xParam, TPos ObjectDir, std::int64_t Wait,
                                 std::int64_t Start) {
  ParentForm.AddMovingObject(xParam, gcWallHorz, ObjectDir, 1500, Wait, Start, true, -1);
}

void TKarvanLevel::ShowSide(int sx, int sy, TSideCrystal Kind) {
  ParentForm.SideArr[sx][sy].Sprites[Kind]->SpriteVisible = true;
}

}  // namespace karvan
