// A level: it fills the device form's grid from text rows of cell codes and frees the grid
// when it is freed. Only one level exists at a time.
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <span>
#include <string_view>
#include <vector>

#include "engine/types.h"

namespace karvan {

class TLCDForm;

class TLevel {
 public:
  TLevel(TLCDForm& ParentParam, int LevelNr);
  virtual ~TLevel();
  TLevel(const TLevel&) = delete;
  TLevel& operator=(const TLevel&) = delete;

  // Fields, in declaration order.
  TLCDForm& ParentForm;
  int xStart = -1;
  int yStart = -1;
  int CoinsLeft = 0;
  int LevelVal = 20;
  int Nr;

  // Virtual operations, in slot order. Create reads the level's rows and sets it up; it runs
  // once, right after the object is built (MakeLevel), so that the descendants' overrides of
  // ActivateSprite take part in reading the rows.
  virtual void Create();
  virtual void ActivateSprite(int x, int y, TGridCrystal Sprite);
  virtual void CheckMovement();

  // Appends one map row of comma-separated cell codes below the existing rows.
  void AddRow(std::string_view s);
  // AddRow with the row's codes read already.
  void AddRowCodes(std::span<const std::int64_t> Codes);
  // Room in the grid for Rows rows, for a caller that knows how many rows will come: the grid
  // then lays its screens out once instead of at every doubling.
  void ReserveRows(std::size_t Rows);

  // Set by the form when it retires the level in the middle of a pass: the grid has then
  // already been taken out of the form and is freed separately.
  bool OwnsGrid = true;
};

// The cell codes of one level row: comma-separated numbers, up to the first empty field.
std::vector<std::int64_t> ReadRowCodes(std::string_view s);
// The same codes, appended to Codes.
void AppendRowCodes(std::string_view s, std::vector<std::int64_t>& Codes);

// Builds a level and reads its rows.
template <class TLevelClass, class... TArgs>
std::unique_ptr<TLevelClass> MakeLevel(TArgs&&... Args) {
  auto Result = std::make_unique<TLevelClass>(std::forward<TArgs>(Args)...);
  Result->Create();
  return Result;
}

}  // namespace karvan
