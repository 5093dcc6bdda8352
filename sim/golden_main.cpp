// karvan-golden: records and checks the golden traces under tests/golden/.
//   karvan-golden replay N...              level N's replay, until its last line
//   karvan-golden soak LEVEL SEED SECONDS  random play from a seed, its script kept beside it
//   karvan-golden rerecord FILE...         again, with the arguments the trace file names
//   karvan-golden check FILE...            run and compare; names the first second that differs
#include <algorithm>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <stdexcept>
#include <string>
#include <vector>

#include <CLI/CLI.hpp>

#include "sim/checked_run.h"
#include "sim/golden_trace.h"
#include "sim/script.h"

namespace {

namespace fs = std::filesystem;
using namespace karvan::sim;

std::string TwoDigits(int Number) {
  return (Number < 10 ? "0" : "") + std::to_string(Number);
}

void Save(const fs::path& Path, const TGoldenTrace& Trace) {
  std::ofstream Out(Path);
  WriteTrace(Out, Trace);
  if (!Out) throw std::runtime_error("cannot write " + Path.string());
  std::cout << Path.string() << ": " << Trace.Seconds.size() << " seconds\n";
}

TGoldenTrace Load(const fs::path& Path) {
  std::ifstream In(Path);
  if (!In) throw std::runtime_error("cannot read " + Path.string());
  return ReadTrace(In, Path.string());
}

// The virtual time of a script's last line: a replay runs until then.
std::int64_t EndTime(const fs::path& Path) {
  std::ifstream In(Path);
  if (!In) throw std::runtime_error("cannot read " + Path.string());
  const TScript Script = ParseScript(In, Path.string());
  std::int64_t End = 0;
  for (const TScriptLine& Line : Script.Lines) End = std::max(End, Line.Time);
  return End;
}

}  // namespace

int main(int argc, char** argv) {
  CLI::App App{"Karvan Mirk golden traces: record and check", "karvan-golden"};
  std::string Root = ".";
  App.add_option("--root", Root, "the repository's root (default: the current folder)")
      ->check(CLI::ExistingDirectory);
  App.require_subcommand(1);

  std::vector<int> Levels;
  auto* Replay = App.add_subcommand("replay", "record the traces of these levels' replays");
  Replay->add_option("levels", Levels, "level numbers")->required()->check(CLI::Range(1, 24));

  int SoakLevel = 1;
  std::uint32_t Seed = 1;
  std::int64_t Seconds = 60;
  auto* Soak = App.add_subcommand("soak", "record a random-play trace and keep its script");
  Soak->add_option("level", SoakLevel, "level")->required()->check(CLI::Range(1, 24));
  Soak->add_option("seed", Seed, "seed of the random player")->required();
  Soak->add_option("seconds", Seconds, "virtual seconds of play")
      ->required()
      ->check(CLI::Range(std::int64_t{1}, std::int64_t{1800}));

  std::vector<std::string> Files;
  auto* Rerecord = App.add_subcommand("rerecord", "record these traces again");
  Rerecord->add_option("files", Files, "trace files")->required()->check(CLI::ExistingFile);
  auto* Check = App.add_subcommand("check", "compare these traces with the game now");
  Check->add_option("files", Files, "trace files")->required()->check(CLI::ExistingFile);

  CLI11_PARSE(App, argc, argv);

  try {
    const fs::path RootPath(Root);
    const fs::path Golden = RootPath / "tests" / "golden";
    if (*Replay) {
      for (int Level : Levels) {
        const std::string Script = "tests/replays/level_" + TwoDigits(Level) + ".sim";
        const std::int64_t End = EndTime(RootPath / Script);
        Save(Golden / ("level_" + TwoDigits(Level) + ".trace"),
             RecordTrace({"--level", std::to_string(Level), "--script", Script, "--until",
                          std::to_string(End)},
                         RootPath));
      }
    } else if (*Soak) {
      const std::string Name =
          "soak_level_" + TwoDigits(SoakLevel) + "_seed_" + std::to_string(Seed);
      const std::int64_t End = 1000 + Seconds * 1000;
      std::ofstream(Golden / (Name + ".sim")) << ScriptText(RandomPlay(Seed, 1000, End));
      Save(Golden / (Name + ".trace"),
           RecordTrace({"--level", std::to_string(SoakLevel), "--script",
                        "tests/golden/" + Name + ".sim", "--until", std::to_string(End)},
                       RootPath));
    } else if (*Rerecord) {
      for (const std::string& File : Files) Save(File, RecordTrace(Load(File).Args, RootPath));
    } else {
      int Failures = 0;
      for (const std::string& File : Files) {
        const TGoldenTrace Recorded = Load(File);
        const auto Problem = CompareTraces(Recorded, RecordTrace(Recorded.Args, RootPath));
        std::cout << File << ": " << (Problem ? *Problem : "same") << "\n";
        if (Problem) ++Failures;
      }
      return Failures == 0 ? 0 : 1;
    }
  } catch (const std::exception& Error) {
    std::cerr << "karvan-golden: " << Error.what() << "\n";
    return 2;
  }
  return 0;
}
