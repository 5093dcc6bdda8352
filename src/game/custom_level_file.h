// Custom level files of the level editor: lines "AddRow('...');" for the map rows and
// "AddSwitch(x, y, xPlatform, yPlatform, PosDir);" for switch records.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "engine/types.h"

namespace karvan {

// The direction word at the start of a switch line's fifth field; PosTop for any other text.
TPos PosFromText(std::string_view s);

// The lines of a level file's bytes, as 8-bit text: a byte order mark selects UTF-8 or UTF-16
// (characters outside the 8-bit code page become '?'), otherwise the bytes are taken as they
// are. Any of the usual line ends. Every byte string gives lines; whether they make a level is
// IsPlayableCustomLevel's question.
std::vector<std::string> LevelFileLinesFromBytes(std::string_view Bytes);

// Reads a level file: LevelFileLinesFromBytes of its bytes. Nothing when the path names no
// regular file (a device, a pipe, a socket, a folder: reading those could block the game for
// good or never end) or the file cannot be read. Reading stops after MaxCustomLevelFileBytes
// whatever size the file reports; a longer file gives no lines, since it cannot hold a level.
std::optional<std::vector<std::string>> ReadLevelFileLines(const std::string& Path);

// The largest custom level: six times the largest built-in level. Every pass of the game visits
// every cell, and a few kilobytes of rows could otherwise ask for hundreds of millions of
// figures; such a file is refused like any other file that is no level.
inline constexpr std::size_t MaxCustomLevelCells = 20000;
// A file larger than this cannot hold a level of that size; it is refused without being read
// whole.
inline constexpr std::uintmax_t MaxCustomLevelFileBytes = 4 << 20;

// Whether the lines make a playable level: the first line must be a row statement, and the
// map must hold at least one screen (5 columns, 4 rows), at most MaxCustomLevelCells cells
// (rows times the longest row) and a hero cell.
bool IsPlayableCustomLevel(const std::vector<std::string>& Lines);

// The rows of a level file read once: the codes of every row, one row after the other, and
// what the check asks of them.
struct TCustomLevelRows {
  std::vector<std::int64_t> Codes;
  // Per line, where its codes end in Codes; a switch line, or a row that begins with an empty
  // field, has none.
  std::vector<std::size_t> RowEnd;
  // Rows with codes, the longest row's codes, and whether a code holds the hero.
  std::size_t Rows = 0;
  std::size_t Columns = 0;
  bool Hero = false;
  // The codes of line Line.
  std::span<const std::int64_t> Row(std::size_t Line) const;
};
TCustomLevelRows ReadCustomLevelRows(const std::vector<std::string>& Lines);
// IsPlayableCustomLevel with the rows of the lines read already.
bool IsPlayableCustomLevel(const std::vector<std::string>& Lines, const TCustomLevelRows& Read);

// The row text of a row line: every "AddRow('" and then every "');" removed.
std::string RowText(std::string_view Line);

struct TSwitchLine {
  int xSwitch = 0;
  int ySwitch = 0;
  int xPlatForm = 0;
  int yPlatForm = 0;
  TPos Dir = PosTop;
};
TSwitchLine ReadSwitchLine(std::string_view Line);

}  // namespace karvan
