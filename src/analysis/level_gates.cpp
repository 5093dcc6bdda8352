#include "analysis/level_gates.h"

#include <vector>

namespace karvan {

namespace {

struct TLevelGates {
  int Level;
  std::vector<TGate> Gates;
};

constexpr TGate::TKind LockV = TGate::LockVert;
constexpr TGate::TKind LockH = TGate::LockHorz;
constexpr TGate::TKind Switch = TGate::Switch;

// The gates each level's route works, one line per level, by level.
// clang-format off
const std::vector<TLevelGates>& Table() {
  static const std::vector<TLevelGates> Levels = {
    {9, {{LockV, {5, 0}}, {Switch, {6, 0}}, {LockV, {5, 3}}, {LockV, {5, 6}}, {LockV, {5, 8}}, {LockH, {3, 11}}, {Switch, {9, 11}}}},
    {10, {{LockV, {3, 15}}, {LockV, {3, 8}}, {LockV, {3, 0}}}},
    {11, {{Switch, {7, 3}}, {Switch, {9, 5}}, {Switch, {9, 8}}}},
    {12, {{LockV, {4, 5}}, {LockH, {10, 8}}, {Switch, {11, 10}}}},
    {13, {{Switch, {1, 7}}, {Switch, {7, 7}}, {LockV, {13, 5}}}},
    {14, {{LockH, {38, 2}}, {Switch, {44, 2}}}},
    {15, {{Switch, {8, 11}}, {Switch, {9, 10}}, {LockV, {20, 3}}, {LockV, {10, 7}}}},
  };
  return Levels;
}
// clang-format on

}  // namespace

std::vector<TGate> NamedGatesOf(int LevelNr) {
  for (const TLevelGates& L : Table())
    if (L.Level == LevelNr) return L.Gates;
  return {};
}

}  // namespace karvan
