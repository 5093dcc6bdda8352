// Level 20: the scorpion nest, five screens wide.
#include "game/karvan_form.h"
#include "levels/built_in_levels.h"

namespace karvan {

// Level 20: fifty-six scorpions fill the nest; only the amulet lets the hero through. From the
// start he drops down the shaft to a sliding floor that carries him over a gap to the first key,
// steps off it into the amulet's room, slips past the room's scorpion and opens the lock before
// the vase. Invincible, he climbs onto the walkway over the scorpion pens (gold in every pen, the
// second key in the first), up a staircase of ledges into the attic (a lock before the gold at
// the west end, a bridge over the hole, ledges to the gold in the east and the third key), down
// again to the last pen, whose locked floor lets him into the bottom corridor: the ankh's vase,
// a ledge with the fourth key, a lock, and the lift that takes him to the fifth key and the lock
// in front of the last gold.
void TLevel19::Create() {
  TKarvanLevel::Create();
  AddRow("5,4,4,4,4, 5,4,4,4,4, 4,4,4,4,4, 4,4,4,4,4, 4,4,4,4,1");
  AddRow("5,4,4,4,1, 1,0,0,0,0, 0,0,0,0,0, 0,0,0,96,0, 0,32,32,0,1");
  AddRow("1,0,0,0,1, 1,32,0,32,0, 32,0,5,4,0, 0,0,96,4,0, 0,4,4,0,1");
  AddRow("1029,4,4,4,0, 69,36,7,36,36, 68,36,0,4,0, 32,0,4,32,0, 32,32,32,1024,1");
  AddRow("5,0,0,0,5, 5,4,4,4,4, 4,4,4,0,4, 4,4,4,4,4, 4,4,4,4,1");
  StartPlatform(0, PosLeft);
  AddRow("1,0,0,0,1, 1,0,0,0,32, 32,0,96,4,0, 0,0,0,0,0, 32,32,0,0,1");
  AddRow("5,4,0,0,1, 1,0,32,0,36, 36,0,4,0,32, 32,0,32,32,0, 36,36,0,32,1");
  AddRow("1,32,0,0,7, 0,5,36,1121,5, 36,4,4,4,36, 4,97,5,4,97, 5,36,33,5,1");
  ShowSide(0, 1, scVase);
  ShowSide(0, 1, scAmulet);
  AddRow("5,4,4,4,4, 69,36,7,4,1060, 5,4,4,4,4, 4,4,4,4,4, 4,4,12,4,1");
  AddRow("1,0,0,0,0, 5,4,1,5,4, 0,0,32,32,0, 0,0,0,0,0, 0,0,0,0,1");
  AddRow("1,0,0,0,0, 1,0,1,1,0, 0,0,4,4,0, 0,1120,0,0,0, 0,0,0,0,1");
  AddRow("1,0,0,0,0, 33,32,1,0,32, 32,0,96,32,3, 32,4,32,32,0, 0,96,0,32,1");
  ShowSide(3, 2, scVase);
  ShowSide(3, 2, scAnkh);
  AddRow("4,4,4,4,4, 4,4,4,4,4, 4,4,4,4,4, 4,4,4,4,4, 4,4,4,4,0");
  StartPlatform(7, PosTop);
  ParentForm.xResurrect = 0;
  ParentForm.yResurrect = 0;
}

}  // namespace karvan
