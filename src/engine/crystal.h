// One LCD figure at a fixed place: a copy of a template picture whose pure white is
// transparent, shown or hidden.
#pragma once

#include <string_view>

namespace karvan {

struct TCrystal {
  std::string_view Template;  // name of the template picture it copies
  int Left = 0;               // window coordinates of its top-left corner
  int Top = 0;
  int Width = 0;
  int Height = 0;
  bool Visible = false;         // what the user sees
  bool CrystalVisible = false;  // what the frame being built wants, applied by Draw
  bool InFrame = false;         // in the form's list of crystals the frame being built lit
};

}  // namespace karvan
