#include "analysis/level_gates.h"

#include <array>

namespace karvan {

namespace {

struct TNamedGate {
  int Level;
  TGate Gate;
};

// The gates each level's route works, by level. Empty until the levels name them: the
// redesign of the levels fills it as each level's route is settled.
constexpr std::array<TNamedGate, 1> Gates{{
    {19, {TGate::LockVert, {3, 9}}},
}};

}  // namespace

std::vector<TGate> NamedGatesOf(int LevelNr) {
  std::vector<TGate> Result;
  for (const TNamedGate& G : Gates)
    if (G.Level == LevelNr) Result.push_back(G.Gate);
  return Result;
}

}  // namespace karvan
