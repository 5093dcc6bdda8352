// A plain description of a level for the level analysis: the cell codes of its map, the
// switch records, the platforms that run from the start, the start cell and the side scenes a
// completion depends on. It holds no figure objects, so the level editor can fill one from the
// level it edits, or build one from a built-in level or from the lines of a custom level file.
//
// Use:
//   std::string Error;
//   auto Level = DescribeBuiltInLevel(12, Error);          // the real data, via the factory
//   auto Custom = DescribeCustomLevel(Lines, Error);       // lines as ReadLevelFileLines gives
//   if (Level) { TLevelVerdict V = AnalyzeLevel(*Level); } // level_analysis.h
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "engine/types.h"

namespace karvan {

// One switch rule: flipping the switch at Switch starts (lever down) or stops (lever up) the
// platform whose moving piece starts at Platform; Reverse swaps the two lever positions.
struct TSwitchLink {
  TPoint Switch;
  TPoint Platform;
  TPos Dir = PosTop;
  bool Reverse = false;
};

// A horizontal-wall piece that moves from the level's start.
struct TRunningPlatform {
  TPoint Cell;
  TPos Dir = PosTop;
};

// A fight in a side scene that must be won before the level counts as complete: the snake of
// a right-hand scene (entered by a step right from the scene's entrance cell) or the big
// spider of a left-hand scene (a step left).
struct TSideFight {
  enum TKind : std::uint8_t { Snake, Spider };
  TKind Kind = Snake;
  TPoint Screen;    // screen column and row
  TPoint Entrance;  // the map cell the hero steps out of into the scene
  // A snake scene without its vertical line cannot be entered; the fight can never be won.
  bool Enterable = true;
};

struct TLevelDescription {
  std::string Name;
  int Width = 0;
  int Height = 0;
  // Cell codes, row by row: Codes[y * Width + x], bit k = figure kind k present.
  std::vector<std::uint16_t> Codes;
  std::vector<TSwitchLink> Switches;
  std::vector<TRunningPlatform> Platforms;
  TPoint Start{0, 0};
  std::vector<TSideFight> Fights;
  // A vase holds an amulet: a hero who has taken it is never stung.
  bool HasAmulet = false;

  std::uint16_t Code(int x, int y) const { return Codes[static_cast<std::size_t>(y * Width + x)]; }
  bool Has(int x, int y, TGridCrystal Kind) const { return (Code(x, y) >> Kind & 1U) != 0; }
  bool Inside(int x, int y) const { return x >= 0 && y >= 0 && x < Width && y < Height; }
};

// Builds the level through the game's level factory and reads the figures it placed. Level
// numbers are the ones the player sees (1 to 24); nothing, with a message, for any other.
std::optional<TLevelDescription> DescribeBuiltInLevel(int LevelNr, std::string& Error);

// Builds a custom level from the lines of its file the way the game loads it; nothing, with a
// message, when the lines do not make a playable level.
std::optional<TLevelDescription> DescribeCustomLevel(const std::vector<std::string>& Lines,
                                                     std::string& Error);

}  // namespace karvan
