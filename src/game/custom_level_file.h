// Custom level files of the level editor: lines "AddRow('...');" for the map rows and
// "AddSwitch(x, y, xPlatform, yPlatform, PosDir);" for switch records.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "engine/types.h"

namespace karvan {

// The direction word at the start of a switch line's fifth field; PosTop for any other text.
TPos PosFromText(std::string_view s);

// The file's lines as 8-bit text: a byte order mark selects UTF-8 or UTF-16 (characters
// outside the 8-bit code page become '?'), otherwise the bytes are taken as they are. Any of
// the usual line ends. Nothing when the file cannot be read.
std::optional<std::vector<std::string>> ReadLevelFileLines(const std::string& Path);

// Whether the lines make a playable level: the first line must be a row statement, and the
// map must hold at least one screen (5 columns, 4 rows) and a hero cell.
bool IsPlayableCustomLevel(const std::vector<std::string>& Lines);

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
