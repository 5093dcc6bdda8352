#include "sprites/scorpion_sprite.h"

#include "engine/lcd_form.h"
#include "engine/support.h"
#include "game/karvan_form.h"

namespace karvan {

TScorpionSprite::TScorpionSprite(int xParam, int yParam, TGridCrystal Crystal,
                                 TLCDForm& ParentParam)
    : TMirkSprite(xParam, yParam, Crystal, ParentParam) {
  ScoreVal = 1;
  SentBackOnScreenChange = false;
  // Scorpions walk from the start, as soon as they have been shown once.
  SpriteDir = PosLeft;
}

void TScorpionSprite::ResetMovingObject(bool InitObject) {
  if (InitObject) return;
  if (Kill()) return;
  SpriteDir = OppositeDir(SpriteDir);
  MoveTime = Now() - MoveDelay;
}

bool TScorpionSprite::Kill() {
  if (!SpriteVisible || KarvanForm().Invincible) return false;
  if (!OnScreen(x, y)) return false;
  const bool InReach = ParentForm.IsHeroPos(x, y) ||
                       (ParentForm.IsHeroPos(x + 1, y) && HasFloor(x + 1, y) && !IsWall(x + 1, y));
  if (!InReach) return false;
  if (TSprite* Hero = ParentForm.HeroSprite()) Hero->Hit(false);
  return true;
}

bool TScorpionSprite::CanMove(int xNew, int yNew, bool Forced) {
  if (!TMirkSprite::CanMove(xNew, yNew, Forced)) return false;
  // Within a cell the hero stands left of the scorpion: a scorpion in view cannot pass it.
  // The hero's cell counts even while the hero is drawn in a side scene.
  if (OnScreen(x, y)) {
    if (xNew < x && ParentForm.IsHeroPos(x, y)) return false;
    if (xNew > x && ParentForm.IsHeroPos(xNew, yNew)) return false;
  }
  if (Forced) return true;
  // Scorpions only walk onto floor that stands still.
  const TSprite* Floor = ParentForm.SpriteAt(xNew, yNew + 1, gcWallHorz);
  return Floor != nullptr && Floor->SpriteVisible && Floor->SpriteDir == PosNone;
}

}  // namespace karvan
