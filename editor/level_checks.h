// What the game would refuse in a level and what would spoil its play, each naming a cell
// where there is one. A check that cannot be sure says nothing.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "level_document.h"

namespace karvan::editor {

enum class Severity { Refused, Spoils, Note };

struct Finding {
  Severity Level = Severity::Spoils;
  std::optional<TPoint> Cell;
  std::string Text;
  bool operator==(const Finding&) const = default;
};

// The checks that look at the document alone; quick enough for every edit.
std::vector<Finding> CheckDocument(const LevelDocument& Document);

// The route checks of the level analysis: every move that leaves the level impossible to
// complete, and a return to life that always ends in another death. Silent when the search
// could not cover every state within its limit.
std::vector<Finding> CheckRoutes(const LevelDocument& Document);

// How long after the start the level is watched for harm to the hero.
inline constexpr long long HarmWindowMs = 5000;

// Plays the level headless from its start without a key pressed and names the first harm to
// the hero within HarmWindowMs. Nothing when the game would not play the level at all.
std::optional<Finding> CheckFirstSeconds(const LevelDocument& Document);

}  // namespace karvan::editor
