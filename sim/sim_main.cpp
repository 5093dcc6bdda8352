#include "sim/sim_main.h"

#include <filesystem>
#include <fstream>
#include <optional>
#include <sstream>

#include <CLI/CLI.hpp>

#include "engine/platform.h"
#include "engine/support.h"
#include "forms/level_select_form.h"
#include "game/karvan_form.h"
#include "sim/sim_platform.h"

namespace karvan::sim {

namespace {

// A file the simulator must read: it has to exist, be no folder and be readable. With
// RegularOnly it must be a regular file: a level file that is a device or a pipe would never
// end or block before the run starts (a script may come through a pipe, as from `<(...)`).
std::optional<std::string> CheckReadableFile(const std::string& Path, const std::string& What,
                                             bool RegularOnly) {
  std::error_code Error;
  const auto Status = std::filesystem::status(Path, Error);
  if (Error || !std::filesystem::exists(Status)) return What + " '" + Path + "' does not exist";
  if (std::filesystem::is_directory(Status)) return What + " '" + Path + "' is a directory";
  if (RegularOnly && !std::filesystem::is_regular_file(Status))
    return What + " '" + Path + "' is not a regular file";
  std::ifstream Probe(Path);
  if (!Probe) return What + " '" + Path + "' cannot be read";
  return std::nullopt;
}

}  // namespace

int SimMain(const std::vector<std::string>& Args, std::ostream& Out, std::ostream& Err,
            std::int64_t TraceEvery, bool Sleep) {
  CLI::App App{"Karvan Mirk headless simulator: runs the game on a virtual clock", "karvan-sim"};
  int Level = 1;
  std::string Custom;
  std::string ScriptPath;
  std::int64_t Until = -1;
  std::int64_t Step = 1;
  bool ShowMap = false;
  auto* LevelOption = App.add_option("--level", Level, "level the level choice answers (1 to 24)")
                          ->check(CLI::Range(1, 24));
  auto* CustomOption =
      App.add_option("--custom", Custom, "answer the level choice with this custom level file");
  LevelOption->excludes(CustomOption);
  App.add_option("--script", ScriptPath, "script of timed input and state requests");
  App.add_option("--until", Until, "stop at this virtual time (ms)")
      ->check(CLI::Range(std::int64_t{0}, std::int64_t{1} << 40));
  App.add_option("--step", Step, "ms the virtual clock advances per message pump")
      ->check(CLI::Range(std::int64_t{1}, std::int64_t{60000}));
  App.add_flag("--map", ShowMap, "add the visible map to every state line");

  std::vector<std::string> Reversed(Args.rbegin(), Args.rend());
  try {
    App.parse(Reversed);
  } catch (const CLI::CallForHelp&) {
    Out << App.help();
    return 0;
  } catch (const CLI::ParseError& Error) {
    Err << "karvan-sim: " << Error.what() << "\n";
    return 2;
  }

  TSimOptions Options;
  Options.Level = Level;
  Options.Step = Step;
  Options.ShowMap = ShowMap;
  Options.TraceEvery = TraceEvery;
  Options.Sleep = Sleep;
  if (Until >= 0) Options.Until = Until;
  if (!Custom.empty()) {
    if (auto Problem = CheckReadableFile(Custom, "custom level file", true)) {
      Err << "karvan-sim: " << *Problem << "\n";
      return 2;
    }
    Options.CustomFile = Custom;
  }

  TScript Script;
  if (!ScriptPath.empty()) {
    if (auto Problem = CheckReadableFile(ScriptPath, "script", false)) {
      Err << "karvan-sim: " << *Problem << "\n";
      return 2;
    }
    std::ifstream In(ScriptPath);
    try {
      Script = ParseScript(In, ScriptPath);
    } catch (const TScriptError& Error) {
      Err << "karvan-sim: " << Error.what() << "\n";
      return 2;
    }
  }

  SimPlatform Platform(std::move(Script), Options, Out);
  PlatformScope Scope(Platform);
  auto Form = MakeForm<TKarvanForm>();
  Platform.Attach(*Form);
  CreateFormOnce(Form->LevelSelectForm, *Form);
  try {
    Form->Run();
    Platform.PrintState(true);
  } catch (const TSimStop&) {
    Platform.PrintState(false);
  } catch (const TScriptError& Error) {
    Err << "karvan-sim: " << Error.what() << "\n";
    return 2;
  }
  return 0;
}

}  // namespace karvan::sim
