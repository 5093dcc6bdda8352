// The figure kinds of the palette and what adding or removing one does to a cell.
#pragma once

#include <array>
#include <optional>

#include "level_document.h"

namespace karvan::editor {

enum class Tool { Wall, Lock, Hero, Scorpion, Gold, Key, SwitchUp, SwitchDown, Eraser };

struct ToolInfo {
  Tool Kind;
  const char* Name;
};
inline constexpr std::array<ToolInfo, 9> Tools = {{
    {Tool::Wall, "Wall"},
    {Tool::Lock, "Lock"},
    {Tool::Hero, "Hero (start)"},
    {Tool::Scorpion, "Scorpion"},
    {Tool::Gold, "Gold"},
    {Tool::Key, "Key"},
    {Tool::SwitchUp, "Switch, lever up"},
    {Tool::SwitchDown, "Switch, lever down"},
    {Tool::Eraser, "Eraser (whole cell)"},
}};

// Walls and locks stand on an edge: the left edge of a cell holds its vertical wall, the top
// edge its horizontal one, so the right and bottom edges belong to the neighbours.
constexpr bool StandsOnEdge(Tool T) {
  return T == Tool::Wall || T == Tool::Lock;
}

// The edge a pointer picks: the cell whose wall it is, and whether the wall is vertical.
struct EdgeChoice {
  TPoint Cell;
  bool Vertical = true;
  bool operator==(const EdgeChoice&) const = default;
};

// The edge nearest to a point given in cell units (cell (x, y) covers x..x+1, y..y+1).
EdgeChoice NearestEdge(double x, double y);

// Where a tool acts for a pointer at a point in cell units: the cell under it, or for walls
// and locks the cell owning the nearest edge. Nothing outside the map.
struct ToolTarget {
  TPoint Cell;
  bool Vertical = true;  // for walls and locks
  bool operator==(const ToolTarget&) const = default;
};
std::optional<ToolTarget> TargetAt(const LevelDocument& Document, Tool T, double x, double y);

// Adds (or removes) the tool's figure in the document at the target. True when the document
// changed.
bool ApplyTool(LevelDocument& Document, Tool T, const ToolTarget& Target, bool Add);

// Fills every cell of an area with the tool's figure (walls and locks on the cells' left and
// top edges), or removes it from them.
bool FillArea(LevelDocument& Document, Tool T, const CellRect& Area, bool Add, bool Vertical);

}  // namespace karvan::editor
