// karvan-soak: random play over the built-in levels with the game's invariants checked at every
// pump. A failing run is saved as a script that karvan-sim replays.
#include <chrono>
#include <cstdint>
#include <fstream>
#include <iostream>
#include <string>
#include <vector>

#include <CLI/CLI.hpp>

#include "sim/checked_run.h"

namespace {

using namespace karvan::sim;

// "7", "1-24" or "3,5,9-11" into level numbers; throws CLI::ValidationError on anything else.
std::vector<int> ParseLevels(const std::string& Text) {
  std::vector<int> Levels;
  std::size_t Pos = 0;
  while (Pos <= Text.size()) {
    const std::size_t Comma = Text.find(',', Pos);
    const std::string Part =
        Text.substr(Pos, Comma == std::string::npos ? std::string::npos : Comma - Pos);
    const std::size_t Dash = Part.find('-');
    int First = 0;
    int Last = 0;
    try {
      std::size_t Used = 0;
      First = std::stoi(Part, &Used);
      if (Dash == std::string::npos) {
        if (Used != Part.size()) throw std::invalid_argument(Part);
        Last = First;
      } else {
        if (Used != Dash) throw std::invalid_argument(Part);
        const std::string Tail = Part.substr(Dash + 1);
        Last = std::stoi(Tail, &Used);
        if (Used != Tail.size()) throw std::invalid_argument(Part);
      }
    } catch (const std::exception&) {
      throw CLI::ValidationError("--levels", "'" + Part + "' is not a level or a range of levels");
    }
    if (First < 1 || Last > 24 || First > Last)
      throw CLI::ValidationError("--levels", "'" + Part + "' is not within 1-24");
    for (int Level = First; Level <= Last; ++Level) Levels.push_back(Level);
    if (Comma == std::string::npos) break;
    Pos = Comma + 1;
  }
  return Levels;
}

}  // namespace

int main(int argc, char** argv) {
  CLI::App App{"Karvan Mirk random-play soak: random keys on every level, invariants checked",
               "karvan-soak"};
  std::string LevelText = "1-24";
  std::int64_t Seconds = 60;
  std::uint32_t Seed = 1;
  std::string SaveDir;
  std::string Custom;
  App.add_option("--levels", LevelText, "levels to play, e.g. 7, 1-24 or 3,5,9-11");
  App.add_option("--seconds", Seconds, "virtual seconds of play per level")
      ->check(CLI::Range(std::int64_t{1}, std::int64_t{24 * 3600}));
  App.add_option("--seed", Seed, "seed of the random player");
  App.add_option("--save", SaveDir, "folder for the script of a failing run")
      ->check(CLI::ExistingDirectory);
  App.add_option("--custom", Custom, "play this custom level file instead of built-in levels")
      ->check(CLI::ExistingFile);
  std::vector<int> Levels;
  try {
    App.parse(argc, argv);
    Levels = Custom.empty() ? ParseLevels(LevelText) : std::vector<int>{1};
  } catch (const CLI::CallForHelp&) {
    std::cout << App.help();
    return 0;
  } catch (const CLI::ParseError& Error) {
    std::cerr << "karvan-soak: " << Error.what() << "\n";
    return 2;
  }

  int Failures = 0;
  for (int Level : Levels) {
    const std::uint32_t LevelSeed = Seed * 100 + static_cast<std::uint32_t>(Level);
    const std::int64_t End = 1000 + Seconds * 1000;
    const TScript Script = RandomPlay(LevelSeed, 1000, End);
    TSimOptions Options;
    Options.Level = Level;
    Options.Until = End;
    if (!Custom.empty()) Options.CustomFile = Custom;
    const auto Began = std::chrono::steady_clock::now();
    const TCheckedRun Run = RunChecked(Script, Options);
    const std::chrono::duration<double> Real = std::chrono::steady_clock::now() - Began;
    std::cout << "level " << Level << ": " << Run.Time / 1000 << " s played, " << Run.Pumps
              << " pumps, " << Run.LevelsStarted << " games, " << Real.count() << " s real: ";
    if (!Run.Problem && !Run.Ended) {
      // A line per level as it ends: a long soak shows how far it has come.
      std::cout << "ok" << std::endl;
      continue;
    }
    ++Failures;
    const std::string Problem = Run.Problem ? *Run.Problem : "the game loop ended";
    std::cout << "FAILED, " << Problem << "\n";
    if (!SaveDir.empty()) {
      const std::string Path = SaveDir + "/soak-level-" + std::to_string(Level) + "-seed-" +
                               std::to_string(LevelSeed) + ".sim";
      std::ofstream(Path) << ScriptText(Script);
      std::cout << "  replay: karvan-sim "
                << (Custom.empty() ? "--level " + std::to_string(Level) : "--custom " + Custom)
                << " --script " << Path << "\n";
    }
    std::cout.flush();
  }
  std::cout.flush();
  return Failures == 0 ? 0 : 1;
}
