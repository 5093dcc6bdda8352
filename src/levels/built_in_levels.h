// The built-in levels. Level 1 is played by TLevel24 and level N (2 to 24) by the class
// numbered N - 1.
#pragma once

#include "levels/karvan_level.h"

namespace karvan {

#define KARVAN_LEVEL_CLASS(Name)      \
  class Name : public TKarvanLevel {  \
   public:                            \
    using TKarvanLevel::TKarvanLevel; \
    void Create() override;           \
  };
#define KARVAN_LEVEL_CLASS_WITH_SWITCHES(Name) \
  class Name : public TKarvanLevel {           \
   public:                                     \
    using TKarvanLevel::TKarvanLevel;          \
    void Create() override;                    \
    void CheckEvent() override;                \
  };

KARVAN_LEVEL_CLASS(TLevel24)               // level 1
KARVAN_LEVEL_CLASS_WITH_SWITCHES(TLevel1)  // level 2
KARVAN_LEVEL_CLASS_WITH_SWITCHES(TLevel2)  // level 3
KARVAN_LEVEL_CLASS(TLevel3)                // level 4
KARVAN_LEVEL_CLASS_WITH_SWITCHES(TLevel4)  // level 5
KARVAN_LEVEL_CLASS(TLevel5)                // level 6
KARVAN_LEVEL_CLASS(TLevel6)                // level 7
KARVAN_LEVEL_CLASS_WITH_SWITCHES(TLevel7)  // level 8

#undef KARVAN_LEVEL_CLASS
#undef KARVAN_LEVEL_CLASS_WITH_SWITCHES

}  // namespace karvan
