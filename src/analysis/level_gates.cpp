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
constexpr std::array<TNamedGate, 6> Gates{{
    {19, {TGate::LockVert, {3, 9}}},
    {20, {TGate::LockVert, {22, 0}}},
    {20, {TGate::LockVert, {5, 5}}},
    {20, {TGate::LockHorz, {5, 8}}},
    {20, {TGate::LockVert, {7, 11}}},
    {20, {TGate::LockVert, {22, 11}}},
}};

}  // namespace

std::vector<TGate> NamedGatesOf(int LevelNr) {
  std::vector<TGate> Result;
  for (const TNamedGate& G : Gates)
    if (G.Level == LevelNr) Result.push_back(G.Gate);
  return Result;
}

}  // namespace karvan
