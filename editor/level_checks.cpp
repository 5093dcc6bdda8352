#include "level_checks.h"

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <random>

#include "analysis/level_analysis.h"
#include "game/custom_level_file.h"
#include "game_bridge.h"

namespace karvan::editor {

namespace {

std::string CellName(TPoint P) {
  return "(" + std::to_string(P.X) + ", " + std::to_string(P.Y) + ")";
}

std::optional<TPoint> FirstWith(const LevelDocument& Document, CellCode Bits) {
  for (int y = 0; y < Document.Height(); ++y)
    for (int x = 0; x < Document.Width(); ++x)
      if ((Document.Code(x, y) & Bits) != 0) return TPoint{x, y};
  return std::nullopt;
}

int CountWith(const LevelDocument& Document, CellCode Bits) {
  int Count = 0;
  for (int y = 0; y < Document.Height(); ++y)
    for (int x = 0; x < Document.Width(); ++x)
      if ((Document.Code(x, y) & Bits) != 0) ++Count;
  return Count;
}

// The level as the analysis takes it: what a level file can carry.
TLevelDescription Describe(const LevelDocument& Document, TPoint Start) {
  TLevelDescription Level;
  Level.Name = "edited level";
  Level.Width = Document.Width();
  Level.Height = Document.Height();
  Level.Codes.reserve(static_cast<std::size_t>(Level.Width) * Level.Height);
  for (int y = 0; y < Level.Height; ++y)
    for (int x = 0; x < Level.Width; ++x) Level.Codes.push_back(Document.Code(x, y));
  for (const SwitchRecord& R : Document.Switches)
    Level.Switches.push_back({R.Switch, R.Platform, R.Dir, false});
  Level.Start = Start;
  return Level;
}

// The analysis needs a level the game plays, with every switch record inside the map.
std::optional<TLevelDescription> Analysable(const LevelDocument& Document) {
  const auto Hero = Document.HeroCell();
  if (!Hero || Document.Width() < 5 || Document.Height() < 4 ||
      static_cast<long long>(Document.Width()) * Document.Height() >
          static_cast<long long>(MaxCustomLevelCells))
    return std::nullopt;
  for (const SwitchRecord& R : Document.Switches)
    if (!Document.Contains(R.Switch) || !Document.Contains(R.Platform)) return std::nullopt;
  return Describe(Document, *Hero);
}

}  // namespace

std::vector<Finding> CheckDocument(const LevelDocument& Document) {
  std::vector<Finding> Found;
  const int W = Document.Width();
  const int H = Document.Height();
  if (W < 5 || H < 4)
    Found.push_back({Severity::Refused, std::nullopt,
                     "The map is " + std::to_string(W) + " x " + std::to_string(H) +
                         ": the game plays at least one screen of 5 x 4 cells."});
  if (static_cast<long long>(W) * H > static_cast<long long>(MaxCustomLevelCells))
    Found.push_back({Severity::Refused, std::nullopt,
                     "The map has " + std::to_string(static_cast<long long>(W) * H) +
                         " cells: the game plays at most " + std::to_string(MaxCustomLevelCells) +
                         "."});

  const auto Hero = Document.HeroCell();
  if (!Hero) {
    Found.push_back({Severity::Refused, std::nullopt, "No hero: the game refuses the level."});
  } else {
    const int Heroes = CountWith(Document, KindBit(gcHero));
    if (Heroes > 1)
      Found.push_back({Severity::Note, *Hero,
                       std::to_string(Heroes) + " hero figures: the last one, at " +
                           CellName(*Hero) + ", is the start and the others go."});
  }

  if (W > 0 && H > 0 && CountWith(Document, KindBit(gcGold)) == 0)
    Found.push_back(
        {Severity::Spoils, std::nullopt, "No gold: the level is complete as soon as it starts."});

  for (const SwitchRecord& R : Document.Switches) {
    const CellCode Code = Document.Code(R.Switch.X, R.Switch.Y);
    if (!Document.Contains(R.Switch) ||
        (!HasKind(Code, gcSwitchUp) && !HasKind(Code, gcSwitchDown)))
      Found.push_back({Severity::Spoils, R.Switch,
                       "The switch record at " + CellName(R.Switch) +
                           " has no lever there: nothing can work it."});
    if (!Document.Contains(R.Platform))
      Found.push_back({Severity::Spoils, R.Switch,
                       "The platform cell " + CellName(R.Platform) + " of the switch at " +
                           CellName(R.Switch) + " lies outside the map."});
  }

  if (const auto Level = Analysable(Document))
    for (const TPoint Gold : GenerousUnreachableGold(*Level))
      Found.push_back({Severity::Spoils, Gold,
                       "No walk, jump or fall reaches the gold at " + CellName(Gold) +
                           ", even with every lock open and every platform anywhere."});

  const CellCode Locks = KindBit(gcLockVert) | KindBit(gcLockHorz);
  if (const auto Lock = FirstWith(Document, Locks); Lock && !FirstWith(Document, KindBit(gcKey)))
    Found.push_back({Severity::Spoils, *Lock,
                     "Locks but no key: the lock at " + CellName(*Lock) + " never opens."});
  return Found;
}

std::vector<Finding> CheckRoutes(const LevelDocument& Document) {
  std::vector<Finding> Found;
  const auto Level = Analysable(Document);
  if (!Level) return Found;
  TAnalysisLimits Limits;
  Limits.MaxStates = 400'000;
  const TLevelVerdict Verdict = AnalyzeLevel(*Level, {}, Limits);
  if (!Verdict.Error.empty() || Verdict.Incomplete) return Found;
  for (const TTrap& Trap : Verdict.Traps)
    Found.push_back({Severity::Spoils, Trap.Cell,
                     "A trap: " + Trap.Move + " at " + CellName(Trap.Cell) + " leads to " +
                         CellName(Trap.Lands) + ", from where the level cannot be completed" +
                         (Trap.CanDie ? " (only a death gets the hero out)." : ".")});
  for (const TResurrection& Back : Verdict.Resurrections)
    if (Back.CertainDeath)
      Found.push_back({Severity::Spoils, Back.Cell,
                       "The hero comes back to life at " + CellName(Back.Cell) +
                           (Back.ByScorpion ? " where a scorpion stings him again"
                                            : " and falls to his death again") +
                           ": the lives run out by themselves."});
  return Found;
}

namespace {

// A file of its own in the temporary folder, removed again.
class TemporaryLevelFile {
 public:
  explicit TemporaryLevelFile(const std::string& Text) {
    std::random_device Seed;
    Path = std::filesystem::temp_directory_path() /
           ("karvan-edit-check-" + std::to_string(Seed()) + ".karvan");
    std::ofstream(Path, std::ios::binary) << Text;
  }
  ~TemporaryLevelFile() {
    std::error_code Error;
    std::filesystem::remove(Path, Error);
  }
  TemporaryLevelFile(const TemporaryLevelFile&) = delete;
  TemporaryLevelFile& operator=(const TemporaryLevelFile&) = delete;
  std::string Name() const { return Path.string(); }

 private:
  std::filesystem::path Path;
};

}  // namespace

std::optional<Finding> CheckFirstSeconds(const LevelDocument& Document) {
  for (const Finding& F : CheckDocument(Document))
    if (F.Level == Severity::Refused) return std::nullopt;
  const TemporaryLevelFile File(Document.Text());
  const auto Hurt = FirstHarm(File.Name(), HarmWindowMs);
  if (!Hurt) return std::nullopt;
  const double Seconds = static_cast<double>(Hurt->AfterMs) / 1000.0;
  char Time[32];
  std::snprintf(Time, sizeof Time, "%.1f", Seconds);
  return Finding{Severity::Spoils, Hurt->Cell,
                 std::string("The hero is hurt at ") + CellName(Hurt->Cell) + " " + Time +
                     " s after the start, before the player can do much."};
}

}  // namespace karvan::editor
