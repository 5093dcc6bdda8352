// Level 13: a two-storey vault.
#include "game/karvan_form.h"
#include "levels/built_in_levels.h"

namespace karvan {

// Level 13: the hero takes the map beside the start, drops down the shaft to the bottom
// corridor, jumps its scorpion and rides the lift at column 1 to (1, 4); a jump up from (0, 4)
// reaches the first gold at (3, 3), and he drops back onto the lift. The lift at column 7 takes
// him to the ledge of row 5; ledges up columns 11 and 12 end at the shaft of column 10, a drop of
// three rows into the vault's bottom gallery and the key at its far end. The drop cannot be
// climbed, so the key sends him back through the galleries of rows 3 to 1, each left by a jump
// through a gap at its far end, to the start shaft; walls keep a hero falling down it out of the
// galleries and off the first gold's ledge. So he reaches the lock only by the bottom corridor
// and a second ride on the column 7 lift.
// The lock at the end of the ledge opens onto the east corridor, left only by two jumps back
// through the lock, where a scorpion guards the vase: its amulet comes with the last gold. Every
// death puts him back at the start. The rest of the vault, and the map's border, is rock.
void TLevel12::Create() {
  TKarvanLevel::Create();
  AddRow("5,5,5,5,5, 5,5,5,5,5, 5,5,5,5,5, 5");
  AddRow("4,4,4,4,4, 4,4,4,4,4, 5,4,5,5,5, 5");
  AddRow("5,4,4,4,1, 5,4,4,4,0, 1,1,4,5,5, 5");
  AddRow("1,0,0,64,1, 5,0,4,4,4, 1,5,0,5,5, 5");
  ShowSide(0, 0, scMap);
  AddRow("1,4,5,4,0, 1029,4,4,4,0, 0,1,4,5,5, 5");
  AddRow("5,0,1,0,0, 5,4,4,4,4, 4,4,0,7,4, 5");
  AddRow("1,0,1,0,0, 0,0,0,5,4, 4,4,4,4,0, 5");
  AddRow("1,640,0,32,0, 0,0,640,65,0, 0,0,32,0,4, 5");
  ShowSide(1, 1, scVase);
  ShowSide(1, 1, scAmulet);
  AddRow("5,5,5,5,5, 5,5,5,5,5, 5,5,5,5,5, 5");
  xStart = 0;
  yStart = 1;
}

}  // namespace karvan
