// The game form's map figures: the factory that gives every cell its game classes, the
// switch records, and the platforms the switches start, stop and resume.
#include <memory>

#include "engine/support.h"
#include "game/karvan_form.h"
#include "sprites/gold_sprite.h"
#include "sprites/hero_sprite.h"
#include "sprites/key_sprite.h"
#include "sprites/lock_sprite.h"
#include "sprites/scorpion_sprite.h"
#include "sprites/wall_sprite.h"

namespace karvan {

namespace {

// Step time of every platform a switch drives.
constexpr std::int64_t PlatformStepTime = 1500;

}  // namespace

void TKarvanForm::CreateCrystal(TGridCrystal Crystal, int x, int y) {
  if (!InMapRange(x, y)) return;
  std::unique_ptr<TSprite>& Slot = Map[x][y].Sprites.Slot(Crystal);
  if (Slot) return;  // a cell keeps the figure object it has
  switch (Crystal) {
    case gcWallVert:
    case gcWallHorz:
      Slot = std::make_unique<TWallSprite>(x, y, Crystal, *this);
      break;
    case gcLockVert:
      Slot = std::make_unique<TLockSprite>(x, y, Crystal, *this, gcWallVert);
      break;
    case gcLockHorz:
      Slot = std::make_unique<TLockSprite>(x, y, Crystal, *this, gcWallHorz);
      break;
    case gcHero:
      Slot = std::make_unique<THeroSprite>(x, y, Crystal, *this);
      break;
    case gcScorpion:
      Slot = std::make_unique<TScorpionSprite>(x, y, Crystal, *this);
      break;
    case gcGold:
      Slot = std::make_unique<TGoldSprite>(x, y, Crystal, *this);
      break;
    case gcKey:
      Slot = std::make_unique<TKeySprite>(x, y, Crystal, *this);
      break;
    case gcSwitchUp:
    case gcSwitchDown:
    case gcSwitchBase:
      // Switch parts are plain figures; the hero works the switch.
      Slot = std::make_unique<TSprite>(x, y, Crystal, *this);
      break;
  }
}

void TKarvanForm::AddSwitch(int xSwitch, int ySwitch, int xPlatForm, int yPlatForm, TPos DirParam) {
  SwitchArr.push_back({{xSwitch, ySwitch}, {xPlatForm, yPlatForm}, DirParam});
}

void TKarvanForm::AddPlatform(int xPlatForm, int yPlatForm, TGridCrystal Sprite, TPos Dir,
                              bool Reverse) {
  // A platform cell outside the map has nothing to move.
  if (!InMapRange(xPlatForm, yPlatForm)) return;
  const TSprite* Up = SpriteAt(HeroPos.X, HeroPos.Y, gcSwitchUp);
  const TSprite* Down = SpriteAt(HeroPos.X, HeroPos.Y, gcSwitchDown);
  const bool LeverUp = Up != nullptr && Up->SpriteVisible;
  const bool LeverDown = Down != nullptr && Down->SpriteVisible;
  if ((LeverDown && !Reverse) || (LeverUp && Reverse))
    AddMovingObject(xPlatForm, Sprite, Dir, PlatformStepTime, 0, 0, true, yPlatForm);
  else if ((LeverUp && !Reverse) || (LeverDown && Reverse))
    StopMovingObject(xPlatForm, yPlatForm);
}

bool TKarvanForm::AddMovingObject(int xParam, TGridCrystal Sprite, TPos ObjectDir,
                                  std::int64_t Speed, std::int64_t Wait, std::int64_t Start,
                                  bool RepeatingParam, int yParam) {
  const bool Added = TLCDForm::AddMovingObject(xParam, Sprite, ObjectDir, Speed, Wait, Start,
                                               RepeatingParam, yParam);
  if (yParam == -1) yParam = Map.empty() ? -1 : static_cast<int>(Map[0].size()) - 1;
  TSprite* Object = SpriteAt(xParam, yParam, Sprite);
  if (Object == nullptr) return false;
  // The first step comes at the next pass in which the object is awake.
  Object->MoveTime = Now() - PlatformStepTime;
  if (Added) return true;

  // The cell already starts a moving object: resume it if a switch stopped it. A stopped
  // object stays where it was stopped, in the shown window's column or row of its start.
  auto Resume = [xParam, yParam](TSprite* S) {
    if (S != nullptr && S->StartX == xParam && S->StartY == yParam && S->SpriteDir == PosNone)
      S->SpriteDir = S->SaveDir;
  };
  if (ObjectDir == PosTop || ObjectDir == PosBottom) {
    for (int i = 0; InScreenRange(xParam % 5, i); ++i)
      for (int Kind = 0; Kind < GridCrystalCount; ++Kind)
        Resume(SpriteAt(xParam, MapPos.Y + i, static_cast<TGridCrystal>(Kind)));
  } else if (ObjectDir == PosLeft || ObjectDir == PosRight) {
    for (int i = 0; InScreenRange(i, yParam % 4); ++i)
      for (int Kind = 0; Kind < GridCrystalCount; ++Kind)
        Resume(SpriteAt(MapPos.X + i, yParam, static_cast<TGridCrystal>(Kind)));
  }
  return false;
}

}  // namespace karvan
