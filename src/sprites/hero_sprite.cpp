#include "sprites/hero_sprite.h"

#include "engine/lcd_form.h"
#include "engine/level.h"
#include "engine/support.h"
#include "game/karvan_form.h"
#include "levels/karvan_level.h"
#include "sprites/lock_sprite.h"

namespace karvan {

namespace {

// The hero's death lasts this long before it is brought back.
constexpr std::int64_t HeroDeathTime = 2000;
// Time in the air after the upward step of a jump.
constexpr std::int64_t JumpAirTime = 800;
// Time between two fall steps, and the blink half-period under the amulet.
constexpr std::int64_t FallStepTime = 400;
constexpr std::int64_t InvincibleBlink = 400;
// Each of the two pauses that show the key working the lock.
constexpr std::int64_t UnlockPause = 200;

// Lets the level start or stop the platforms bound to the switch just worked.
void RunSwitchEvent(TLCDForm& Form) {
  if (auto* Level = dynamic_cast<TKarvanLevel*>(Form.Level.get())) Level->CheckEvent();
}

}  // namespace

THeroSprite::THeroSprite(int xParam, int yParam, TGridCrystal Crystal, TLCDForm& ParentParam)
    : TMirkSprite(xParam, yParam, Crystal, ParentParam) {
  KillDelay = HeroDeathTime;
  // Standing still, the present hero still falls, lands and picks things up.
  ActsWhenPresent = true;
  SentBackOnScreenChange = false;
}

bool THeroSprite::Die() {
  if (!SpriteVisible || ParentForm.HeroDying()) return false;
  // The hero is dead before the sound's pause lets a key through: a key in that pause would
  // otherwise walk a living hero away from the dying one, and the game would never end.
  Awake = false;
  KillTime = Now();
  --ParentForm.Lives;
  ParentForm.PlayWave("wvDeath");
  return true;
}

bool THeroSprite::DoBlink() {
  if (TMirkSprite::DoBlink()) return true;
  if (!KarvanForm().Invincible) return false;
  const std::int64_t Since = Now() - MoveTime;
  ChangeWatch.NoteDue(Since >= 0 ? MoveTime + (Since / InvincibleBlink + 1) * InvincibleBlink
                                 : Now() + 1);
  return Since / InvincibleBlink % 2 != 0;
}

bool THeroSprite::Move(TPos MoveDir, bool Forced) {
  int xNew = 0;
  int yNew = 0;
  GetXY(MoveDir, xNew, yNew);
  if (!TMirkSprite::Move(MoveDir, Forced)) return false;
  ParentForm.PlayWave("wvMove");
  ParentForm.HeroPos = {xNew, yNew};
  if (TSprite* Hero = ParentForm.HeroSprite()) Hero->MoveTime = Now();
  if (!OnScreen(xNew, yNew)) ParentForm.Scroll(MoveDir);
  return true;
}

void THeroSprite::ResetMovingObject(bool) {}

bool THeroSprite::CheckMove() {
  // Only the present hero acts; every other hero object leaves at once.
  if (!SpriteVisible || Moved) return false;
  TKarvanForm& Form = KarvanForm();
  if (TimePassed(KillTime, HeroDeathTime)) {
    SpriteVisible = false;
    Form.Resurrect(false);
  }
  if (Form.HeroDying()) return false;
  if (TimePassed(JumpTime, JumpAirTime)) {
    Move(PosBottom, false);
    JumpTime = -1;
    if (TSprite* Hero = Form.HeroSprite()) {
      Hero->JumpTime = -1;
      // Landed: the player may step at once; still in the air: the next fall step and the
      // next key step wait.
      if (HasFloor(Hero->x, Hero->y))
        Hero->MoveTime = Now() - Hero->MoveDelay;
      else
        Hero->MoveTime = Now() + Hero->MoveDelay;
    }
  } else if (JumpTime == -1 && Fall() && TimePassed(MoveTime, FallStepTime)) {
    Move(PosBottom, false);
    // The cell fallen from had no floor: one steering step is allowed.
    Form.MoveInAir = true;
    if (TSprite* Hero = Form.HeroSprite(); Hero != nullptr && HasFloor(Hero->x, Hero->y))
      Hero->MoveTime = Now() - Hero->MoveDelay;
  } else if (!Fall()) {
    JumpTime = -1;
  }
  Form.CheckInventory();
  return false;
}

bool THeroSprite::Kill() {
  return false;
}

bool THeroSprite::SpriteShowCrystal() {
  // Every cell of the shown screen asks this in every frame: look the scene up once.
  if (const TSideCellRec* Rec = ParentForm.SideRecOf(x, y)) {
    for (const TSideCrystal Kind : {scHeroPlatform, scHeroLeft, scHeroTop})
      if (Rec->Sprites.Visible(Kind)) return false;
  } else if (InSideScene(scHeroPlatform) || InSideScene(scHeroLeft) || InSideScene(scHeroTop)) {
    return false;
  }
  return TMirkSprite::SpriteShowCrystal();
}

bool THeroSprite::CanMove(int xNew, int yNew, bool Forced) {
  TKarvanForm& Form = KarvanForm();
  if (Form.HeroDying()) return false;
  // Standing in a side scene, only the step back towards the map counts; it leaves the
  // scene and the hero is in its cell again.
  if (InSideScene(scHeroPlatform)) {
    if (xNew < x) {
      HideSide(scHeroPlatform);
      MoveTime = Now();
    }
    return false;
  }
  if (InSideScene(scHeroLeft)) {
    if (xNew > x) {
      HideSide(scHeroLeft);
      MoveTime = Now();
    }
    return false;
  }

  const TPos Dir = Form.GetDir(x, y, xNew, yNew);
  const int LastColumn = static_cast<int>(Form.Map.size()) - 1;
  const int LastRow = Form.Map.empty() ? -1 : static_cast<int>(Form.Map[0].size()) - 1;
  // Even a carried hero stays inside the map, and never enters its last column.
  bool Result =
      TMirkSprite::CanMove(xNew, yNew, Forced) && Form.InMapRange(xNew, yNew) && xNew < LastColumn;
  if (Result) {
    // Within a cell the scorpion stands to the right of the hero: the hero cannot pass it.
    if (!Form.Invincible && yNew == y) {
      if (xNew > x && Present(gcScorpion, x, y)) Result = false;
      if (xNew < x && Present(gcScorpion, xNew, yNew) && OnScreen(xNew, yNew)) Result = false;
    }
    // Sideways steps need ground under the feet, or the one steering step in the air.
    if (!Forced && yNew == y && !((JumpTime == -1 && !Fall()) || Form.MoveInAir)) Result = false;
    if (Result && yNew == LastRow && Fall()) {
      // Falling out of the bottom of the map.
      Hit(true);
      Result = false;
    }
    Form.MoveInAir = false;
    if (Result && Form.CheckSideArr(Dir)) Result = false;  // the side scene took the step
  } else if (!Unlock(Dir)) {
    Form.CheckSideArr(Dir);
  }
  if (!Result) Unlock(Dir);
  return Result;
}

bool THeroSprite::Unlock(TPos MoveDir) {
  TKarvanForm& Form = KarvanForm();
  if (Form.Key <= 0) return false;
  TSprite* LockFigure = nullptr;
  switch (MoveDir) {
    case PosTop:
      LockFigure = Form.SpriteAt(x, y, gcLockHorz);
      break;
    case PosBottom:
      LockFigure = Form.SpriteAt(x, y + 1, gcLockHorz);
      break;
    case PosLeft:
      LockFigure = Form.SpriteAt(x, y, gcLockVert);
      break;
    case PosRight:
      LockFigure = Form.SpriteAt(x + 1, y, gcLockVert);
      break;
    default:
      break;
  }
  auto* Lock = dynamic_cast<TLockSprite*>(LockFigure);
  if (Lock == nullptr || !Lock->SpriteVisible) return false;
  // Keys pressed while the lock opens (its sound and pauses let them through) must not open
  // the same lock again with a second key.
  const THeroActingScope Acting(Form);

  TSprite* KeyFigure = Form.SpriteAt(x, y, gcKey);
  auto ShowKey = [KeyFigure](bool Visible) {
    if (KeyFigure != nullptr) KeyFigure->SpriteVisible = Visible;
  };
  // The key is seen working the lock.
  ShowKey(true);
  Form.PlayWave("wvBonus");
  Form.Wait(UnlockPause);
  Lock->SpriteVisible = false;
  ShowKey(false);
  Form.Wait(UnlockPause);
  --Form.Key;
  if (TSprite* Wall = Form.SpriteAt(Lock->x, Lock->y, Lock->Wall)) Wall->SpriteVisible = false;
  ShowKey(false);
  return true;
}

bool THeroSprite::Fall() {
  return !HasFloor(x, y);
}

bool THeroSprite::CheckSwitch() {
  TKarvanForm& Form = KarvanForm();
  TSprite* Up = Form.SpriteAt(x, y, gcSwitchUp);
  TSprite* Down = Form.SpriteAt(x, y, gcSwitchDown);
  if (Up == nullptr || Down == nullptr) return false;
  if (Up->SpriteVisible) {
    Up->SpriteVisible = false;
    Down->SpriteVisible = true;
  } else if (Down->SpriteVisible) {
    Down->SpriteVisible = false;
    Up->SpriteVisible = true;
  } else {
    return false;
  }
  // Until the key is released, further presses step instead of flipping the switch again.
  Form.JumpKeyDown = true;
  RunSwitchEvent(Form);
  return true;
}

bool THeroSprite::InSideScene(TSideCrystal Kind) {
  return ParentForm.GetSideArr(x, y).Sprites.Visible(Kind);
}

void THeroSprite::HideSide(TSideCrystal Kind) {
  // A figure not made yet is absent already.
  if (TSideSprite* Figure = ParentForm.GetSideArr(x, y).Sprites.Made(Kind))
    Figure->SpriteVisible = false;
}

}  // namespace karvan
