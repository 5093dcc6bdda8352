// Prints the level analysis of built-in levels or of a custom level file:
//   karvan-analyze --level N       (N = 1..24, or "all")
//   karvan-analyze --custom FILE
// with --map after them, also the map of cells reached.
// Exit status 0 when every level analysed is clean (completable, no trap, no death loop, no
// unneeded named gate), 1 otherwise, 2 on bad arguments or an unreadable file.
#include <iostream>
#include <string>
#include <vector>

#include "analysis/level_analysis.h"
#include "analysis/level_gates.h"
#include "game/custom_level_file.h"

using namespace karvan;

namespace {

std::string At(TPoint P) {
  return "(" + std::to_string(P.X) + ", " + std::to_string(P.Y) + ")";
}

bool Report(const TLevelDescription& Level, const std::vector<TGate>& Named, bool WithMap) {
  const TLevelVerdict V = AnalyzeLevel(Level, Named);
  std::cout << "== " << Level.Name << " (" << Level.Width << " x " << Level.Height << ")\n";
  if (!V.Error.empty()) {
    std::cout << "  error: " << V.Error << "\n";
    return false;
  }
  std::cout << "  completable: " << (V.Completable ? "yes" : "NO") << "\n";
  std::cout << "  states: " << V.States << " reachable, " << V.CompletableStates
            << " can still complete\n";
  std::cout << "  cells: " << V.ReachableCells << " reachable, " << V.DeadEndCells
            << " of them dead ends; " << V.UnreachableCells << " unreachable ("
            << V.UnreachableOpenCells << " not solid rock, " << V.UnreachableOpenBorderCells
            << " of them in the border); screens never entered: " << V.EmptyScreens << " of "
            << V.Screens << "\n";
  std::cout << "  scorpions: " << V.Scorpions << ", " << V.ScorpionsOnRoute
            << " of them patrolling where a way to the end passes\n";
  std::cout << "  traps: " << V.Traps.size() << "\n";
  for (const TTrap& T : V.Traps) {
    std::cout << "    " << At(T.Cell) << " " << T.Move << " -> " << At(T.Lands) << ", "
              << T.StuckCells << " cells left to roam"
              << (T.CanDie ? ", only a death gets out" : ", no way out");
    if (!T.GoldLost.empty()) {
      std::cout << "; gold lost:";
      for (const TPoint& P : T.GoldLost) std::cout << " " << At(P);
    }
    std::cout << " [" << T.Situation << "]";
    std::cout << "\n";
  }
  std::cout << "  deadly moves (a certain death follows): " << V.DeadlyMoves << "\n";
  int Loops = 0;
  for (const TResurrection& R : V.Resurrections) {
    if (!R.CertainDeath && !R.PossibleDeath) continue;
    ++Loops;
    std::cout << "    resurrection at " << At(R.Cell)
              << (R.CertainDeath
                      ? (R.ByScorpion ? ": DEATH LOOP (without a key press a scorpion stings him)"
                                      : ": DEATH LOOP (falls to death without a key press)")
                      : ": may die again (platform timing)")
              << "\n";
  }
  std::cout << "  resurrection points: " << V.Resurrections.size() << ", death loops: " << Loops
            << "\n";
  std::cout << "  gates:\n";
  for (const TGateVerdict& G : V.Gates)
    std::cout << "    " << GateText(G.Gate) << ": " << (G.Needed ? "needed" : "not needed")
              << (G.Named ? " [named]" : "") << (G.Named && !G.Needed ? "  <- NOT A GATE" : "")
              << "\n";
  std::cout << "  unreachable gold (wall locks open, floor locks either way, platforms anywhere):";
  for (const TPoint& P : V.UnreachableGold) std::cout << " " << At(P);
  std::cout << (V.UnreachableGold.empty() ? " none\n" : "\n");
  for (const std::string& Note : V.Notes) std::cout << "  note: " << Note << "\n";
  std::cout << "  time: " << V.Milliseconds << " ms\n";
  if (V.Incomplete) std::cout << "  INCOMPLETE: the state limit was reached\n";
  if (WithMap) {
    // Route cells '+', dead ends 'x', unreached '.', unreached solid rock '#'.
    std::cout << "  map:\n";
    for (int y = 0; y < Level.Height; ++y) {
      std::cout << "    ";
      for (int x = 0; x < Level.Width; ++x) {
        const auto Kind = V.Cells[static_cast<std::size_t>(y * Level.Width + x)];
        const bool Rock = Level.Has(x, y, gcWallVert) && Level.Has(x, y, gcWallHorz);
        std::cout << (Kind == TLevelVerdict::Route     ? '+'
                      : Kind == TLevelVerdict::DeadEnd ? 'x'
                      : Rock                           ? '#'
                                                       : '.');
      }
      std::cout << "\n";
    }
  }
  return !V.Incomplete && V.Completable && V.Traps.empty() && !V.HasDeathLoop() &&
         V.UnneededNamedGates().empty();
}

int Usage() {
  std::cerr << "usage: karvan-analyze --level N|all | --custom FILE [--map]\n";
  return 2;
}

}  // namespace

int main(int argc, char** argv) {
  std::vector<std::string> Args(argv + 1, argv + argc);
  const bool WithMap = Args.size() == 3 && Args[2] == "--map";
  if (WithMap) Args.pop_back();
  if (Args.size() != 2) return Usage();
  std::string Error;
  if (Args[0] == "--level") {
    std::vector<int> Levels;
    if (Args[1] == "all") {
      for (int n = 1; n <= 24; ++n) Levels.push_back(n);
    } else {
      try {
        std::size_t Used = 0;
        Levels.push_back(std::stoi(Args[1], &Used));
        if (Used != Args[1].size()) return Usage();
      } catch (const std::exception&) {
        return Usage();
      }
    }
    bool Clean = true;
    for (int n : Levels) {
      const auto Level = DescribeBuiltInLevel(n, Error);
      if (!Level) {
        std::cerr << Error << "\n";
        return 2;
      }
      Clean = Report(*Level, NamedGatesOf(n), WithMap) && Clean;
    }
    return Clean ? 0 : 1;
  }
  if (Args[0] == "--custom") {
    const auto Lines = ReadLevelFileLines(Args[1]);
    if (!Lines) {
      std::cerr << "The file " << Args[1] << " cannot be read.\n";
      return 2;
    }
    const auto Level = DescribeCustomLevel(*Lines, Error);
    if (!Level) {
      std::cerr << Args[1] << ": " << Error << "\n";
      return 2;
    }
    return Report(*Level, {}, WithMap) ? 0 : 1;
  }
  return Usage();
}
