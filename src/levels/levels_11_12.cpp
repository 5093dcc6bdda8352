// Levels 11 and 12: three screens by three.
#include "game/karvan_form.h"
#include "levels/built_in_levels.h"

namespace karvan {

// Level 11: the way down is closed by the vase at the bottom right of the first screen, which
// holds the amulet; a lift and a sliding bridge over the top row lead there. Protected by the
// amulet, the hero rides a descending lift through a corridor full of scorpions, climbs a switch
// lift to the switch of a sliding bridge, crosses it for the gold behind it and drops into the
// second scorpion corridor at the bottom. From there a ledge by the switch lift of column 9
// leads back up, so an early drop strands no one; walls keep a jump or fall down the middle
// shafts out of the side halls, which are rock like the rest of the unused space.
void TLevel10::Create() {
  TKarvanLevel::Create();
  AddRow("5,5,5,4,4, 4,4,4,4,4, 5,5,5,5,5, 1");
  AddRow("5,4,4,0,4, 0,0,5,0,644, 5,5,5,5,5, 1");
  AddRow("1,64,0,0,0, 5,1,1,5,4, 5,5,5,5,5, 1");
  AddRow("1,4,0,0,0, 0,1,640,1,0, 5,5,5,5,5, 1");
  AddRow("5,5,5,5,5, 1,4,4,0,0, 5,5,5,5,5, 1");
  AddRow("5,5,5,5,5, 1,0,4,0,640, 5,5,5,5,5, 1");
  AddRow("1,0,0,0,0, 4,4,4,4,4, 0,0,0,0,0, 1");
  AddRow("65,32,32,0,32, 32,0,0,0,0, 32,32,0,32,64, 1");
  AddRow("5,68,4,4,4, 4,4,0,4,644, 5,5,5,5,5, 1");
  AddRow("5,4,4,0,0, 0,4,4,4,640, 5,5,5,5,5, 1");
  AddRow("1,0,0,0,0, 0,0,0,4,5, 1,0,0,0,0, 1");
  AddRow("1,32,32,0,32, 0,32,4,32,4, 32,0,32,64,0, 1");
  AddRow("4,4,4,4,4, 4,4,4,4,4, 4,4,4,4,4, 0");
  ShowSide(0, 0, scVase);
  ShowSide(0, 0, scAmulet);
  ParentForm.xResurrect = 6;
  ParentForm.yResurrect = 3;
}

// Level 12: the hero starts in a pit at the bottom right. The switch there starts the lift that
// takes him into the vault above three trapdoor lifts (the switch above the start stops it
// again); under the left trapdoor, set going by the switch on the walkway, lies the key of the
// lock in the vault's ceiling, behind which a switch starts the lift to the top row. A drop into
// a pit gives the second key, a ferry leads to the landing before the lock, whose gold sits in a
// closed nook: no jump from below reaches it. A sliding floor carries him to the gold in the top
// left corner, which has no floor: the fall from it lands on the last gold. The pit opens to the
// scorpions' corridor, so a fall off the ferry or the sliding floors never strands him; the
// unused hall under the vault and the rows over the top are rock.
void TLevel11::Create() {
  TKarvanLevel::Create();
  AddRow("5,5,5,5,5, 5,5,5,5,5, 5,5,5,5,5, 1");
  AddRow("5,5,5,5,5, 5,5,5,5,5, 5,5,5,5,5, 1");
  AddRow("5,5,5,5,5, 5,5,5,5,5, 5,5,5,5,5, 1");
  AddRow("5,5,5,5,5, 5,5,5,5,5, 5,5,5,5,5, 1");
  AddRow("69,4,4,4,4, 4,4,4,4,4, 4,4,4,4,4, 1");
  AddRow("1,4,0,69,3, 0,0,0,0,4, 4,4,0,0,0, 1");
  StartPlatform(1, PosRight);
  AddRow("65,0,0,4,4, 0,1024,0,0,5, 0,0,0,0,0, 1");
  StartPlatform(8, PosLeft);
  AddRow("5,36,0,0,36, 0,5,5,5,1, 4,640,0,0,0, 0");
  StartPlatform(1, PosRight);
  AddRow("5,5,5,5,5, 5,5,5,5,5, 77,4,4,5,4, 1");
  AddRow("5,5,5,5,5, 5,5,5,5,5, 1029,5,5,4,0, 1");
  AddRow("5,5,5,5,5, 5,5,5,5,5, 1,641,0,0,640, 1");
  AddRow("5,5,5,5,5, 5,5,5,5,5, 5,4,4,4,641, 1");
  AddRow("4,4,4,4,4, 4,4,4,4,4, 4,4,4,4,4, 0");
  ShowSide(2, 1, scVase);
  ShowSide(2, 1, scAnkh);
  ParentForm.xResurrect = 14;
  ParentForm.yResurrect = 11;
}

}  // namespace karvan
