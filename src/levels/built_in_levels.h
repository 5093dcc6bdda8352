// The built-in levels. Level 1 is played by TLevel24 and level N (2 to 24) by the class
// numbered N - 1.
#pragma once

#include "levels/karvan_level.h"
#include "levels/switch_rules.h"

namespace karvan {

// A built-in level: its rows and set-up, and the switch rules of the level it plays.
template <int LevelNumber>
class TBuiltInLevel : public TKarvanLevel {
 public:
  using TKarvanLevel::TKarvanLevel;
  static constexpr int Plays = LevelNumber;
  void CheckEvent() override {
    TKarvanLevel::CheckEvent();
    for (const TSwitchRule& Rule : SwitchRulesOf(LevelNumber))
      SwitchRule(Rule.Switch.X, Rule.Switch.Y, Rule.Platform.X, Rule.Platform.Y, Rule.Dir,
                 Rule.Reverse);
  }
};

#define KARVAN_LEVEL_CLASS(Name, LevelNumber)        \
  class Name : public TBuiltInLevel<LevelNumber> {   \
   public:                                           \
    using TBuiltInLevel<LevelNumber>::TBuiltInLevel; \
    void Create() override;                          \
  };

KARVAN_LEVEL_CLASS(TLevel24, 1)
KARVAN_LEVEL_CLASS(TLevel1, 2)
KARVAN_LEVEL_CLASS(TLevel2, 3)
KARVAN_LEVEL_CLASS(TLevel3, 4)
KARVAN_LEVEL_CLASS(TLevel4, 5)
KARVAN_LEVEL_CLASS(TLevel5, 6)
KARVAN_LEVEL_CLASS(TLevel6, 7)
KARVAN_LEVEL_CLASS(TLevel7, 8)
KARVAN_LEVEL_CLASS(TLevel8, 9)
KARVAN_LEVEL_CLASS(TLevel9, 10)
KARVAN_LEVEL_CLASS(TLevel10, 11)
KARVAN_LEVEL_CLASS(TLevel11, 12)
KARVAN_LEVEL_CLASS(TLevel12, 13)
KARVAN_LEVEL_CLASS(TLevel13, 14)
KARVAN_LEVEL_CLASS(TLevel14, 15)
KARVAN_LEVEL_CLASS(TLevel15, 16)
KARVAN_LEVEL_CLASS(TLevel16, 17)
KARVAN_LEVEL_CLASS(TLevel17, 18)
KARVAN_LEVEL_CLASS(TLevel18, 19)
KARVAN_LEVEL_CLASS(TLevel19, 20)
KARVAN_LEVEL_CLASS(TLevel20, 21)
KARVAN_LEVEL_CLASS(TLevel21, 22)
KARVAN_LEVEL_CLASS(TLevel22, 23)
KARVAN_LEVEL_CLASS(TLevel23, 24)

#undef KARVAN_LEVEL_CLASS

}  // namespace karvan
