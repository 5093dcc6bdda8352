#include "engine/level.h"

#include <cstdint>
#include <string>

#include "engine/lcd_form.h"
#include "engine/support.h"

namespace karvan {

TLevel::TLevel(TLCDForm& ParentParam, int LevelNr) : ParentForm(ParentParam), Nr(LevelNr) {
  Randomize();
}

TLevel::~TLevel() {
  if (OwnsGrid) ParentForm.ClearGrid();
}

void TLevel::Create() {}

void TLevel::ActivateSprite(int x, int y, TGridCrystal Sprite) {
  ParentForm.Map[x][y].Sprites[Sprite]->SpriteVisible = true;
}

void TLevel::CheckMovement() {}

void TLevel::AddRow(std::string_view s) {
  AddRowCodes(ReadRowCodes(s));
}

void TLevel::ReserveRows(std::size_t Rows) {
  ReservedRows = Rows;
  for (auto& Column : ParentForm.Map) Column.reserve(Rows);
}

void TLevel::AddRowCodes(const std::vector<std::int64_t>& Codes) {
  TLCDForm& F = ParentForm;
  if (Codes.empty()) return;  // a row that begins with an empty field adds nothing
  const int y = F.Map.empty() ? 0 : static_cast<int>(F.Map[0].size());
  const std::size_t OldColumns = F.Map.size();
  const std::size_t OldSideColumns = F.SideArr.size();
  const std::size_t OldSideRows = F.SideArr.empty() ? 0 : F.SideArr[0].size();

  if (F.Map.size() < Codes.size()) F.Map.resize(Codes.size());
  // Rows of unequal length leave cells that no code names (a shorter row, or the earlier cells
  // of a column a longer row adds): they are there all the same, with every figure absent.
  for (std::size_t cx = 0; cx < F.Map.size(); ++cx) {
    auto& Column = F.Map[cx];
    const std::size_t From = cx < OldColumns ? Column.size() : 0;
    if (From == 0 && ReservedRows > 0) Column.reserve(ReservedRows);
    Column.resize(static_cast<std::size_t>(y) + 1);
    for (std::size_t cy = From; cy < Column.size(); ++cy)
      Column[cy].Sprites.Place(F, static_cast<int>(cx), static_cast<int>(cy));
  }
  // Only the figures a code makes present are made now; the others when something first asks
  // for them.
  int x = 0;
  for (std::int64_t Code : Codes) {
    for (int k = GridCrystalCount - 1; k >= 0; --k) {
      const auto Kind = static_cast<TGridCrystal>(k);
      const std::int64_t Value = std::int64_t{1} << k;
      if (Code - Value >= 0) {
        ActivateSprite(x, y, Kind);
        Code -= Value;
        if (Kind == F.CoinSprite()) ++CoinsLeft;
      }
    }
    ++x;
  }

  // The side scenes of the screens the row completed, their figures all absent and made when
  // first asked for.
  const std::size_t Columns = F.Map.size() / 5;
  const std::size_t Rows = F.Map[0].size() / 4;
  F.SideArr.resize(Columns);
  for (auto& Column : F.SideArr) Column.resize(Rows);
  for (std::size_t sx = 0; sx < F.SideArr.size(); ++sx)
    for (std::size_t sy = sx < OldSideColumns ? OldSideRows : 0; sy < F.SideArr[sx].size(); ++sy)
      F.SideArr[sx][sy].Sprites.Place(F, static_cast<int>(sx), static_cast<int>(sy));
}

}  // namespace karvan
