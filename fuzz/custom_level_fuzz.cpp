// libFuzzer target: arbitrary bytes as a custom level file, loaded through the level choice
// like a player's file and played for a few seconds of random keys. A broken invariant aborts,
// so that the fuzzer keeps the input.
//
// Bytes the game refuses are not played: the level choice would play built-in level 1 in their
// place, three seconds of the same game for every refused input, and the refusal itself is the
// loading target's work. The clock advances 4 ms a pump, the longest the desktop lets pass
// between two pumps: every run is one a player's machine can produce, the level gets the same
// seconds of play and the same keys, in a quarter of the passes.
#include <unistd.h>

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <string_view>

#include "game/custom_level_file.h"
#include "sim/checked_run.h"

namespace {

constexpr std::int64_t PlayStart = 1000;  // the level choice's second of waiting is over
constexpr std::int64_t PlayEnd = 4000;
constexpr std::int64_t PumpStep = 4;

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* Data, std::size_t Size) {
  const std::string_view Bytes(reinterpret_cast<const char*>(Data), Size);
  if (!karvan::IsPlayableCustomLevel(karvan::LevelFileLinesFromBytes(Bytes))) return 0;

  static const std::string Path =
      (std::filesystem::temp_directory_path() /
       ("karvan-fuzz-" + std::to_string(static_cast<long>(getpid())) + ".lvl"))
          .string();
  {
    std::ofstream Out(Path, std::ios::binary | std::ios::trunc);
    Out.write(Bytes.data(), static_cast<std::streamsize>(Bytes.size()));
  }
  static const karvan::sim::TScript Keys = karvan::sim::RandomPlay(7, PlayStart, PlayEnd);
  karvan::sim::TSimOptions Options;
  Options.CustomFile = Path;
  Options.Until = PlayEnd;
  Options.Step = PumpStep;
  const karvan::sim::TCheckedRun Run = karvan::sim::RunChecked(Keys, Options);
  if (Run.Problem) {
    std::fprintf(stderr, "karvan-fuzz: %s\n", Run.Problem->c_str());
    std::abort();
  }
  if (Run.LevelsStarted < 1 || Run.Time < PlayEnd) {
    std::fprintf(stderr, "karvan-fuzz: a playable file was not played to the end\n");
    std::abort();
  }
  return 0;
}
