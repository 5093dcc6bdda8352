// The editor's ways into the game itself: the built-in levels' maps, how the game loads a
// file, and a short headless run of a level from its start.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "level_document.h"

namespace karvan::editor {

inline constexpr int BuiltInLevelTotal = 24;

struct BuiltInImport {
  LevelDocument Document;
  // What the level has that a custom level file cannot carry.
  std::vector<std::string> Lost;
};

// The map of built-in level N (1 to 24) as the game builds it, with the switch rules that a
// file can hold as records. Nothing for another number.
std::optional<BuiltInImport> ImportBuiltInLevel(int Number);

// What the game makes of a level file through its own loader: the visible cell codes of each
// row (in row syntax), the switch records, and the messages it showed.
struct GameLoad {
  bool Loaded = false;
  std::vector<std::string> Rows;
  std::vector<SwitchRecord> Switches;
  std::vector<std::string> Messages;
};
GameLoad LoadInGame(const std::string& Path);

// The first harm to the hero when the level in the file is played from its start with no key
// pressed, within Window ms: where the hero was and when.
struct Harm {
  TPoint Cell;
  long long AfterMs = 0;
};
std::optional<Harm> FirstHarm(const std::string& Path, long long WindowMs);

}  // namespace karvan::editor
