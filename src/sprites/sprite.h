// The figure object of one map cell and kind. Figures never travel: a step copies the moving
// state into the same-kind object of the neighbouring cell, which becomes visible, and hides
// the old one.
#pragma once

#include <cstddef>
#include <cstdint>

#include "engine/change_watch.h"
#include "engine/types.h"
#include "sprites/figure_pool.h"

namespace karvan {

class TLCDForm;
class TSprite;

// A field of a figure whose changes may let the figure act: every assignment tells the figure,
// which then joins its form's list of figures that a pass visits. Reads are plain values.
template <class T>
class TWatched {
 public:
  TWatched(TSprite& OwnerParam, T ValueParam) : Value(ValueParam), Owner(OwnerParam) {}
  TWatched(const TWatched&) = delete;
  TWatched& operator=(const TWatched& Other) { return *this = Other.Value; }
  TWatched& operator=(T NewValue);
  operator T() const { return Value; }

 private:
  T Value;
  TSprite& Owner;
};

class TSprite {
 public:
  TSprite(int xParam, int yParam, TGridCrystal Crystal, TLCDForm& ParentParam);
  virtual ~TSprite();
  TSprite(const TSprite&) = delete;
  TSprite& operator=(const TSprite&) = delete;

  // Figures come from the figure pool (a level that is played through makes tens of thousands).
  static void* operator new(std::size_t Size) { return AllocateFigure(Size); }
  static void operator delete(void* Block, std::size_t Size) noexcept {
    ReleaseFigure(Block, Size);
  }

  // Fields, in declaration order.
  bool Double = true;
  TWatched<bool> EndPos{*this, false};
  bool LeftTopTrail = true;
  bool RightBottomTrail = true;
  bool Repeating = false;
  bool Awake = false;
  TWatched<bool> SpriteVisible{*this, false};
  bool Moved = false;
  TPos SaveDir = PosNone;
  TWatched<TPos> SpriteDir{*this, PosNone};
  TPos OrgDir = PosNone;
  std::int64_t SpeedTime;
  std::int64_t JumpTime = -1;
  std::int64_t StartTime = -1;
  std::int64_t WaitTime;
  std::int64_t MoveTime = 0;
  std::int64_t KillBlink = 200;
  std::int64_t KillDelay;
  std::int64_t MoveDelay;
  TWatched<std::int64_t> KillTime{*this, -1};
  TWatched<int> Temp{*this, 0};
  int HP = 1;
  int ScoreVal = 0;
  const int x;
  const int y;
  int StartX = -1;
  int StartY = -1;
  const TGridCrystal SpriteNr;
  TLCDForm& ParentForm;

  // Whether CheckMove may do anything: the figure is dying, or it is present and moving (or
  // acts whenever it is present). Every other figure's CheckMove returns at once, so a pass
  // visits only the figures for which this holds.
  bool CanAct() const {
    return KillTime != -1 || (SpriteVisible && (ActsWhenPresent || SpriteDir != PosNone));
  }
  // Absent and not dying: CheckMove of every figure class does nothing then.
  bool Idle() const { return !SpriteVisible && KillTime == -1; }
  // Where the full walk over the grid visits this figure: by map column, row, then the side
  // figures of a screen's top left cell before the cell's own figures, each by kind.
  std::uint64_t WalkOrder() const { return Order; }
  bool IsSideFigure() const { return SideFigure; }
  // Whether a screen change may send this map figure back, count it or take it away: it has a
  // direction, an end mark or a temporary mark. Every other figure's ResetMovingObject(true)
  // leaves it as it is.
  bool Returnable() const { return SpriteDir != PosNone || EndPos || Temp > 0; }
  // Called by a watched field after it changed: joins the form's list of acting figures, and
  // that of the figures a screen change visits.
  void Watch();
  // In the form's list of figures that may act.
  bool Listed = false;
  // In the form's list of map figures a screen change visits.
  bool ReturnListed = false;
  // The grid generation (plus one) in which the form last found this figure in its grid. A
  // figure leaves its grid only when the grid is replaced, which starts a new generation, or
  // when it is destroyed, so the form need not look it up again in every pass.
  std::uint64_t FoundInGeneration = 0;

  // Virtual operations, in slot order.

  virtual bool Hit(bool AllHP);
  virtual bool Die();
  virtual void Dead();
  virtual bool DoBlink();
  virtual bool OnScreen(int xParam, int yParam);
  virtual bool Move(TPos MoveDir, bool Forced);
  // Sends a moving figure back to its start. With InitObject an override must leave a figure
  // that has no direction, end mark or temporary mark as it is: screen changes skip those.
  virtual void ResetMovingObject(bool InitObject);
  virtual bool CheckMove();
  virtual bool Kill();
  // Wakes the figure, clears its step mark and lights its crystal when it is present and not
  // blinked off. For an absent map figure an override may do no more than that: the renderer
  // skips absent map figures that are awake and carry no step mark.
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
  // A side figure sets its place in the walk; CheckMove of a figure class that acts whenever
  // the figure is present (the hero) sets ActsWhenPresent.
  void PlaceInWalk(std::uint64_t OrderParam, bool SideFigureParam);
  bool ActsWhenPresent = false;
  // Cleared, before the figure can have a direction, by a figure class whose
  // ResetMovingObject(true) does nothing at all: screen changes then never visit it.
  bool SentBackOnScreenChange = true;

 private:
  std::uint64_t Order = 0;
  bool SideFigure = false;
};

template <class T>
TWatched<T>& TWatched<T>::operator=(T NewValue) {
  if (Value == NewValue) return *this;
  Value = NewValue;
  ChangeWatch.NoteActivity();
  if (!Owner.Listed || !Owner.ReturnListed) Owner.Watch();
  return *this;
}

// The place in the walk of figure slot Slot of map cell (x, y): columns, then rows, then slots
// (the side figures' before the cell's own).
constexpr std::uint64_t MapWalkOrder(int x, int y, int Slot) {
  return (static_cast<std::uint64_t>(static_cast<std::uint32_t>(x)) << 40) |
         (static_cast<std::uint64_t>(static_cast<std::uint32_t>(y) & 0xffffffu) << 16) |
         static_cast<std::uint64_t>(Slot & 0xffff);
}

// TimePassed on a watched time.
bool TimePassed(TWatched<std::int64_t>& Since, std::int64_t Delay);

}  // namespace karvan
