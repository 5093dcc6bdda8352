#include "level_document.h"

#include <algorithm>
#include <filesystem>

#include "engine/level.h"
#include "engine/support.h"
#include "game/custom_level_file.h"

namespace karvan::editor {

CellCode CodeFromNumber(std::int64_t Number) {
  if (Number < 0) return 0;
  if (Number >= AllKinds) return AllKinds;
  return static_cast<CellCode>(Number);
}

const char* DirectionWord(TPos Dir) {
  switch (Dir) {
    case PosBottom:
      return "PosBottom";
    case PosLeft:
      return "PosLeft";
    case PosRight:
      return "PosRight";
    default:
      return "PosTop";
  }
}

LevelDocument::LevelDocument(int WidthParam, int HeightParam)
    : Columns(std::max(WidthParam, 0)),
      Rows(std::max(HeightParam, 0)),
      Cells(static_cast<std::size_t>(Columns) * static_cast<std::size_t>(Rows), 0) {}

CellCode LevelDocument::Code(int x, int y) const {
  if (!Contains(x, y)) return 0;
  return Cells[static_cast<std::size_t>(y) * Columns + x];
}

void LevelDocument::SetCode(int x, int y, CellCode Code) {
  if (!Contains(x, y)) return;
  Cells[static_cast<std::size_t>(y) * Columns + x] = Code & AllKinds;
}

std::optional<TPoint> LevelDocument::HeroCell() const {
  for (int y = Rows - 1; y >= 0; --y)
    for (int x = Columns - 1; x >= 0; --x)
      if (HasKind(Code(x, y), gcHero)) return TPoint{x, y};
  return std::nullopt;
}

void LevelDocument::SetHeroStart(int x, int y) {
  if (!Contains(x, y)) return;
  for (CellCode& Cell : Cells) Cell &= ~KindBit(gcHero);
  SetCode(x, y, Code(x, y) | KindBit(gcHero));
}

namespace {

// A coordinate after Count lines were inserted at At.
int Inserted(int Value, int At, int Count) {
  return Value >= At ? Value + Count : Value;
}

// A coordinate after Count lines were removed at At; nothing when it was removed.
std::optional<int> Removed(int Value, int At, int Count) {
  if (Value < At) return Value;
  if (Value < At + Count) return std::nullopt;
  return Value - Count;
}

}  // namespace

void LevelDocument::InsertRows(int At, int Count) {
  At = std::clamp(At, 0, Rows);
  if (Count <= 0 || Columns == 0) return;
  Cells.insert(Cells.begin() + static_cast<std::ptrdiff_t>(At) * Columns,
               static_cast<std::size_t>(Count) * Columns, 0);
  Rows += Count;
  for (SwitchRecord& R : Switches) {
    R.Switch.Y = Inserted(R.Switch.Y, At, Count);
    R.Platform.Y = Inserted(R.Platform.Y, At, Count);
  }
}

void LevelDocument::RemoveRows(int At, int Count) {
  if (At < 0 || At >= Rows || Count <= 0) return;
  Count = std::min(Count, Rows - At);
  Cells.erase(Cells.begin() + static_cast<std::ptrdiff_t>(At) * Columns,
              Cells.begin() + static_cast<std::ptrdiff_t>(At + Count) * Columns);
  Rows -= Count;
  if (Rows == 0) Columns = 0;
  std::vector<SwitchRecord> Kept;
  for (SwitchRecord R : Switches) {
    const auto S = Removed(R.Switch.Y, At, Count);
    const auto P = Removed(R.Platform.Y, At, Count);
    if (!S || !P) continue;
    R.Switch.Y = *S;
    R.Platform.Y = *P;
    Kept.push_back(R);
  }
  Switches = std::move(Kept);
}

void LevelDocument::InsertColumns(int At, int Count) {
  At = std::clamp(At, 0, Columns);
  if (Count <= 0 || Rows == 0) return;
  std::vector<CellCode> New;
  New.reserve(static_cast<std::size_t>(Columns + Count) * Rows);
  for (int y = 0; y < Rows; ++y) {
    const auto Row = Cells.begin() + static_cast<std::ptrdiff_t>(y) * Columns;
    New.insert(New.end(), Row, Row + At);
    New.insert(New.end(), static_cast<std::size_t>(Count), 0);
    New.insert(New.end(), Row + At, Row + Columns);
  }
  Cells = std::move(New);
  Columns += Count;
  for (SwitchRecord& R : Switches) {
    R.Switch.X = Inserted(R.Switch.X, At, Count);
    R.Platform.X = Inserted(R.Platform.X, At, Count);
  }
}

void LevelDocument::RemoveColumns(int At, int Count) {
  if (At < 0 || At >= Columns || Count <= 0) return;
  Count = std::min(Count, Columns - At);
  std::vector<CellCode> New;
  New.reserve(static_cast<std::size_t>(Columns - Count) * Rows);
  for (int y = 0; y < Rows; ++y) {
    const auto Row = Cells.begin() + static_cast<std::ptrdiff_t>(y) * Columns;
    New.insert(New.end(), Row, Row + At);
    New.insert(New.end(), Row + At + Count, Row + Columns);
  }
  Cells = std::move(New);
  Columns -= Count;
  if (Columns == 0) Rows = 0;
  std::vector<SwitchRecord> Kept;
  for (SwitchRecord R : Switches) {
    const auto S = Removed(R.Switch.X, At, Count);
    const auto P = Removed(R.Platform.X, At, Count);
    if (!S || !P) continue;
    R.Switch.X = *S;
    R.Platform.X = *P;
    Kept.push_back(R);
  }
  Switches = std::move(Kept);
}

LevelDocument LevelDocument::Cut(const CellRect& Area) const {
  const int Left = std::max(Area.X, 0);
  const int Top = std::max(Area.Y, 0);
  const int Right = std::min(Area.X + Area.Width, Columns);
  const int Bottom = std::min(Area.Y + Area.Height, Rows);
  if (Right <= Left || Bottom <= Top) return {};
  LevelDocument Part(Right - Left, Bottom - Top);
  for (int y = Top; y < Bottom; ++y)
    for (int x = Left; x < Right; ++x) Part.SetCode(x - Left, y - Top, Code(x, y));
  return Part;
}

void LevelDocument::Paste(const LevelDocument& Part, int x, int y, bool Merge) {
  for (int py = 0; py < Part.Height(); ++py)
    for (int px = 0; px < Part.Width(); ++px) {
      const CellCode Pasted = Part.Code(px, py);
      SetCode(x + px, y + py, Merge ? Code(x + px, y + py) | Pasted : Pasted);
    }
}

std::string LevelDocument::Text() const {
  std::string Text;
  for (int y = 0; y < Rows; ++y) {
    Text += "AddRow('";
    for (int x = 0; x < Columns; ++x) {
      if (x > 0) Text += ',';
      Text += std::to_string(Code(x, y));
    }
    Text += "');\n";
  }
  for (const SwitchRecord& R : Switches)
    Text += "AddSwitch(" + std::to_string(R.Switch.X) + ", " + std::to_string(R.Switch.Y) + ", " +
            std::to_string(R.Platform.X) + ", " + std::to_string(R.Platform.Y) + ", " +
            DirectionWord(R.Dir) + ");\n";
  return Text;
}

ReadResult ReadLevelLines(const std::vector<std::string>& Lines) {
  ReadResult Result;
  if (Lines.empty() || !StartsWithText(Lines[0], "AddRow('", -1))
    Result.Notes.push_back(
        "The first line is no row statement: the game refuses this file until it is saved "
        "again.");
  std::vector<std::vector<std::int64_t>> RowCodes;
  std::vector<SwitchRecord> Switches;
  std::size_t Widest = 0;
  bool Unequal = false;
  bool Widened = false;
  for (const std::string& Line : Lines) {
    if (StartsWithText(Line, "AddSwitch(", -1)) {
      const TSwitchLine S = ReadSwitchLine(Line);
      Switches.push_back({{S.xSwitch, S.ySwitch}, {S.xPlatForm, S.yPlatForm}, S.Dir});
      continue;
    }
    std::vector<std::int64_t> Codes = ReadRowCodes(RowText(Line));
    if (Codes.empty()) continue;  // the game adds no row for it either
    if (!RowCodes.empty() && Codes.size() != Widest) Unequal = true;
    Widest = std::max(Widest, Codes.size());
    if (static_cast<long long>(Widest) * static_cast<long long>(RowCodes.size() + 1) >
        MaxEditableCells) {
      Result.Error = "The map is larger than " + std::to_string(MaxEditableCells) +
                     " cells; the editor does not open it.";
      return Result;
    }
    RowCodes.push_back(std::move(Codes));
  }
  LevelDocument Document(static_cast<int>(Widest), static_cast<int>(RowCodes.size()));
  for (std::size_t y = 0; y < RowCodes.size(); ++y)
    for (std::size_t x = 0; x < RowCodes[y].size(); ++x) {
      const std::int64_t Number = RowCodes[y][x];
      if (Number < 0 || Number > AllKinds) Widened = true;
      Document.SetCode(static_cast<int>(x), static_cast<int>(y), CodeFromNumber(Number));
    }
  Document.Switches = std::move(Switches);
  if (Unequal)
    Result.Notes.push_back("Rows of unequal length: the missing cells are empty, as in the game.");
  if (Widened)
    Result.Notes.push_back(
        "Some cell codes lie outside 0 to 2047: they hold what the game makes of them (nothing "
        "for a negative code, every figure for 2048 or more).");
  Result.Document = std::move(Document);
  return Result;
}

ReadResult ReadLevelFile(const std::string& Path) {
  ReadResult Result;
  std::error_code Error;
  if (!std::filesystem::exists(Path, Error)) {
    Result.Error = "The file " + Path + " does not exist.";
    return Result;
  }
  const std::uintmax_t Size = std::filesystem::file_size(Path, Error);
  if (!Error && Size > MaxCustomLevelFileBytes) {
    Result.Error = "The file " + Path + " is larger than any level the game reads.";
    return Result;
  }
  const auto Lines = ReadLevelFileLines(Path);
  if (!Lines) {
    Result.Error = "The file " + Path + " cannot be read.";
    return Result;
  }
  return ReadLevelLines(*Lines);
}

}  // namespace karvan::editor
