// The level analysis: a search over every state the hero can reach on the game's rules, and
// the verdicts a level designer needs from it. The hero's state is his cell, his phase
// (standing, falling with or without the one steering step, at the top of a jump with or
// without it), and the level's changes: locks opened, keys taken, switch levers and whether
// each platform a switch drives has been started. Walking, jumping with its steering step, falling,
// the deadly fall into the last row, keys and locks, switches and platforms follow the game's code.
//
// Treated generously, in the player's favour:
// - Scorpions are left out of the moves: the player can always wait until one has walked
//   away, or jump it. Where the hero comes back to life they count against him: a hero who
//   comes to rest, with no key pressed, on a cell of a scorpion's patrol (all its row it can
//   walk, every lock open) dies there again. The amulet is not counted.
// - Timing: a platform that has been started may be anywhere on its track at any moment, so
//   each cell of the track is a floor that may be there or not (the player waits for it); a
//   hero on it rides it one cell either way, and is left behind only where the game refuses
//   him the step (a wall, a ceiling); a falling hero may land on it or miss it. A
//   piece that was never started stays at its start cell. A switch that stops a piece is taken
//   to leave it running: stopped, it is somewhere on its track all the same, and the player
//   could have flipped the switch again. This keeps the levers out of the state once every
//   piece they drive has been started.
// - A side fight (snake, big spider) is won by entering its scene.
// Deaths end a line of play: a route that needs one is no route.
//
// Gold and won side fights change no move, so they are kept out of the state (which would
// otherwise hold every order of taking them): the search notes where they are, finds the parts
// of the move graph the hero can go round in, and works out for every state the sets of them a
// walk on can still gather, and the smallest sets the hero may hold there. A level completes
// from a state when one of the latter with one of the former is all of them.
//
// Use from the editor: fill a TLevelDescription (level_description.h) from the level being
// edited and call GenerousUnreachableGold (fast, every edit) or AnalyzeLevel (the full verdict).
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "analysis/level_description.h"

namespace karvan {

// A lock (by its cell and edge) or a switch (by its cell).
struct TGate {
  enum TKind : std::uint8_t { LockVert, LockHorz, Switch };
  TKind Kind = Switch;
  TPoint Cell;
  bool operator==(const TGate&) const = default;
};
std::string GateText(const TGate& Gate);

// A move that takes the hero from a state that can still complete the level to one that
// cannot, and from which he lands somewhere instead of only falling to his death. Beyond a
// first trap, the traps further on may show only once it is mended; a level that shows none
// has none.
struct TTrap {
  TPoint Cell;          // where the move starts
  std::string Move;     // what the player does there
  TPoint Lands;         // the cell the move leads to
  int StuckCells = 0;   // cells the hero can still reach after it
  bool CanDie = false;  // a fall into the last row is still possible (a death is the only way out)
  std::vector<TPoint> GoldLost;  // gold out of reach after it (empty: no single piece is)
  std::string Situation;         // keys carried and locks open when the move is made
};

// A cell where the hero comes back to life.
struct TResurrection {
  TPoint Cell;
  bool Standing = true;        // he comes back on a floor
  bool CertainDeath = false;   // without a key press he dies again (a fall or a sting)
  bool PossibleDeath = false;  // he may, depending on where a platform is
  bool ByScorpion = false;     // the death that waits there is a scorpion's sting
};

struct TGateVerdict {
  TGate Gate;
  bool Needed = false;  // the level cannot be completed with this gate sealed
  bool Named = false;
};

struct TLevelVerdict {
  std::string Error;        // not empty: the analysis could not run
  bool Incomplete = false;  // the state limit was reached
  bool Completable = false;
  std::size_t States = 0;
  std::size_t CompletableStates = 0;
  int ReachableCells = 0;
  int DeadEndCells = 0;  // reachable, but no state in them can still complete the level
  int UnreachableCells = 0;
  // Each cell, Cells[y * width + x]: never reached, on a way that can complete, or a dead end.
  enum TCell : std::uint8_t { Unreached, Route, DeadEnd };
  std::vector<TCell> Cells;
  int UnreachableOpenCells = 0;  // unreachable cells that are not solid (both walls)
  // Of those, the ones past the last whole screen (the border column and row), which the view
  // never shows as cells of their own.
  int UnreachableOpenBorderCells = 0;
  int EmptyScreens = 0;  // screens the hero never enters
  // Scorpions, and those whose patrol (the cells where they sting) reaches a cell of a way that
  // completes the level.
  int Scorpions = 0;
  int ScorpionsOnRoute = 0;
  int Screens = 0;
  std::vector<TTrap> Traps;
  int DeadlyMoves = 0;  // moves after which only a death follows (pits), by cell and move
  std::vector<TResurrection> Resurrections;
  std::vector<TGateVerdict> Gates;
  std::vector<TPoint> UnreachableGold;  // generous reachability
  std::vector<std::string> Notes;
  double Milliseconds = 0;

  bool HasDeathLoop() const;
  std::vector<TGate> UnneededNamedGates() const;
};

// A search that reaches the limit stops and says so (TLevelVerdict::Incomplete); its verdicts
// then cover only the states found. A state takes 16 bytes on a level with up to 64 locks, keys,
// levers and switch-driven pieces; the largest built-in map, with 17 keys and 17 locks to take
// in any order, needs about 12 million states.
struct TAnalysisLimits {
  std::size_t MaxStates = 16'000'000;
};

// The full verdict. Named gates are the ones the level's route is declared to need; each gets
// checked by sealing it.
TLevelVerdict AnalyzeLevel(const TLevelDescription& Level,
                           const std::vector<TGate>& NamedGates = {},
                           const TAnalysisLimits& Limits = {});

// Whether the level can be completed with the given gates sealed (never opened or flipped).
bool CanCompleteWithout(const TLevelDescription& Level, const std::vector<TGate>& Sealed,
                        const TAnalysisLimits& Limits = {});

// Gold that no walk, jump or fall reaches even with every wall lock open, every floor lock shut
// or open as suits the hero (it is a floor to walk over and a way down), and every platform
// anywhere on its track; also every cell reached, Reached[y * Width + x].
struct TGenerousReach {
  std::vector<TPoint> UnreachableGold;
  std::vector<bool> Reached;
};
TGenerousReach GenerousReach(const TLevelDescription& Level);
std::vector<TPoint> GenerousUnreachableGold(const TLevelDescription& Level);

}  // namespace karvan
