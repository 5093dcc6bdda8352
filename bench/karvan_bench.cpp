// Speed of the game's hot path: one pass of the loop on small and on the largest levels,
// building the largest level, the simulator's speed in virtual seconds per real second, the
// passes a waiting desktop still runs, and the level analysis of levels 9 to 24.
#include <benchmark/benchmark.h>

#include <cstddef>
#include <cstdint>
#include <limits>
#include <memory>
#include <ostream>
#include <streambuf>
#include <string>
#include <vector>

#include "analysis/level_analysis.h"
#include "analysis/level_gates.h"
#include "engine/platform.h"
#include "engine/render.h"
#include "game/karvan_form.h"
#include "sim/checked_run.h"
#include "sim/next_change_check.h"
#include "sim/sim_platform.h"

namespace {

using namespace karvan;

class NullBuffer : public std::streambuf {
 protected:
  int_type overflow(int_type Char) override { return traits_type::not_eof(Char); }
};

// The simulator's options without its cap on a run's length: a bench runs millions of passes.
sim::TSimOptions Endless() {
  sim::TSimOptions Options;
  Options.Cap = std::numeric_limits<std::int64_t>::max();
  return Options;
}

// A device form on the headless platform, with the given level started.
struct TBenchGame {
  NullBuffer Discard;
  std::ostream Null{&Discard};
  sim::SimPlatform Platform{sim::TScript{}, Endless(), Null};
  PlatformScope Scope{Platform};
  std::unique_ptr<TKarvanForm> Form = MakeForm<TKarvanForm>();

