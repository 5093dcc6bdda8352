// Level 13: a two-storey vault.
#include "game/karvan_form.h"
#include "levels/built_in_levels.h"

namespace karvan {

// Level 13: the hero takes the map beside the start, drops down the shaft to the bottom corridor
// and rides the lift at column 1 to the key. He must jump over the switch at (7, 7) to reach the
// vase and its amulet, passes the scorpion to the gold at the corridor's end, and only then
// flips that switch: its lift takes him to the upper ledge, past the second scorpion to the lock
// in front of the last gold. Every death puts him back at the start. The vault's unused upper
// hall is rock.
void TLevel12::Create() {
  TKarvanLevel::Create();
  AddRow("5,5,5,5,5, 5,5,5,5,5, 5,5,5,5,5, 1");
  AddRow("4,4,4,4,4, 5,5,5,5,5, 5,5,5,5,5, 1");
  AddRow("5,4,4,4,0, 5,5,5,5,5, 5,5,5,5,5, 1");
  AddRow("1,0,0,0,0, 5,5,5,5,5, 5,5,5,5,5, 1");
  ShowSide(0, 0, scMap);
  AddRow("1029,4,5,4,0, 5,5,5,5,5, 5,5,5,5,5, 1");
  AddRow("5,0,1,0,0, 5,0,4,4,4, 4,36,4,7,68, 1");
  AddRow("1,0,1,0,0, 0,0,0,4,4, 4,4,4,4,4, 1");
  AddRow("1,640,0,0,0, 0,0,640,0,0, 0,0,32,0,64, 1");
  ShowSide(1, 1, scVase);
  ShowSide(1, 1, scAmulet);
  AddRow("4,4,4,4,4, 4,4,4,4,4, 4,4,4,4,4, 0");
  xStart = 0;
  yStart = 1;
}

}  // namespace karvan
