#include "game_bridge.h"

#include <mutex>
#include <sstream>

#include "engine/support.h"
#include "forms/level_select_form.h"
#include "game/karvan_form.h"
#include "levels/switch_rules.h"
#include "sim/sim_platform.h"
#include "sim/state_line.h"
#include "sprites/sprite.h"

namespace karvan::editor {

namespace {

// Cell code of what is visible in a cell of the form's map.
CellCode VisibleCode(const TLCDForm& Form, int x, int y) {
  CellCode Code = 0;
  for (int Kind = 0; Kind < GridCrystalCount; ++Kind) {
    const TSprite* Sprite = Form.SpriteAt(x, y, static_cast<TGridCrystal>(Kind));
    if (Sprite != nullptr && Sprite->SpriteVisible)
      Code |= KindBit(static_cast<TGridCrystal>(Kind));
  }
  return Code;
}

// The game's core keeps one platform and one random generator for the whole process; the
// editor's checks run beside the window, so every use of the core takes turns.
std::mutex CoreInUse;

std::string CellName(int x, int y) {
  return "(" + std::to_string(x) + ", " + std::to_string(y) + ")";
}

}  // namespace

std::optional<BuiltInImport> ImportBuiltInLevel(int Number) {
  if (Number < 1 || Number > BuiltInLevelTotal) return std::nullopt;
  const std::lock_guard Lock(CoreInUse);
  std::ostringstream Discard;
  sim::SimPlatform Platform(sim::TScript{}, sim::TSimOptions{}, Discard);
  PlatformScope Scope(Platform);
  auto Form = MakeForm<TKarvanForm>();
  Platform.Attach(*Form);
  Form->InitLevel(Number);

  BuiltInImport Result;
  const int Columns = static_cast<int>(Form->Map.size());
  const int Rows = Columns > 0 ? static_cast<int>(Form->Map[0].size()) : 0;
  LevelDocument& Document = Result.Document;
  Document = LevelDocument(Columns, Rows);
  std::vector<std::string> Platforms;
  for (int y = 0; y < Rows; ++y)
    for (int x = 0; x < Columns; ++x) {
      Document.SetCode(x, y, VisibleCode(*Form, x, y));
      const TSprite* Floor = Form->SpriteAt(x, y, gcWallHorz);
      if (Floor != nullptr && Floor->Repeating) Platforms.push_back(CellName(x, y));
    }
  for (const std::string& Cell : Platforms)
    Result.Lost.push_back("The level starts a platform at " + Cell +
                          "; a level file cannot, so it stands still.");

  for (const TSwitchRule& Rule : SwitchRulesOf(Number)) {
    if (Rule.Reverse) {
      Result.Lost.push_back("The switch at " + CellName(Rule.Switch.X, Rule.Switch.Y) +
                            " works its platform at " + CellName(Rule.Platform.X, Rule.Platform.Y) +
                            " the other way round; a level file cannot say so, the record is "
                            "left out.");
      continue;
    }
    Document.Switches.push_back({Rule.Switch, Rule.Platform, Rule.Dir});
  }

  if (!Document.HeroCell() && Document.Contains(Form->xResurrect, Form->yResurrect)) {
    Document.SetHeroStart(Form->xResurrect, Form->yResurrect);
    Result.Lost.push_back("The rows hold no hero: the level's start " +
                          CellName(Form->xResurrect, Form->yResurrect) +
                          " is given a hero figure.");
  }

  const TSideCrystals Side = Form->GetSideCrystals();
  if (Side != 0) {
    std::string Names;
    for (int Kind = 0; Kind < SideCrystalCount; ++Kind)
      if ((Side & SideBit(static_cast<TSideCrystal>(Kind))) != 0) {
        if (!Names.empty()) Names += ", ";
        Names += std::string(SideCrystalNames[Kind]);
      }
    Result.Lost.push_back("The side scenes (" + Names + ") are not carried by a level file.");
  }
  return Result;
}

GameLoad LoadInGame(const std::string& Path) {
  const std::lock_guard Lock(CoreInUse);
  std::ostringstream Discard;
  sim::TSimOptions Options;
  Options.CustomFile = Path;
  sim::SimPlatform Platform(sim::TScript{}, Options, Discard);
  PlatformScope Scope(Platform);
  auto Form = MakeForm<TKarvanForm>();
  Platform.Attach(*Form);
  Form->LoadClick();

  GameLoad Result;
  Result.Messages = Platform.AllMessages;
  if (!Form->Level) return Result;
  Result.Loaded = true;
  const int Rows = Form->Map.empty() ? 0 : static_cast<int>(Form->Map[0].size());
  for (int y = 0; y < Rows; ++y) Result.Rows.push_back(sim::VisibleRow(*Form, y));
  for (const TSwitchRec& Rec : Form->SwitchArr)
    Result.Switches.push_back({Rec.SwitchPos, Rec.PlatformPos, Rec.Dir});
  return Result;
}

namespace {

// Ends the run at the first harm to the hero once the custom level plays.
struct HarmFound {};

class WatchingPlatform : public sim::SimPlatform {
 public:
  WatchingPlatform(sim::TSimOptions Options, std::ostream& Out, long long WindowParam)
      : SimPlatform(sim::TScript{}, std::move(Options), Out), Window(WindowParam) {}

  void Watch(TKarvanForm& FormParam) {
    Game = &FormParam;
    Attach(FormParam);
  }

  void PumpMessages() override {
    SimPlatform::PumpMessages();
    if (Game == nullptr || !Game->Level || Game->Level->Nr != -1 || Game->Lives <= 0) return;
    if (!Start) {
      Start = Clock;
      StartLives = Game->Lives;
    }
    if (Game->HeroDying() || Game->Lives < StartLives) {
      Found = Harm{Game->HeroPos, Clock - *Start};
      throw HarmFound{};
    }
    if (Clock - *Start > Window) throw sim::TSimStop{};
  }

  std::optional<Harm> Found;

 private:
  TKarvanForm* Game = nullptr;
  long long Window;
  std::optional<long long> Start;
  int StartLives = 0;
};

}  // namespace

std::optional<Harm> FirstHarm(const std::string& Path, long long WindowMs) {
  const std::lock_guard Lock(CoreInUse);
  std::ostringstream Discard;
  sim::TSimOptions Options;
  Options.CustomFile = Path;
  // The level plays after the information window, the level choice and a second's wait.
  Options.Until = WindowMs + 10000;
  WatchingPlatform Platform(Options, Discard, WindowMs);
  PlatformScope Scope(Platform);
  {
    auto Form = MakeForm<TKarvanForm>();
    Platform.Watch(*Form);
    CreateFormOnce(Form->LevelSelectForm, *Form);
    try {
      Form->Run();
    } catch (const sim::TSimStop&) {
    } catch (const HarmFound&) {
    }
  }
  return Platform.Found;
}

}  // namespace karvan::editor
