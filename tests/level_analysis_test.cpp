// The level analysis on small hand-made maps (one rule each) and on the built-in levels.
#include <gtest/gtest.h>

#include <algorithm>
#include <set>
#include <string>
#include <vector>

#include "analysis/level_analysis.h"
#include "analysis/level_gates.h"

namespace karvan {
namespace {

constexpr int V = 1 << gcWallVert;
constexpr int LV = 1 << gcLockVert;
constexpr int Hz = 1 << gcWallHorz;
constexpr int Hero = 1 << gcHero;
constexpr int Gold = 1 << gcGold;
constexpr int SwitchUp = (1 << gcSwitchUp) | (1 << gcSwitchBase);
constexpr int Key = 1 << gcKey;

// A map as the lines of a custom level file.
struct TMap {
  TMap(int W, int H) : Width(W), Height(H), Codes(W * H, 0) {}
  int& operator()(int x, int y) { return Codes[y * Width + x]; }
  // Floors under the cells x0..x1 of row y.
  void Floor(int y, int x0, int x1) {
    for (int x = x0; x <= x1; ++x) (*this)(x, y + 1) |= Hz;
  }
  TLevelDescription Describe() const {
    std::vector<std::string> Lines;
    for (int y = 0; y < Height; ++y) {
      std::string Row;
      for (int x = 0; x < Width; ++x) Row += (x ? "," : "") + std::to_string(Codes[y * Width + x]);
      Lines.push_back("AddRow('" + Row + "');");
    }
    Lines.insert(Lines.end(), Extra.begin(), Extra.end());
    std::string Error;
    auto D = DescribeCustomLevel(Lines, Error);
    EXPECT_TRUE(D.has_value()) << Error;
    return D.value_or(TLevelDescription{});
  }
  int Width;
  int Height;
  std::vector<int> Codes;
  std::vector<std::string> Extra;
};

bool HasTrap(const TLevelVerdict& V, TPoint Cell, const std::string& Move) {
  return std::any_of(V.Traps.begin(), V.Traps.end(),
                     [&](const TTrap& T) { return T.Cell == Cell && T.Move.rfind(Move, 0) == 0; });
}

const TGateVerdict* GateAt(const TLevelVerdict& V, TGate::TKind Kind, TPoint Cell) {
  for (const TGateVerdict& G : V.Gates)
    if (G.Gate.Kind == Kind && G.Gate.Cell == Cell) return &G;
  return nullptr;
}

// A corridor in row 2 of a 10 x 8 map with a shaft at column 6 that the hero falls into.
TMap Shaft(bool WithBottom) {
  TMap M(10, 8);
  M.Floor(2, 0, 8);
  M(6, 3) &= ~Hz;  // the opening
  for (int y = 3; y <= 5; ++y) {
    M(6, y) |= V;
    M(7, y) |= V;
  }
  if (!WithBottom) M(6, 6) &= ~Hz;
  M.Floor(5, 6, 6);
  if (!WithBottom) M(6, 6) &= ~Hz;
  M(5, 2) |= Hero;
  M(2, 2) |= Gold;
  return M;
}

TEST(LevelAnalysisTest, ASealedShaftBesideTheRouteIsATrapAndAnOpenOneADeathLoop) {
  const TLevelVerdict Trap = AnalyzeLevel(Shaft(true).Describe());
  ASSERT_TRUE(Trap.Error.empty()) << Trap.Error;
  EXPECT_TRUE(Trap.Completable);
  EXPECT_TRUE(HasTrap(Trap, {5, 2}, "step right"));
  EXPECT_FALSE(Trap.HasDeathLoop());

  // Without a bottom the shaft kills, and the hero comes back in mid-air on the screen he fell
  // into, to fall again.
  const TLevelVerdict Loop = AnalyzeLevel(Shaft(false).Describe());
  EXPECT_TRUE(Loop.Completable);
  EXPECT_TRUE(Loop.Traps.empty());
  EXPECT_GT(Loop.DeadlyMoves, 0);
  EXPECT_TRUE(Loop.HasDeathLoop());
  const auto R = std::find_if(Loop.Resurrections.begin(), Loop.Resurrections.end(),
                              [](const TResurrection& P) { return P.CertainDeath; });
  ASSERT_NE(R, Loop.Resurrections.end());
  EXPECT_EQ(R->Cell, (TPoint{6, 4}));
}

// Hero, key, a locked wall at column 5 and gold behind it, in row 1 of a 10 x 4 map.
TMap LockedWall(bool WallAbove) {
  TMap M(10, 4);
  M.Floor(1, 0, 8);
  M(1, 1) |= Hero;
  M(2, 1) |= Key;
  M(5, 1) |= V | LV;
  if (WallAbove) M(5, 0) |= V;
  M(7, 1) |= Gold;
  return M;
}

TEST(LevelAnalysisTest, ALockIsAGateOnlyWhenNoJumpGoesOverIt) {
  const TLevelVerdict Sealed =
      AnalyzeLevel(LockedWall(true).Describe(), {{TGate::LockVert, {5, 1}}});
  EXPECT_TRUE(Sealed.Completable);
  const TGateVerdict* Lock = GateAt(Sealed, TGate::LockVert, {5, 1});
  ASSERT_NE(Lock, nullptr);
  EXPECT_TRUE(Lock->Needed);
  EXPECT_TRUE(Sealed.UnneededNamedGates().empty());

  // Open above the lock: a jump with its steering step goes over the wall.
  const TLevelVerdict Bypass =
      AnalyzeLevel(LockedWall(false).Describe(), {{TGate::LockVert, {5, 1}}});
  EXPECT_TRUE(Bypass.Completable);
  ASSERT_EQ(Bypass.UnneededNamedGates().size(), 1U);
  EXPECT_EQ(Bypass.UnneededNamedGates()[0].Cell, (TPoint{5, 1}));
  EXPECT_FALSE(CanCompleteWithout(LockedWall(true).Describe(), {{TGate::LockVert, {5, 1}}}));
  EXPECT_TRUE(CanCompleteWithout(LockedWall(false).Describe(), {{TGate::LockVert, {5, 1}}}));
}

TEST(LevelAnalysisTest, WithoutTheKeyTheLockedGoldIsLostButGenerouslyReachable) {
  TMap M = LockedWall(true);
  M(2, 1) &= ~Key;
  const TLevelDescription D = M.Describe();
  EXPECT_FALSE(AnalyzeLevel(D).Completable);
  EXPECT_TRUE(GenerousUnreachableGold(D).empty());
}

// A floor lock is a floor until it is opened: the hero walks over it to the gold, or opens it
// and drops into the shaft below. Reachability "with every lock open" must keep both.
TEST(LevelAnalysisTest, AFloorLockIsWalkedOverOrDroppedThrough) {
  constexpr int LH = 1 << gcLockHorz;
  TMap M(12, 8);
  M.Floor(1, 0, 9);
  M(2, 1) |= Hero;
  M(5, 2) |= LH;  // the floor of (5, 1)
  M(8, 1) |= Gold;
  for (int y = 2; y <= 5; ++y) {
    M(5, y) |= V;
    M(6, y) |= V;
  }
  M.Floor(5, 5, 5);
  M(5, 5) |= Gold;  // at the bottom of the shaft, which only the opened lock leads into
  M(3, 1) |= Key;
  const TLevelDescription D = M.Describe();
  EXPECT_TRUE(GenerousUnreachableGold(D).empty());
  // The gold beyond the lock first, then the drop: a completion that needs the lock shut and
  // then open.
  const TLevelVerdict Verdict = AnalyzeLevel(D, {{TGate::LockHorz, {5, 2}}});
  EXPECT_TRUE(Verdict.Completable);
  EXPECT_TRUE(Verdict.UnneededNamedGates().empty());
}

TEST(LevelAnalysisTest, OneSteeringStepReachesALedgeOneUpButNotOverAWall) {
  TMap M(10, 4);
  M.Floor(2, 0, 3);
  M.Floor(1, 4, 4);
  M(3, 2) |= Hero;
  M(4, 1) |= Gold;
  EXPECT_TRUE(AnalyzeLevel(M.Describe()).Completable);
  EXPECT_TRUE(GenerousUnreachableGold(M.Describe()).empty());
  M(4, 1) |= V;
  M(4, 0) |= V;
  const TLevelDescription Walled = M.Describe();
  EXPECT_FALSE(AnalyzeLevel(Walled).Completable);
  const std::vector<TPoint> Lost = GenerousUnreachableGold(Walled);
  ASSERT_EQ(Lost.size(), 1U);
  EXPECT_EQ(Lost[0], (TPoint{4, 1}));
}

// A gap of three cells in row 2 that only a slider started by the switch at (2, 2) bridges.
TMap SliderGap(bool WithSwitchRecord) {
  TMap M(10, 5);
  M.Floor(2, 0, 3);
  M.Floor(2, 7, 8);
  M(1, 2) |= Hero;
  M(2, 2) |= SwitchUp;
  M(8, 2) |= Gold;
  if (WithSwitchRecord) M.Extra.push_back("AddSwitch(2, 2, 3, 3, PosRight);");
  return M;
}

TEST(LevelAnalysisTest, ASwitchStartedSliderCarriesTheHeroOverAGap) {
  const TLevelVerdict V = AnalyzeLevel(SliderGap(true).Describe(), {{TGate::Switch, {2, 2}}});
  EXPECT_TRUE(V.Completable);
  const TGateVerdict* Switch = GateAt(V, TGate::Switch, {2, 2});
  ASSERT_NE(Switch, nullptr);
  EXPECT_TRUE(Switch->Needed);
  EXPECT_TRUE(GenerousUnreachableGold(SliderGap(true).Describe()).empty());

  const TLevelDescription NoRecord = SliderGap(false).Describe();
  EXPECT_FALSE(AnalyzeLevel(NoRecord).Completable);
  EXPECT_EQ(GenerousUnreachableGold(NoRecord).size(), 1U);
}

TEST(LevelAnalysisTest, ASliderCarriesTheHeroAlongUnlessAWallStopsHim) {
  // The gap of row 2 over a pit two cells deep: a mistimed step onto the slider's track drops
  // the hero into it, but standing on the slider he is carried, never left behind.
  TMap M(10, 7);
  M.Floor(2, 0, 3);
  M.Floor(2, 7, 8);
  M.Floor(4, 4, 6);
  for (int y = 3; y <= 4; ++y) {
    M(4, y) |= V;
    M(7, y) |= V;
  }
  M(1, 2) |= Hero;
  M(2, 2) |= SwitchUp;
  M(8, 2) |= Gold;
  M.Extra.push_back("AddSwitch(2, 2, 3, 3, PosRight);");
  const TLevelVerdict Open = AnalyzeLevel(M.Describe());
  EXPECT_TRUE(Open.Completable);
  EXPECT_TRUE(HasTrap(Open, {3, 2}, "step right (platform not there)"));
  for (const TTrap& T : Open.Traps) EXPECT_NE(T.Move.rfind("wait", 0), 0U) << T.Move;

  // A wall hangs over the track at column 5: the slider passes under it, the hero stays.
  M(5, 2) |= V;
  const TLevelVerdict Walled = AnalyzeLevel(M.Describe());
  EXPECT_TRUE(HasTrap(Walled, {4, 2}, "wait (platform leaves)"));
}

TEST(LevelAnalysisTest, BadInputGetsAMessage) {
  std::string Error;
  EXPECT_FALSE(DescribeBuiltInLevel(25, Error).has_value());
  EXPECT_FALSE(Error.empty());
  Error.clear();
  EXPECT_FALSE(DescribeCustomLevel({"AddSwitch(1, 2, 3, 4, PosTop);"}, Error).has_value());
  EXPECT_FALSE(Error.empty());
}

TEST(LevelAnalysisTest, KnownFaultsOfTheCurrentLevelsAreFound) {
  std::string Error;
  // Level 4 keeps its shaft: a hero who comes back to life over it falls to his death again.
  const auto L4 = DescribeBuiltInLevel(4, Error);
  ASSERT_TRUE(L4) << Error;
  EXPECT_TRUE(AnalyzeLevel(*L4).HasDeathLoop());
}

TEST(LevelAnalysisTest, AScorpionAtTheBottomOfASealedShaftMakesADeathLoop) {
  TMap M = Shaft(true);
  M(6, 5) |= 1 << gcScorpion;
  const TLevelVerdict Stung = AnalyzeLevel(M.Describe());
  EXPECT_TRUE(Stung.Completable);
  ASSERT_TRUE(Stung.HasDeathLoop());
  const auto R = std::find_if(Stung.Resurrections.begin(), Stung.Resurrections.end(),
                              [](const TResurrection& P) { return P.CertainDeath; });
  EXPECT_EQ(R->Cell, (TPoint{6, 4}));
  EXPECT_TRUE(R->ByScorpion);

  // A scorpion in the corridor: the hero who comes back on its patrol can walk off the screen.
  TMap Corridor = Shaft(true);
  Corridor(3, 2) |= 1 << gcScorpion;
  EXPECT_FALSE(AnalyzeLevel(Corridor.Describe()).HasDeathLoop());
}

TEST(LevelAnalysisTest, AScorpionPennedWhereNoWayPassesIsNotOnTheWay) {
  // A corridor with the gold and a scorpion; below its floor a pen no way reaches, with another.
  TMap M(10, 8);
  M.Floor(2, 0, 8);
  M(5, 2) |= Hero;
  M(2, 2) |= Gold;
  M(7, 2) |= 1 << gcScorpion;
  M.Floor(5, 1, 3);
  M(2, 5) |= 1 << gcScorpion;
  const TLevelVerdict V = AnalyzeLevel(M.Describe());
  ASSERT_TRUE(V.Completable);
  EXPECT_EQ(V.Scorpions, 2);
  EXPECT_EQ(V.ScorpionsOnRoute, 1);

  // Opened from above, the pen lies on a way down to more gold.
  M(2, 3) &= ~Hz;
  M(3, 5) |= Gold;
  const TLevelVerdict Open = AnalyzeLevel(M.Describe());
  ASSERT_TRUE(Open.Completable);
  EXPECT_EQ(Open.ScorpionsOnRoute, 2);
}

TEST(LevelAnalysisTest, GoldTakenInAnyOrderAddsNoStatesAndAPitPastItIsATrap) {
  // A corridor of gold: the states are the hero's cells and phases, not the sets of gold.
  TMap Row(12, 4);
  Row.Floor(1, 0, 10);
  Row(0, 1) |= Hero;
  for (int x = 1; x <= 10; ++x) Row(x, 1) |= Gold;
  const TLevelVerdict Plain = AnalyzeLevel(Row.Describe());
  EXPECT_TRUE(Plain.Completable);
  EXPECT_LT(Plain.States, 100U);
  EXPECT_TRUE(Plain.Traps.empty());

  // Gold on both sides of the start and a pit two cells deep at the east end: a step into it
  // before all the gold is taken loses the level.
  TMap Pit(12, 5);
  Pit.Floor(1, 0, 9);
  Pit(5, 1) |= Hero;
  for (int x = 1; x <= 9; ++x)
    if (x != 5) Pit(x, 1) |= Gold;
  for (int y = 2; y <= 3; ++y) {
    Pit(10, y) |= V;
    Pit(11, y) |= V;
  }
  Pit.Floor(3, 10, 10);
  const TLevelVerdict Drop = AnalyzeLevel(Pit.Describe());
  EXPECT_TRUE(Drop.Completable);
  EXPECT_TRUE(HasTrap(Drop, {9, 1}, "step right"));
}

// Two vaults in a corridor, each a key before a locked wall with rock above it and gold behind.
// With Padded, rows 0 and 1 are 80 locked walls sealed off from the corridor: they come first
// in the map, so the corridor's keys and locks are the state's bits 80 and up, in its second
// word.
TMap TwoVaults(bool Padded) {
  TMap M(40, 8);
  for (int x = 0; x < 40; ++x) {
    M(x, 2) |= Hz;
    if (Padded) M(x, 0) = M(x, 1) = V | LV;
  }
  M.Floor(3, 0, 38);
  M(2, 3) |= Hero;
  M(4, 3) |= Key;
  M(8, 3) |= V | LV;
  M(8, 2) |= V;
  M(12, 3) |= Gold;
  M(14, 3) |= Key;
  M(18, 3) |= V | LV;
  M(18, 2) |= V;
  M(22, 3) |= Gold;
  return M;
}

TEST(LevelAnalysisTest, ALevelWithManyLocksKeepsEveryChangeInItsStates) {
  const std::vector<TGate> Locks{{TGate::LockVert, {8, 3}}, {TGate::LockVert, {18, 3}}};
  const TLevelVerdict Plain = AnalyzeLevel(TwoVaults(false).Describe(), Locks);
  const TLevelVerdict Padded = AnalyzeLevel(TwoVaults(true).Describe(), Locks);
  ASSERT_TRUE(Plain.Error.empty()) << Plain.Error;
  ASSERT_TRUE(Padded.Error.empty()) << Padded.Error;
  EXPECT_TRUE(Plain.Completable);
  EXPECT_TRUE(Padded.Completable);
  EXPECT_EQ(Padded.States, Plain.States);
  EXPECT_EQ(Padded.CompletableStates, Plain.CompletableStates);
  EXPECT_TRUE(Plain.UnneededNamedGates().empty());
  EXPECT_TRUE(Padded.UnneededNamedGates().empty());
  EXPECT_EQ(Padded.Gates.size(), Plain.Gates.size() + 80);
}

// What the check of a built-in level finds wrong: no completion, a trap, a death loop, a named
// gate the level can be completed without, a search cut short, or most of its scorpions penned
// where no way passes.
std::vector<std::string> FaultsOf(const TLevelDescription& Level, const std::vector<TGate>& Named) {
  const TLevelVerdict V = AnalyzeLevel(Level, Named);
  std::vector<std::string> Faults;
  if (!V.Error.empty()) return {V.Error};
  if (V.Incomplete) Faults.push_back("search incomplete");
  if (!V.Completable) Faults.push_back("cannot be completed");
  for (const TTrap& T : V.Traps)
    Faults.push_back("trap at (" + std::to_string(T.Cell.X) + ", " + std::to_string(T.Cell.Y) +
                     "): " + T.Move);
  for (const TResurrection& R : V.Resurrections)
    if (R.CertainDeath)
      Faults.push_back("death loop at (" + std::to_string(R.Cell.X) + ", " +
                       std::to_string(R.Cell.Y) + ")");
  for (const TGate& G : V.UnneededNamedGates()) Faults.push_back(GateText(G) + " is not needed");
  if (V.Scorpions > 0 && 2 * V.ScorpionsOnRoute <= V.Scorpions)
    Faults.push_back(std::to_string(V.Scorpions - V.ScorpionsOnRoute) + " of " +
                     std::to_string(V.Scorpions) + " scorpions patrol where no way passes");
  for (const std::string& Note : V.Notes)
    if (Note.rfind("named gate", 0) == 0) Faults.push_back(Note);
  return Faults;
}

bool Has(const std::vector<std::string>& Faults, const std::string& Start) {
  return std::any_of(Faults.begin(), Faults.end(),
                     [&](const std::string& F) { return F.rfind(Start, 0) == 0; });
}

// A vault in row 1 of a 15 x 9 map: the key, a locked wall at column 8 with rock above it, and
// the gold behind it. The broken copies below break it one way each.
TMap Vault() {
  TMap M(15, 9);
  M.Floor(1, 0, 13);
  M(3, 1) |= Hero;
  M(4, 1) |= Key;
  M(8, 1) |= V | LV;
  M(8, 0) |= V;
  M(12, 1) |= Gold;
  return M;
}

// A hole in the vault's floor west of the start, over a shaft five cells deep.
void CutPit(TMap& M) {
  M(1, 2) &= ~Hz;
  for (int y = 2; y <= 6; ++y) {
    M(1, y) |= V;
    M(2, y) |= V;
  }
  M.Floor(6, 1, 1);
}

TEST(LevelAnalysisTest, TheCheckCatchesBrokenCopiesOfALevel) {
  const std::vector<TGate> Lock{{TGate::LockVert, {8, 1}}};
  EXPECT_TRUE(FaultsOf(Vault().Describe(), Lock).empty());

  // A trap: the pit, with a floor at its bottom and no way up.
  TMap Trap = Vault();
  CutPit(Trap);
  const auto TrapFaults = FaultsOf(Trap.Describe(), Lock);
  EXPECT_TRUE(Has(TrapFaults, "trap at (2, 1)")) << ::testing::PrintToString(TrapFaults);
  EXPECT_FALSE(Has(TrapFaults, "death loop"));

  // A death loop: a scorpion at the bottom of the pit, and the hero comes back to life in it,
  // where he fell onto the lower screen.
  TMap Loop = Trap;
  Loop(1, 6) |= 1 << gcScorpion;
  const auto LoopFaults = FaultsOf(Loop.Describe(), Lock);
  EXPECT_TRUE(Has(LoopFaults, "death loop at (1, 4)")) << ::testing::PrintToString(LoopFaults);
  // The scorpion kills, so the pit is no trap; with an amulet in the level it is one, for the
  // hero who holds the amulet is never stung.
  EXPECT_FALSE(Has(LoopFaults, "trap"));
  TLevelDescription Amulet = Loop.Describe();
  Amulet.HasAmulet = true;
  EXPECT_TRUE(Has(FaultsOf(Amulet, Lock), "trap at (2, 1)"));

  // A bypass: no rock over the locked wall, and a jump goes over it.
  TMap Bypass = Vault();
  Bypass(8, 0) &= ~V;
  EXPECT_EQ(FaultsOf(Bypass.Describe(), Lock),
            std::vector<std::string>{"lock (wall) at (8, 1) is not needed"});

  // Padding: scorpions in a pen under the vault that no way reaches. Half of them penned is too
  // many; one of three is allowed.
  TMap Pen = Vault();
  Pen.Floor(5, 1, 6);
  Pen(2, 5) |= 1 << gcScorpion;
  EXPECT_EQ(FaultsOf(Pen.Describe(), Lock),
            std::vector<std::string>{"1 of 1 scorpions patrol where no way passes"});
  Pen(10, 1) |= 1 << gcScorpion;
  EXPECT_EQ(FaultsOf(Pen.Describe(), Lock),
            std::vector<std::string>{"1 of 2 scorpions patrol where no way passes"});
  Pen(6, 1) |= 1 << gcScorpion;
  EXPECT_TRUE(FaultsOf(Pen.Describe(), Lock).empty());

  // The same on a built-in level: level 2's locked wall at (2, 0) without its wall.
  std::string Error;
  const auto Level2 = DescribeBuiltInLevel(2, Error);
  ASSERT_TRUE(Level2) << Error;
  const std::vector<TGate> Lock2{{TGate::LockVert, {2, 0}}};
  EXPECT_TRUE(FaultsOf(*Level2, Lock2).empty());
  TLevelDescription Open = *Level2;
  Open.Codes[2] &= static_cast<std::uint16_t>(~(1U << gcWallVert));
  EXPECT_EQ(FaultsOf(Open, Lock2), std::vector<std::string>{"lock (wall) at (2, 0) is not needed"});
}

// Levels still to be redesigned: their faults are known. Shrink this list to empty as each
// level is fixed; every other level must stay clean.
// One level a line, so that the levels come off the list one by one.
// clang-format off
const std::set<int> LevelsToRedesign = {
    4,
};
// clang-format on

TEST(LevelAnalysisTest, BuiltInLevelsHaveNoTrapNoDeathLoopAndOnlyNeededGates) {
  for (int n = 1; n <= 24; ++n) {
    if (LevelsToRedesign.count(n)) continue;
    SCOPED_TRACE("level " + std::to_string(n));
    std::string Error;
    const auto Level = DescribeBuiltInLevel(n, Error);
    ASSERT_TRUE(Level) << Error;
    for (const std::string& Fault : FaultsOf(*Level, NamedGatesOf(n))) ADD_FAILURE() << Fault;
  }
}

}  // namespace
}  // namespace karvan
