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
constexpr TLevelMaker BuiltInLevels[24] = {
    &Make<TLevel24>,  // 1
    &Make<TLevel1>,   // 2
    &Make<TLevel2>,   // 3
    &Make<TLevel3>,   // 4
    &Make<TLevel4>,   // 5
    &Make<TLevel5>,   // 6
    &Make<TLevel6>,   // 7
    &Make<TLevel7>,   // 8
    &Make<TLevel8>,   // 9
    &Make<TLevel9>,   // 10
    &Make<TLevel10>,  // 11
    &Make<TLevel11>,  // 12
    &Make<TLevel12>,  // 13
    &Make<TLevel13>,  // 14
    &Make<TLevel14>,  // 15
    &Make<TLevel15>,  // 16
    &Make<TLevel16>,  // 17
    &Make<TLevel17>,  // 18
    &Make<TLevel18>,  // 19
    &Make<TLevel19>,  // 20
    &Make<TLevel20>,  // 21
    &Make<TLevel21>,  // 22
    &Make<TLevel22>,  // 23
    &Make<TLevel23>,  // 24
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
