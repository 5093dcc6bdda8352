#include "engine/level.h"

#include <algorithm>
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
  ParentForm.Map.ReserveRows(Rows);
  ParentForm.SideArr.ReserveRows(Rows / 4);
}

void TLevel::AddRowCodes(std::span<const std::int64_t> Codes) {
  TLCDForm& F = ParentForm;
  if (Codes.empty()) return;  // a row that begins with an empty field adds nothing
  const int y = static_cast<int>(F.Map.RowCount());
  // Rows of unequal length leave cells that no code names (a shorter row, or the earlier cells
  // of a column a longer row adds): they are there all the same, with every figure absent.
  F.Map.Grow(F, std::max(F.Map.size(), Codes.size()), static_cast<std::size_t>(y) + 1);
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
  // One side scene per whole screen, its figures all absent and made when first asked for.
  F.SideArr.Grow(F, F.Map.size() / 5, F.Map.RowCount() / 4);
}

}  // namespace karvan
