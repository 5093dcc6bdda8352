// A level as the editor holds it: a rectangle of cell codes and the switch records, read from
// and written to the lines of a custom level file. Reading follows the game's own loader, so
// what the editor shows is what the game builds.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "engine/types.h"

namespace karvan::editor {

// A cell code as the game reads it: the bit set over the map figure kinds, 0 to 2047.
using CellCode = std::uint16_t;
inline constexpr CellCode AllKinds = (1u << GridCrystalCount) - 1;

constexpr CellCode KindBit(TGridCrystal Kind) {
  return static_cast<CellCode>(1u << Kind);
}
constexpr bool HasKind(CellCode Code, TGridCrystal Kind) {
  return (Code & KindBit(Kind)) != 0;
}

// What the game makes of a number in a row: every kind whose value still fits, from the key
// down, so a negative number holds nothing and 2048 or more holds everything.
CellCode CodeFromNumber(std::int64_t Number);

struct SwitchRecord {
  TPoint Switch;
  TPoint Platform;
  TPos Dir = PosTop;
  bool operator==(const SwitchRecord&) const = default;
};

// The direction word of a switch line, as the game reads it back.
const char* DirectionWord(TPos Dir);

// A rectangle of cells, left, top, width and height.
struct CellRect {
  int X = 0;
  int Y = 0;
  int Width = 0;
  int Height = 0;
  bool Contains(int x, int y) const { return x >= X && y >= Y && x < X + Width && y < Y + Height; }
  bool Empty() const { return Width <= 0 || Height <= 0; }
  bool operator==(const CellRect&) const = default;
};

class LevelDocument {
 public:
  LevelDocument() = default;
  LevelDocument(int WidthParam, int HeightParam);

  int Width() const { return Columns; }
  int Height() const { return Rows; }
  bool Contains(int x, int y) const { return x >= 0 && y >= 0 && x < Columns && y < Rows; }
  bool Contains(TPoint P) const { return Contains(P.X, P.Y); }
  // The code of a cell; 0 outside the map.
  CellCode Code(int x, int y) const;
  // Cells outside the map are left alone.
  void SetCode(int x, int y, CellCode Code);

  // The hero's start as the game takes it: the last hero cell read, rows top first.
  std::optional<TPoint> HeroCell() const;
  // Every hero figure goes but the one in (x, y).
  void SetHeroStart(int x, int y);

  // Rows and columns, with the switch records that point behind them moved along. Records
  // whose switch or platform cell is removed go with it.
  void InsertRows(int At, int Count);
  void RemoveRows(int At, int Count);
  void InsertColumns(int At, int Count);
  void RemoveColumns(int At, int Count);

  // The cells of a rectangle (clipped to the map) as a document of their own, without records.
  LevelDocument Cut(const CellRect& Area) const;
  // Writes another document's cells with their top-left corner at (x, y); what falls outside
  // is dropped. With Merge the pasted kinds are added to what the cells hold.
  void Paste(const LevelDocument& Part, int x, int y, bool Merge = false);

  // The file text: one row statement per map row, top row first, then one switch statement
  // per record, each line ending in a line feed.
  std::string Text() const;

  std::vector<SwitchRecord> Switches;

  bool operator==(const LevelDocument&) const = default;

 private:
  int Columns = 0;
  int Rows = 0;
  std::vector<CellCode> Cells;  // row by row
};

// The outcome of reading a file's lines.
struct ReadResult {
  LevelDocument Document;
  // What the game would make differently of the lines than they seem to say, or why it
  // refuses them; each is shown to the user once.
  std::vector<std::string> Notes;
  // Set when the lines cannot be edited at all (then Document is empty).
  std::optional<std::string> Error;
};

// The largest map the editor opens: far more than the game plays, so that every file the
// game accepts opens, and little enough that a hostile file cannot exhaust memory.
inline constexpr long long MaxEditableCells = 1'000'000;

ReadResult ReadLevelLines(const std::vector<std::string>& Lines);
// Reads a level file with the game's own line reader.
ReadResult ReadLevelFile(const std::string& Path);

}  // namespace karvan::editor
