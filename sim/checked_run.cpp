#include "sim/checked_run.h"

#include <ostream>
#include <span>
#include <sstream>
#include <streambuf>

#include "engine/dialog_form.h"
#include "engine/support.h"
#include "forms/level_select_form.h"
#include "game/karvan_form.h"

namespace karvan::sim {

namespace {

// Unwinds the game loop at the first broken invariant.
struct TInvariantBroken {
  std::string What;
};

class CheckedPlatform : public SimPlatform {
 public:
  using SimPlatform::SimPlatform;

  void Watch(TKarvanForm& FormParam) {
    Game = &FormParam;
    Attach(FormParam);
  }

  void PumpMessages() override {
    ++Pumps;
    if (Game != nullptr)
      if (auto Problem = CheckInvariants(*Game)) throw TInvariantBroken{*Problem};
    SimPlatform::PumpMessages();
  }

  void CrystalsChanged(std::span<const int> Numbers) override {
    if (Game == nullptr) return;
    const auto Count = static_cast<int>(Game->CrystalArr.size());
    for (int Nr : Numbers)
      if (Nr < 0 || Nr >= Count)
        throw TInvariantBroken{"crystal " + std::to_string(Nr) + " outside the list of " +
                               std::to_string(Count)};
  }

  TModalResult ShowModal(TDialogForm& Dialog) override {
    if (Dialog.Kind == TDialogKind::LevelSelect) ++LevelsStarted;
    return SimPlatform::ShowModal(Dialog);
  }

  std::int64_t Pumps = 0;
  int LevelsStarted = 0;

 private:
  TKarvanForm* Game = nullptr;
};

// Swallows the state lines nobody reads.
class NullBuffer : public std::streambuf {
 protected:
  int_type overflow(int_type Char) override { return traits_type::not_eof(Char); }
};

// A small generator of our own, so that a seed means the same run on every standard library.
class TRandom {
 public:
  explicit TRandom(std::uint32_t Seed) : State(Seed * 2654435761u + 0x9E3779B9u) {}
  std::uint32_t Next() {
    State ^= State << 13;
    State ^= State >> 17;
    State ^= State << 5;
    return State;
  }
  // Uniform in Low..High.
  std::int64_t Between(std::int64_t Low, std::int64_t High) {
    return Low + static_cast<std::int64_t>(Next() % static_cast<std::uint32_t>(High - Low + 1));
  }

 private:
  std::uint32_t State;
};

const char* KeyName(Word Key) {
  switch (Key) {
    case VK_LEFT:
      return "Left";
    case VK_RIGHT:
      return "Right";
    case VK_UP:
      return "Up";
    case VK_DOWN:
      return "Down";
    case VK_ESCAPE:
      return "Escape";
    default:
      return "Z";
  }
}

}  // namespace

std::optional<std::string> CheckInvariants(const TKarvanForm& Form) {
  if (Form.Lives < 0) return "lives " + std::to_string(Form.Lives);
  if (Form.Key < 0) return "keys " + std::to_string(Form.Key);
  const int Shown = Form.Score > 9999 ? Form.Score - 9999 : Form.Score;
  if (Shown < 0 || Shown > 9999) return "score " + std::to_string(Form.Score);
  if (!Form.Level || Form.Map.empty()) return std::nullopt;

  const auto Columns = static_cast<int>(Form.Map.size());
  const auto Rows = static_cast<int>(Form.Map[0].size());
  const auto Where = [](TPoint P) {
    return "(" + std::to_string(P.X) + ", " + std::to_string(P.Y) + ")";
  };
  if (Form.HeroPos.X < 0 || Form.HeroPos.X >= Columns || Form.HeroPos.Y < 0 ||
      Form.HeroPos.Y >= Rows)
    return "hero at " + Where(Form.HeroPos) + " outside the map";
  // The map view may look at a last screen that only holds the border column or row.
  if (Form.MapPos.X < 0 || Form.MapPos.X >= Columns || Form.MapPos.Y < 0 || Form.MapPos.Y >= Rows)
    return "view at " + Where(Form.MapPos) + " outside the map";
  if (Form.MapPos.Y % 4 != 0 || (!Form.Scrolling && Form.MapPos.X % 5 != 0))
    return "view at " + Where(Form.MapPos) + " between screens";
  return std::nullopt;
}

TCheckedRun RunChecked(const TScript& Script, const TSimOptions& Options) {
  NullBuffer Discard;
  std::ostream Null(&Discard);
  CheckedPlatform Platform(Script, Options, Null);
  PlatformScope Scope(Platform);
  TCheckedRun Result;
  {
    auto Form = MakeForm<TKarvanForm>();
    Platform.Watch(*Form);
    CreateFormOnce(Form->LevelSelectForm, *Form);
    try {
      Form->Run();
      Result.Ended = true;
    } catch (const TSimStop&) {
    } catch (const TInvariantBroken& Broken) {
      Result.Problem = Broken.What + " at " + std::to_string(Platform.Clock) + " ms";
    }
  }
  Result.Time = Platform.Clock;
  Result.Pumps = Platform.Pumps;
  Result.LevelsStarted = Platform.LevelsStarted;
  return Result;
}

TScript RandomPlay(std::uint32_t Seed, std::int64_t Start, std::int64_t End) {
  TRandom Random(Seed);
  TScript Script;
  Script.Name = "random play " + std::to_string(Seed);
  constexpr Word Keys[] = {VK_LEFT, VK_RIGHT, VK_LEFT, VK_RIGHT, VK_UP, VK_DOWN, VK_Z, VK_Z};
  const auto Add = [&Script](std::int64_t Time, TAction Action, Word Key) {
    TScriptLine Line;
    Line.LineNr = static_cast<int>(Script.Lines.size()) + 1;
    Line.Time = Time;
    Line.Action = Action;
    Line.Key = Key;
    Script.Lines.push_back(Line);
  };
  for (std::int64_t Time = Start + Random.Between(0, 300); Time < End;
       Time += Random.Between(20, 450)) {
    // Escape restarts the game: about once a minute, so that levels are played for a while.
    if (Random.Between(0, 299) == 0) {
      Add(Time, TAction::Press, VK_ESCAPE);
      continue;
    }
    const Word Key = Keys[Random.Between(0, 7)];
    if (Random.Between(0, 2) == 0) {
      Add(Time, TAction::Press, Key);
    } else {
      // Held for a while, with auto-repeat downs as a keyboard sends them.
      const std::int64_t Release = Time + Random.Between(30, 1500);
      for (std::int64_t Down = Time; Down < Release; Down += Random.Between(30, 500))
        Add(Down, TAction::Down, Key);
      Add(Release, TAction::Up, Key);
    }
  }
  return Script;
}

TCheckedRun PlayCustomLevelFile(const std::string& Path) {
  static const TScript Keys = RandomPlay(7, 1000, 4000);
  TSimOptions Options;
  Options.CustomFile = Path;
  Options.Until = 4000;
  return RunChecked(Keys, Options);
}

std::string ScriptText(const TScript& Script) {
  std::ostringstream Text;
  Text << "# " << Script.Name << "\n";
  for (const TScriptLine& Line : Script.Lines) {
    Text << '@' << Line.Time << ' ';
    switch (Line.Action) {
      case TAction::Down:
        Text << "down " << KeyName(Line.Key);
        break;
      case TAction::Up:
        Text << "up " << KeyName(Line.Key);
        break;
      case TAction::Press:
        Text << "press " << KeyName(Line.Key);
        break;
      default:
        Text << "state";
        break;
    }
    Text << '\n';
  }
  return Text.str();
}

}  // namespace karvan::sim
