// Grid hooks and queries of the device form: the figure factories, map and side ranges, the
// side record of a cell, directions.
#include "engine/change_watch.h"
#include "engine/lcd_form.h"
#include "engine/platform.h"

namespace karvan {

void TLCDForm::CreateCrystal(TGridCrystal Crystal, int x, int y) {
  Map[x][y].Sprites.Slot(Crystal) = std::make_unique<TSprite>(x, y, Crystal, *this);
}

void TLCDForm::CreateSideCrystal(TSideCrystal Crystal, int x, int y) {
  SideArr[x][y].Sprites.Slot(Crystal) = std::make_unique<TSideSprite>(x, y, Crystal, *this);
}

// A new figure object stands for one that was there all along: a constructor's assignments are
// no activity of the game.
void TLCDForm::MakeFigure(TGridCrystal Crystal, int x, int y) {
  const TChangeWatch::TNoted Noted = ChangeWatch.Noted();
  CreateCrystal(Crystal, x, y);
  ChangeWatch.Restore(Noted);
}

void TLCDForm::MakeSideFigure(TSideCrystal Crystal, int x, int y) {
  const TChangeWatch::TNoted Noted = ChangeWatch.Noted();
  CreateSideCrystal(Crystal, x, y);
  ChangeWatch.Restore(Noted);
}

namespace {

struct TMaking {
  bool& Flag;
  explicit TMaking(bool& FlagParam) : Flag(FlagParam) { Flag = true; }
  TMaking(const TMaking&) = delete;
  TMaking& operator=(const TMaking&) = delete;
  ~TMaking() { Flag = false; }
};

}  // namespace

// Only a record of the form's own grid makes figures: one of a grid the form has replaced (kept
// until the pass that used it ends) has nothing left to show.
template <>
void TCellFigures::Make(int Kind) const {
  if (Owner == nullptr || !Owner->InMapRange(x, y)) return;
  const TCellRec* Cell = Owner->Map.Made(static_cast<std::size_t>(x), static_cast<std::size_t>(y));
  if (Cell == nullptr || &Cell->Sprites != this) return;
  const TMaking Guard(Making);
  Owner->MakeFigure(static_cast<TGridCrystal>(Kind), x, y);
}

template <>
void TSideFigures::Make(int Kind) const {
  if (Owner == nullptr || x < 0 || y < 0) return;
  const TSideCellRec* Side =
      Owner->SideArr.Made(static_cast<std::size_t>(x), static_cast<std::size_t>(y));
  if (Side == nullptr || &Side->Sprites != this) return;
  const TMaking Guard(Making);
  Owner->MakeSideFigure(static_cast<TSideCrystal>(Kind), x, y);
}

bool TLCDForm::InSideMapRange(int x, int y) const {
  if (x < 0 || y < 0 || x % 5 != 0 || y % 4 != 0) return false;
  const std::size_t sx = x / 5;
  const std::size_t sy = y / 4;
  return sx < SideArr.size() && sy < SideArr[sx].size();
}

TSideCellRec& TLCDForm::SideArrFallback(int x, int y) {
  if (SideArr.empty() || SideArr[0].empty()) {
    GetPlatform().ShowMessage("GetSideArr is not assigned yet.");
    // Callers index the record's slots: answer a record of absent figures, reset on every
    // answer so that nothing a caller did to it lingers.
    if (!EmptySideRec) {
      EmptySideRec = std::make_unique<TSideCellRec>();
      for (int Kind = 0; Kind < SideCrystalCount; ++Kind)
        EmptySideRec->Sprites[Kind] =
            std::make_unique<TSideSprite>(0, 0, static_cast<TSideCrystal>(Kind), *this);
    }
    for (int Kind = 0; Kind < SideCrystalCount; ++Kind) {
      TSideSprite* Sprite = EmptySideRec->Sprites.Made(Kind);
      Sprite->SpriteVisible = false;
      Sprite->SpriteDir = PosNone;
      Sprite->KillTime = -1;
      Sprite->Awake = false;
    }
    return *EmptySideRec;
  }
  if (InMapRange(x, y)) {
    const std::size_t sx = x / 5;
    const std::size_t sy = y / 4;
    if (sx < SideArr.size() && sy < SideArr[sx].size()) return SideArr[sx][sy];
  }
  return SideArr[0][0];
}

TSideCrystals TLCDForm::GetSideCrystals() const {
  // Asked in every pass once the gold is gone, and the largest level has 5,600 side figures. A
  // figure's presence never changes without activity being noted, nor the grid without a new
  // generation: with neither, the answer is the last one.
  const std::size_t Columns = SideArr.size();
  const std::size_t Rows = SideArr.empty() ? 0 : SideArr[0].size();
  if (SideCrystalsKnown && SideCrystalsActivities == ChangeWatch.ActivityCount() &&
      SideCrystalsGeneration == GridGenerationCounter && SideCrystalsColumns == Columns &&
      SideCrystalsRows == Rows)
    return SideCrystalsFound;
  TSideCrystals Result = 0;
  SideArr.ForEachMade([&Result](const TSideCellRec& Side) {
    for (int Kind = 0; Kind < SideCrystalCount; ++Kind)
      if (Side.Sprites.Visible(Kind)) Result |= SideBit(static_cast<TSideCrystal>(Kind));
  });
  SideCrystalsKnown = true;
  SideCrystalsActivities = ChangeWatch.ActivityCount();
  SideCrystalsGeneration = GridGenerationCounter;
  SideCrystalsColumns = Columns;
  SideCrystalsRows = Rows;
  SideCrystalsFound = Result;
  return Result;
}

bool TLCDForm::IsHeroPos(int xParam, int yParam) const {
  return HeroPos.X == xParam && HeroPos.Y == yParam;
}

TPos TLCDForm::GetDir(int x, int y, int xNew, int yNew) const {
  TPos Result = PosNone;
  if (xNew > x) Result = PosRight;
  if (xNew < x) Result = PosLeft;
  if (yNew > y) Result = PosBottom;
  if (yNew < y) Result = PosTop;
  return Result;
}

TSprite* TLCDForm::SpriteAt(int x, int y, TGridCrystal Sprite) const {
  if (!InMapRange(x, y)) return nullptr;
  return Map[x][y].Sprites[Sprite].get();
}

}  // namespace karvan
