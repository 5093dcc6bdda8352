// libFuzzer target: arbitrary bytes as a custom level file, loaded through the level choice
// like a player's file and played for a few seconds of random keys (custom_level_play.h). A
// broken invariant aborts, so that the fuzzer keeps the input.
//
// Bytes the game refuses are not played: the level choice would play built-in level 1 in their
// place, three seconds of the same game for every refused input, and the refusal itself is the
// loading target's work.
#include <unistd.h>

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <string_view>

#include "fuzz/custom_level_play.h"
#include "game/custom_level_file.h"

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
  const karvan::sim::TCheckedRun Run = karvan::fuzz::PlayCustomLevelLikeTheFuzzer(Path);
  if (Run.Problem) {
    std::fprintf(stderr, "karvan-fuzz: %s\n", Run.Problem->c_str());
    std::abort();
  }
  if (Run.LevelsStarted < 1 || Run.Time < karvan::fuzz::PlayEnd) {
    std::fprintf(stderr, "karvan-fuzz: a playable file was not played to the end\n");
    std::abort();
  }
  return 0;
}
