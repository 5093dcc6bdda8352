// The figure object of one map cell and kind. Figures never travel: a step copies the moving
// state into the same-kind object of the neighbouring cell, which becomes visible, and hides
// the old one.
#pragma once

#include <cstdint>

#include "engine/types.h"

namespace karvan {

class TLCDForm;

class TSprite {
 public:
  TSprite(int xParam, int yParam, TGridCrystal Crystal, TLCDForm& ParentParam);
  virtual ~TSprite() = default;
  TSprite(const TSprite&) = delete;
  TSprite& operator=(const TSprite&) = delete;

  // Fields, in declaration order.
  bool Double = true;
  bool EndPos = false;
  bool LeftTopTrail = true;
  bool RightBottomTrail = true;
  bool Repeating = false;
  bool Awake = false;
  bool SpriteVisible = false;
  bool Moved = false;
  TPos SaveDir = PosNone;
  TPos SpriteDir = PosNone;
  TPos OrgDir = PosNone;
  std::int64_t SpeedTime;
  std::int64_t JumpTime = -1;
  std::int64_t StartTime = -1;
  std::int64_t WaitTime;
  std::int64_t MoveTime = 0;
  std::int64_t KillBlink = 200;
  std::int64_t KillDelay;
  std::int64_t MoveDelay;
  std::int64_t KillTime = -1;
  int Temp = 0;
  int HP = 1;
  int ScoreVal = 0;
  const int x;
  const int y;
  int StartX = -1;
  int StartY = -1;
  const TGridCrystal SpriteNr;
  TLCDForm& ParentForm;

  // Virtual operations, in slot order.
  // Absent and not dying: CheckMove of every figure class does nothing then, so a pass over the
  // grid may skip the call.
  bool Idle() const { return !SpriteVisible && KillTime == -1; }

  virtual bool Hit(bool AllHP);
  virtual bool Die();
  virtual void Dead();
  virtual bool DoBlink();
  virtual bool OnScreen(int xParam, int yParam);
  virtual bool Move(TPos MoveDir, bool Forced);
  virtual void ResetMovingObject(bool InitObject);
  virtual bool CheckMove();
  virtual bool Kill();
  virtual bool SpriteShowCrystal();
  virtual bool IsWall(int xNew, int yNew);
  virtual void DoSpriteShowCrystal();
  virtual bool CheckPickUp();
  virtual void CopyTo(int xDest, int yDest);
  virtual bool CanMove(int xNew, int yNew, bool Forced);

  // Screen position of the own cell.
  int RelX() const;
  int RelY() const;
  // The neighbouring cell in MoveDir (the own cell for any other direction).
  void GetXY(TPos MoveDir, int& xNew, int& yNew) const;
  void SetMoveDelay();
  // Whether the kind-Sprite figure of a cell is present; (-1, -1) is the own cell and any
  // cell outside the map has nothing in it.
  bool IsVisible(TGridCrystal Sprite, int xParam, int yParam) const;
  bool IsVisible(TGridCrystal Sprite, TPos MoveDir, int xParam, int yParam) const;
  bool IsMoving(TGridCrystal Sprite, int xParam, int yParam) const;

 protected:
  // The kind-Sprite object of a cell, or none outside the map; (-1, -1) is the own cell.
  TSprite* CellSprite(TGridCrystal Sprite, int xParam, int yParam) const;
};

}  // namespace karvan
