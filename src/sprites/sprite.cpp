#include "sprites/sprite.h"

#include "engine/lcd_form.h"
#include "engine/support.h"

namespace karvan {

TSprite::TSprite(int xParam, int yParam, TGridCrystal Crystal, TLCDForm& ParentParam)
    : SpeedTime(ParentParam.EnemyMoveDelay),
      WaitTime(ParentParam.EnemyMoveDelay),
      KillDelay(ParentParam.KillDelayConst),
      MoveDelay(ParentParam.EnemyMoveDelay),
      x(xParam),
      y(yParam),
      SpriteNr(Crystal),
      ParentForm(ParentParam),
      Order(MapWalkOrder(xParam, yParam, SideCrystalCount + Crystal)) {}

TSprite::~TSprite() {
  if (Listed) ParentForm.UnlistActing(*this);
  if (ReturnListed) ParentForm.UnlistReturnable(*this);
}

void TSprite::Watch() {
  if (!Listed && CanAct()) ParentForm.ListActing(*this);
  if (!ReturnListed && !SideFigure && SentBackOnScreenChange && Returnable())
    ParentForm.ListReturnable(*this);
}

void TSprite::PlaceInWalk(std::uint64_t OrderParam, bool SideFigureParam) {
  // A figure changes its place only before it can be listed.
  if (Listed) ParentForm.UnlistActing(*this);
  if (ReturnListed) ParentForm.UnlistReturnable(*this);
  Order = OrderParam;
  SideFigure = SideFigureParam;
  Watch();
}

bool TimePassed(TWatched<std::int64_t>& Since, std::int64_t Delay) {
  std::int64_t Value = Since;
  const bool Passed = TimePassed(Value, Delay);
  Since = Value;
  return Passed;
}

bool TSprite::Hit(bool AllHP) {
  if (!SpriteVisible || KillTime != -1) return false;
  HP -= 1;
  if (AllHP) HP = 0;
  if (HP > 0) {
    ParentForm.PlayWave("wvDeathEnemy");
    KillTime = Now();
  } else {
    Die();
  }
  return true;
}

bool TSprite::Die() {
  if (!SpriteVisible || KillTime != -1) return false;
  ParentForm.PlayWave("wvDeathEnemy");
  Awake = false;
  ParentForm.Score += ScoreVal;
  KillTime = Now();
  return true;
}

void TSprite::Dead() {}

bool TSprite::DoBlink() {
  if (KillTime == -1 || KillBlink <= 0) return false;
  const std::int64_t Since = Now() - KillTime;
  const std::int64_t Periods = Since / KillBlink;
  // The blink turns at the end of this period.
  ChangeWatch.NoteDue(Since >= 0 ? KillTime + (Periods + 1) * KillBlink : Now() + 1);
  return Periods % 2 == 0;
}

bool TSprite::OnScreen(int xParam, int yParam) {
  const TPoint& MapPos = ParentForm.MapPos;
  return MapPos.X <= xParam && xParam <= MapPos.X + 4 && MapPos.Y <= yParam &&
         yParam <= MapPos.Y + 3;
}

bool TSprite::Move(TPos MoveDir, bool Forced) {
  int xNew = 0;
  int yNew = 0;
  GetXY(MoveDir, xNew, yNew);
  if (!SpriteVisible || ParentForm.HeroDying()) return false;
  SetMoveDelay();
  if (CanMove(xNew, yNew, Forced) && !ParentForm.HeroDying()) {
    CopyTo(xNew, yNew);
    SpriteVisible = false;
    return true;
  }
  ResetMovingObject(false);
  return false;
}

void TSprite::ResetMovingObject(bool InitObject) {
  if (!SpriteVisible && !EndPos) return;
  EndPos = false;
  if (Temp > 0) {
    SpriteVisible = false;
    Temp = 0;
  }
  if (SpriteDir == PosNone) return;
  if (InitObject) MoveDelay = StartTime;
  SpriteDir = OrgDir;
  MoveTime = Now();
  Awake = false;
  if (StartX == x && StartY == y) return;
  if (!InitObject) MoveDelay = WaitTime;
  if (Repeating) CopyTo(StartX, StartY);
  SpriteVisible = false;
}

bool TSprite::CheckMove() {
  // Idle figures leave after plain flag tests: a pass visits every figure of the level.
  if (KillTime != -1 && TimePassed(KillTime, KillDelay)) {
    SpriteVisible = false;
    KillTime = -1;
    Dead();
  }
  if (!Moved && SpriteVisible && Awake && SpriteDir != PosNone && !ParentForm.HeroDying() &&
      TimePassed(MoveTime, MoveDelay))
    return Move(SpriteDir, false);
  return false;
}

bool TSprite::Kill() {
  return false;
}

bool TSprite::SpriteShowCrystal() {
  Awake = true;
  Moved = false;
  if (!SpriteVisible) return false;
  if (DoBlink()) return false;
  // The blink of a hit that was not fatal ends after one period.
  if (HP > 0 && KillTime != -1 && TimePassed(KillTime, KillBlink)) KillTime = -1;
  DoSpriteShowCrystal();
  return true;
}

bool TSprite::IsWall(int xNew, int yNew) {
  return !ParentForm.InMapRange(xNew, yNew);
}

void TSprite::DoSpriteShowCrystal() {
  ParentForm.ShowCrystal(SpriteNr, RelX(), RelY());
}

bool TSprite::CheckPickUp() {
  const bool Result = SpriteVisible;
  SpriteVisible = false;
  return Result;
}

void TSprite::CopyTo(int xDest, int yDest) {
  TSprite* D = ParentForm.SpriteAt(xDest, yDest, SpriteNr);
  if (D == nullptr) return;
  if (D->SpriteVisible && D->Temp <= 0) return;
  D->SpriteVisible = true;
  D->SpriteDir = SpriteDir;
  D->SpeedTime = SpeedTime;
  D->StartTime = StartTime;
  D->WaitTime = WaitTime;
  D->MoveTime = MoveTime;
  D->Repeating = Repeating;
  D->OrgDir = OrgDir;
  D->MoveDelay = MoveDelay;
  D->Awake = Awake;
  D->JumpTime = JumpTime;
  D->StartX = StartX;
  D->StartY = StartY;
  D->Double = Double;
  D->LeftTopTrail = LeftTopTrail;
  D->RightBottomTrail = RightBottomTrail;
  D->Moved = true;
  ParentForm.NoteMoved(*D);
  D->Temp = 0;
  D->KillTime = -1;
}

bool TSprite::CanMove(int xNew, int yNew, bool Forced) {
  return (Forced || !IsWall(xNew, yNew)) && !IsVisible(SpriteNr, xNew, yNew);
}

int TSprite::RelX() const {
  return x - ParentForm.MapPos.X;
}

int TSprite::RelY() const {
  return y - ParentForm.MapPos.Y;
}

void TSprite::GetXY(TPos MoveDir, int& xNew, int& yNew) const {
  xNew = x;
  yNew = y;
  switch (MoveDir) {
    case PosTop:
      --yNew;
      break;
    case PosBottom:
      ++yNew;
      break;
    case PosLeft:
      --xNew;
      break;
    case PosRight:
      ++xNew;
      break;
    default:
      break;
  }
}

void TSprite::SetMoveDelay() {
  MoveDelay = SpeedTime;
}

TSprite* TSprite::CellSprite(TGridCrystal Sprite, int xParam, int yParam) const {
  if (xParam == -1 && yParam == -1) {
    xParam = x;
    yParam = y;
  }
  return ParentForm.SpriteAt(xParam, yParam, Sprite);
}

bool TSprite::IsVisible(TGridCrystal Sprite, int xParam, int yParam) const {
  const TSprite* S = CellSprite(Sprite, xParam, yParam);
  return S != nullptr && S->SpriteVisible;
}

bool TSprite::IsVisible(TGridCrystal Sprite, TPos MoveDir, int xParam, int yParam) const {
  const TSprite* S = CellSprite(Sprite, xParam, yParam);
  return S != nullptr && S->SpriteVisible && S->SpriteDir == MoveDir;
}

bool TSprite::IsMoving(TGridCrystal Sprite, int xParam, int yParam) const {
  const TSprite* S = CellSprite(Sprite, xParam, yParam);
  return S != nullptr && S->SpriteDir != PosNone;
}

}  // namespace karvan
