// libFuzzer target: arbitrary bytes as a custom level file, loaded through the level choice
// like a player's file and played for a few seconds of random keys. A broken invariant aborts,
// so that the fuzzer keeps the input.
#include <unistd.h>

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>

#include "sim/checked_run.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* Data, std::size_t Size) {
  static const std::string Path =
      (std::filesystem::temp_directory_path() /
       ("karvan-fuzz-" + std::to_string(static_cast<long>(getpid())) + ".lvl"))
          .string();
  {
    std::ofstream Out(Path, std::ios::binary | std::ios::trunc);
    Out.write(reinterpret_cast<const char*>(Data), static_cast<std::streamsize>(Size));
  }
  const karvan::sim::TCheckedRun Run = karvan::sim::PlayCustomLevelFile(Path);
  if (Run.Problem) {
    std::fprintf(stderr, "karvan-fuzz: %s\n", Run.Problem->c_str());
    std::abort();
  }
  return 0;
}
