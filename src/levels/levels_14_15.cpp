// Levels 14 and 15: a long row of nine screens with ferries and lifts, and a tower of three
// screens by five.
#include "game/karvan_form.h"
#include "levels/built_in_levels.h"

namespace karvan {

// Level 14: one screen row, nine screens long. A ferry carries the hero over a scorpion pit and
// past the gold hanging above it; scorpions patrol the corridors up to walls that the hero must
// jump after them. In the lift hall two lifts rise from the chasm and two drop from the ceiling:
// a full turn of the long lift reaches the key in the nook at the bottom, the short one the gold
// on the top shelf, and the last one the corridor beyond. Another lift raises him to a shelf of
// gold, the key opens the lock in the floor of the upper corridor, and the switch at the end sets
// the lift going that carries him to the last gold.
void TLevel13::Create() {
  TKarvanLevel::Create();
  AddRow(
      "5,4,4,68,4, 4,4,4,4,4, 4,4,4,68,4, 4,4,4,4,4, 4,4,4,4,4, "
      "4,4,4,68,4, 4,4,4,4,4, 4,4,4,4,4, 5,4,4,4,68, 1");
  StartPlatform(12, PosBottom);
  StartPlatform(14, PosBottom);
  AddRow(
      "1,0,0,0,0, 0,0,0,32,1, 0,0,0,4,0, 0,0,0,0,0, 0,0,0,0,0, "
      "0,0,0,4,0, 0,0,32,0,0, 0,0,32,0,0, 1,0,0,4,4, 1");
  AddRow(
      "5,0,0,0,4, 5,4,4,4,4, 5,0,0,0,0, 0,0,0,0,32, 0,0,64,0,32, "
      "1,0,0,4,4, 4,4,4,4,4, 5,4,4,12,4, 0,0,0,0,640, 1");
  StartPlatform(1, PosRight);
  StartPlatform(27, PosTop);
  AddRow(
      "1,0,32,0,0, 1,0,0,0,0, 1029,0,4,0,0, 4,4,4,4,4, 4,4,4,4,4, "
      "4,4,0,0,0, 0,0,0,0,0, 65,0,0,0,0, 0,0,32,0,4, 1");
  AddRow(
      "4,4,4,4,4, 4,4,4,4,4, 4,0,0,0,0, 4,4,4,4,4, 4,4,4,4,4, "
      "4,4,0,4,4, 4,4,4,4,4, 4,4,4,4,4, 4,4,4,4,4, 0");
  StartPlatform(11, PosTop);
  StartPlatform(13, PosTop);
  ParentForm.xResurrect = 0;
  ParentForm.yResurrect = 1;
}

}  // namespace karvan
