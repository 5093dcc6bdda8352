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
    {9, {{LockV, {5, 0}}, {Switch, {6, 0}}, {LockV, {5, 3}}, {LockV, {5, 6}}, {LockV, {5, 8}}, {LockH, {3, 11}}}},
    {10, {{LockV, {3, 15}}, {LockV, {3, 8}}, {LockV, {3, 0}}}},
    {11, {{Switch, {9, 5}}, {Switch, {9, 8}}, {Switch, {7, 3}}, {Switch, {9, 1}}}},
    {12, {{LockV, {4, 5}}, {LockH, {10, 8}}, {Switch, {11, 10}}}},
    {13, {{Switch, {1, 7}}, {Switch, {7, 7}}, {LockV, {13, 5}}}},
    {14, {{LockH, {38, 2}}, {Switch, {44, 2}}}},
    {15, {{Switch, {8, 11}}, {Switch, {9, 10}}, {LockV, {20, 3}}, {LockV, {10, 7}}}},
    {16, {{Switch, {11, 6}}, {Switch, {9, 13}}, {Switch, {14, 14}}, {Switch, {22, 16}}, {LockV, {20, 9}}, {LockV, {8, 11}}}},
    {17, {{LockV, {21, 8}}, {LockV, {22, 8}}, {LockV, {23, 8}}, {LockV, {23, 9}}, {LockV, {22, 9}}, {LockV, {21, 9}}, {LockV, {21, 10}}, {LockV, {22, 10}}, {LockV, {23, 10}}}},
    {18, {{LockH, {0, 2}}, {Switch, {8, 0}}, {LockV, {23, 0}}, {LockV, {27, 0}}}},
    {19, {{LockV, {3, 11}}}},
    {20, {{LockV, {5, 1}}, {LockV, {5, 5}}, {LockH, {5, 8}}, {LockV, {7, 11}}, {LockV, {22, 11}}}},
    {21, {{Switch, {17, 2}}, {LockV, {15, 0}}, {LockV, {20, 0}}, {LockV, {15, 1}}, {LockV, {20, 1}}, {LockV, {20, 2}}, {LockV, {15, 3}}, {LockV, {20, 3}}}},
    {22, {{Switch, {19, 8}}, {LockH, {22, 4}}}},
    {23, {{LockH, {17, 8}}, {Switch, {7, 8}}, {LockH, {23, 11}}, {Switch, {22, 12}}, {LockH, {2, 15}}, {Switch, {7, 16}}}},
    {24, {{LockV, {10, 23}}, {LockV, {27, 12}}, {LockV, {24, 12}}, {Switch, {30, 19}}, {Switch, {31, 20}}, {Switch, {21, 12}}, {LockV, {16, 7}}, {LockH, {12, 7}}, {LockV, {8, 6}}, {LockH, {7, 6}}, {LockV, {12, 5}}, {LockV, {25, 5}}, {LockV, {40, 3}}, {LockV, {43, 3}}, {LockV, {47, 7}}, {LockV, {50, 7}}, {Switch, {53, 3}}, {Switch, {54, 3}}, {LockH, {52, 8}}, {Switch, {59, 11}}, {Switch, {55, 21}}, {LockH, {50, 30}}, {LockV, {36, 29}}, {LockH, {30, 30}}}},
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