  explicit TBenchGame(int LevelNr) : Nr(LevelNr) {
    Platform.Attach(*Form);
    Platform.Clock = 10000;
    Start();
  }
  void Start() {
    Form->Lives = Form->MaxLives;
    Form->Init(Nr);
    Started = Platform.Clock;
  }
  // One pass of the game loop, one millisecond later than the last.
  void Pass() {
    ++Platform.Clock;
    Form->Render->Run();
    Form->CheckMovement();
    Form->Draw();
  }
  int Nr;
  std::int64_t Started = 0;
};

void BM_Pass(benchmark::State& State) {
  TBenchGame Game(static_cast<int>(State.range(0)));
  // Let the shown figures wake and start their walks first.
  const auto WarmUp = [&Game] {
    for (int i = 0; i < 2000; ++i) Game.Pass();
  };
  WarmUp();
  for (auto _ : State) {
    Game.Pass();
    // Every row measures the same stretch of a hero standing still: the level starts again,
    // outside the measured time, every five virtual seconds (nothing hurts him that long), so
    // that what comes later, such as a side scene's sound waiting in a pump, stays out of it.
    if (Game.Platform.Clock - Game.Started >= 5000) {
      State.PauseTiming();
      Game.Start();
      WarmUp();
      State.ResumeTiming();
    }
  }
  State.SetLabel("level " + std::to_string(State.range(0)) + ", " +
                 std::to_string(Game.Form->Map.size()) + " x " +
                 std::to_string(Game.Form->Map.empty() ? 0 : Game.Form->Map[0].size()) +
                 ", acting " + std::to_string(Game.Form->ActingCount()));
}
BENCHMARK(BM_Pass)->DenseRange(1, 24)->Unit(benchmark::kMicrosecond);

void BM_BuildLargestLevel(benchmark::State& State) {
  TBenchGame Game(1);
  for (auto _ : State) {
    Game.Form->Init(24);
    Game.Form->CollectRetiredLevel();
    benchmark::DoNotOptimize(Game.Form->Map.RowCount());
  }
}
BENCHMARK(BM_BuildLargestLevel)->Unit(benchmark::kMillisecond);

// Ten virtual seconds of random play on a level, program start included.
void BM_SimulatorSpeed(benchmark::State& State) {
  const auto Level = static_cast<int>(State.range(0));
  const sim::TScript Keys = sim::RandomPlay(3, 1000, 11000);
  sim::TSimOptions Options;
  Options.Level = Level;
  Options.Until = 11000;
  for (auto _ : State) {
    const sim::TCheckedRun Run = sim::RunChecked(Keys, Options);
    benchmark::DoNotOptimize(Run.Pumps);
  }
  State.counters["virtual_s"] = benchmark::Counter(11.0 * static_cast<double>(State.iterations()),
                                                   benchmark::Counter::kIsRate);
}
BENCHMARK(BM_SimulatorSpeed)->DenseRange(1, 24)->Unit(benchmark::kMillisecond);

// The passes a desktop still runs while the game waits for input: ten virtual seconds of a
// hero standing still on a level, where the desktop sleeps until the game's next change.
void BM_WaitingPasses(benchmark::State& State) {
  sim::TSimOptions Options;
  Options.Level = static_cast<int>(State.range(0));
  Options.Until = 13000;
  sim::TNextChangeRun Run;
  for (auto _ : State) {
    Run = sim::CheckNextChange(sim::TScript{}, Options);
    benchmark::DoNotOptimize(Run.QuietMs);
  }
  if (Run.Problem) State.SkipWithError(Run.Problem->c_str());
  // Over the whole run, the program's start included.
  State.counters["passes_per_s"] =
      static_cast<double>(Run.Time - Run.QuietMs) * 1000.0 / static_cast<double>(Run.Time);
}
BENCHMARK(BM_WaitingPasses)->Arg(1)->Arg(13)->Arg(24)->Unit(benchmark::kMillisecond);

// The level analysis of a built-in level, as karvan-analyze and the level test run it: the
// states searched and the time; the large levels were the ones that reached the state limit.
void BM_AnalyzeLevel(benchmark::State& State) {
  const int LevelNr = static_cast<int>(State.range(0));
  std::string Error;
  const auto Level = DescribeBuiltInLevel(LevelNr, Error);
  if (!Level) {
    State.SkipWithError(Error.c_str());
    return;
  }
  std::size_t States = 0;
  for (auto _ : State) {
    const TLevelVerdict V = AnalyzeLevel(*Level, NamedGatesOf(LevelNr));
    States = V.States;
    benchmark::DoNotOptimize(States);
  }
  State.counters["states"] = static_cast<double>(States);
}
BENCHMARK(BM_AnalyzeLevel)->DenseRange(9, 24)->Unit(benchmark::kMillisecond);

// A level whose keys and locks can be taken and opened in any order, as in the old level 24
// (11.9 million states): a corridor with a key on a ledge over it every four cells and a floor
// lock into a pit with gold between them. The states grow about fourfold with each room.
TLevelDescription RoomsLevel(int Rooms) {
  const int Width = 4 * Rooms + 4;
  std::vector<int> Codes(static_cast<std::size_t>(Width * 5), 0);
  auto At = [&](int x, int y) -> int& { return Codes[static_cast<std::size_t>(y * Width + x)]; };
  constexpr int V = 1 << gcWallVert;
  constexpr int H = 1 << gcWallHorz;
  for (int x = 0; x < Width - 1; ++x) At(x, 2) |= H;  // the corridor's floor, row 1
  At(1, 1) |= 1 << gcHero;
  for (int r = 0; r < Rooms; ++r) {
    const int x = 4 * r + 3;
    At(x, 1) |= H;  // a ledge over the corridor, reached with a jump and a steering step
    At(x, 0) |= 1 << gcKey;
    At(x + 2, 2) |= V | 1 << gcLockHorz | 1 << gcGold;  // a pit one cell deep under the lock
    At(x + 3, 2) |= V;
    At(x + 2, 3) |= H;
  }
  std::vector<std::string> Lines;
  for (int y = 0; y < 5; ++y) {
    std::string Row;
    for (int x = 0; x < Width; ++x) Row += (x ? "," : "") + std::to_string(At(x, y));
    Lines.push_back("AddRow('" + Row + "');");
  }
  std::string Error;
  auto Level = DescribeCustomLevel(Lines, Error);
  return Level.value_or(TLevelDescription{});
}

void BM_AnalyzeRoomsInAnyOrder(benchmark::State& State) {
  const TLevelDescription Level = RoomsLevel(static_cast<int>(State.range(0)));
  std::size_t States = 0;
  bool Complete = false;
  for (auto _ : State) {
    const TLevelVerdict V = AnalyzeLevel(Level);
    States = V.States;
    Complete = V.Completable && !V.Incomplete;
    benchmark::DoNotOptimize(States);
  }
  if (!Complete) State.SkipWithError("the rooms level was not searched to its end");
  State.counters["states"] = static_cast<double>(States);
}
BENCHMARK(BM_AnalyzeRoomsInAnyOrder)->DenseRange(4, 8)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
