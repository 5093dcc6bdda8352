// A level read from a custom level file: everything comes from the file.
#pragma once

#include "levels/karvan_level.h"

namespace karvan {

class TCustomLevel : public TKarvanLevel {
 public:
  using TKarvanLevel::TKarvanLevel;
};

}  // namespace karvan
