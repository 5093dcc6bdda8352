// Level 13: a two-storey vault.
#include "game/karvan_form.h"
#include "levels/built_in_levels.h"

namespace karvan {

// Level 13: the hero takes the map beside the start, drops down the shaft to the bottom
// corridor, jumps its scorpion and rides the lift at column 1 to (1, 4). A jump up from (0, 4)
// reaches the ledge of row 3 and a jump through the gap at its end the shelf of row 2 with the
// first gold at (0, 2); he drops back through the gap and onto the lift. The lift at column 7 takes
// him to the ledge of row 5, and ledges up columns 13 and 14 to the top row, where the shaft of
// column 11 drops him two rows into the vault. The drop cannot be climbed, and each gallery's only
// way down is a gap at its far end, so he walks them all: row 2 west, row 3 east, row 4 west to the
// key; back up through the same gaps to row 1, he leaves by the start shaft. Walls keep a hero
// falling down it out of the galleries and off the first gold's shelf, so he reaches the lock
// only by the bottom corridor and a second ride on the column 7 lift.
// The lock at the end of the ledge opens onto the east corridor, left only by two jumps back
// through the lock, where a scorpion guards the vase: its amulet comes with the last gold. Every
// death puts him back at the start. The rest of the vault, and the map's border, is rock.
void TLevel12::Create() {
  TKarvanLevel::Create();
  AddRow("5,5,5,5,5, 5,5,5,5,5, 5,5,4,5,5, 5");
  AddRow("4,4,4,4,4, 4,4,4,4,4, 4,1,1,4,5, 5");
  AddRow("69,4,4,5,1, 5,5,4,4,4, 0,0,5,1,4, 5");
  AddRow("5,4,0,5,1, 5,1,4,4,4, 4,4,5,5,0, 5");
  ShowSide(0, 0, scMap);
  AddRow("1,4,5,4,0, 1029,4,4,4,4, 4,0,5,0,5, 5");
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
