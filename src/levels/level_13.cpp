// Level 13: a two-storey vault.
#include "game/karvan_form.h"
#include "levels/built_in_levels.h"

namespace karvan {

// Level 13: the hero takes the map beside the start, drops down the shaft to the bottom
// corridor, jumps its scorpion and rides the lift at column 1 to the key. The lift at column 7
// takes him to the ledge of row 5; ledges up columns 11 and 12 lead into the galleries of rows 1
// to 3, which hold the first gold and end over the start shaft, so he comes down into the bottom
// corridor again and rides the lift a second time. The key opens the lock at the end of the
// ledge; the drop behind it ends in the east corridor, walled off from the lift and left only by
// two jumps back through the lock, where a scorpion guards the vase: its amulet comes with the last
// gold. Every death puts him back at the start. The rest of the vault is rock.
void TLevel12::Create() {
  TKarvanLevel::Create();
  AddRow("5,5,5,5,5, 5,5,5,5,5, 5,5,5,5,5, 1");
  AddRow("4,4,4,4,4, 5,4,4,4,4, 4,4,5,5,5, 1");
  AddRow("5,4,4,4,0, 1,4,4,4,4, 4,1,4,5,5, 1");
  AddRow("1,0,0,0,0, 68,4,4,4,4, 0,5,0,5,5, 1");
  ShowSide(0, 0, scMap);
  AddRow("1029,4,5,4,0, 5,5,5,5,5, 5,1,4,5,5, 1");
  AddRow("5,0,1,0,0, 5,0,4,4,4, 4,4,0,7,4, 1");
  AddRow("1,0,1,0,0, 0,0,0,5,4, 4,4,4,4,0, 1");
  AddRow("1,640,0,32,0, 0,0,640,65,0, 0,0,32,0,4, 1");
  ShowSide(1, 1, scVase);
  ShowSide(1, 1, scAmulet);
  AddRow("4,4,4,4,4, 4,4,4,4,4, 4,4,4,4,4, 0");
  xStart = 0;
  yStart = 1;
}

}  // namespace karvan
