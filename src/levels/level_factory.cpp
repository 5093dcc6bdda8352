// The level factory: which class plays which level number.
#include <functional>
#include <memory>

#include "game/karvan_form.h"
#include "levels/built_in_levels.h"
#include "levels/custom_level.h"

namespace karvan {

namespace {

using TLevelMaker = std::unique_ptr<TLevel> (*)(TKarvanForm&, int);

template <class TLevelClass>
std::unique_ptr<TLevel> Make(TKarvanForm& Form, int Nr) {
  return MakeLevel<TLevelClass>(Form, Nr);
}

// Level N is played by the class of entry N - 1.
constexpr TLevelMaker BuiltInLevels[] = {
    &Make<TLevel24>, &Make<TLevel1>,  &Make<TLevel2>,  &Make<TLevel3>, &Make<TLevel4>,
    &Make<TLevel5>,  &Make<TLevel6>,  &Make<TLevel7>,  &Make<TLevel8>, &Make<TLevel9>,
    &Make<TLevel10>, &Make<TLevel11>, &Make<TLevel12>,
};
constexpr unsigned BuiltInLevelCount = sizeof(BuiltInLevels) / sizeof(BuiltInLevels[0]);

}  // namespace

void TKarvanForm::InitLevel(int LevelNr) {
  // A custom level just loaded by the level choice stays and is played instead.
  if (dynamic_cast<TCustomLevel*>(Level.get()) != nullptr) return;
  FreeLevel();
  const auto Index = static_cast<unsigned>(LevelNr) - 1U;
  if (Index < BuiltInLevelCount) {
    SetLevel(BuiltInLevels[Index](*this, LevelNr));
    return;
  }
  // Past the last level (or any number that is no level): the closing window, a restart, and
  // a placeholder level until the loop gets there.
  EndOfGame();
  SetLevel(MakeLevel<TLevel1>(*this, 1));
}

}  // namespace karvan
