// Levels 11 and 12: three screens by three.
#include "game/karvan_form.h"
#include "levels/built_in_levels.h"

namespace karvan {

// Level 11: the long way round to the vase. The start leads only down: a drop down column 5 to
// the switch of the lift into the scorpion corridor of row 7, gold at both its ends; the shaft of
// that lift drops on to row 8, whose switch lift and sliding floor lead to the gold at (1, 8) and a
// fall into the bottom corridor; its scorpions guard the gold at (13, 11) and the foot of a climb
// of ledges up columns 13 and 14 to row 3. Back beside the start, the lift at (7, 3) and the bridge
// switch at (9, 1) open the first screen: its vase holds the amulet, and only the amulet gets the
// hero through the nest of ten scorpions that guards the last gold, so the protection comes at the
// very end. The pen wall keeps the nest's stings from the vase cell; unused space is rock.
void TLevel10::Create() {
  TKarvanLevel::Create();
  AddRow("101,36,36,4,5, 4,4,4,4,5, 5,5,5,5,5, 1");
  AddRow("5,36,36,32,1, 1,1,5,0,644, 5,5,5,5,5, 1");
  AddRow("1,4,5,5,0, 1,0,1,5,5, 5,5,5,5,5, 1");
  AddRow("37,32,36,32,1, 4,0,641,4,4, 4,4,4,4,5, 1");
  AddRow("5,5,5,5,5, 1,5,5,5,5, 5,5,5,1,4, 1");
  AddRow("5,5,5,5,5, 1,4,4,4,644, 5,5,5,5,0, 1");
  AddRow("5,4,4,4,4, 4,4,5,5,4, 4,4,4,1,4, 1");
  AddRow("65,0,0,32,0, 0,0,0,0,0, 0,0,96,5,0, 1");
  AddRow("5,68,4,4,4, 4,4,0,4,644, 5,5,5,1,4, 1");
  AddRow("5,4,4,0,0, 0,4,4,4,640, 5,5,5,5,0, 1");
  AddRow("1,0,0,0,0, 0,0,0,4,5, 5,4,4,1,4, 1");
  AddRow("1,0,0,0,0, 32,0,5,0,4, 0,0,32,68,0, 1");
  AddRow("4,4,4,4,4, 4,4,4,4,4, 4,4,4,4,4, 0");
  ShowSide(0, 0, scVase);
  ShowSide(0, 0, scAmulet);
  ParentForm.xResurrect = 6;
  ParentForm.yResurrect = 3;
}

// Level 12: the hero starts in a pit at the bottom right. The switch there starts the lift that
// takes him into the vault above three trapdoor lifts; under the left trapdoor, set going by the
// switch on the walkway, lies the key of the lock in the vault's ceiling, behind which a switch
// starts the lift to row 4, where a scorpion walks the stretch he must cross. The pit under it
// opens on a cellar: ledges down, a scorpion in its corridor, a pit into the last row to jump, and
// the key of the landing's lock at the top of its west wall; ledges lead back up into the pit. A
// ferry leads to the landing, whose gold sits in a closed nook; a sliding floor carries him to the
// gold in the top left corner, which has no floor, and the corridor under it leads back to the pit
// and the ferry. From the landing two jumps lead up into the galleries of rows 3 and 2, whose
// shaft at column 14 passes the last gold on a ledge walled off from the lift; the drop below it
// ends by the vase, so that corner is reached only from above. The rest of the map is rock.
void TLevel11::Create() {
  TKarvanLevel::Create();
  AddRow("5,5,5,5,5, 5,5,5,5,5, 5,5,5,5,5, 1");
  AddRow("5,5,5,5,5, 5,5,5,5,5, 5,5,5,5,5, 1");
  AddRow("5,5,5,5,5, 5,5,5,5,4, 4,4,4,4,4, 1");
  AddRow("5,5,5,5,4, 4,4,4,0,5, 4,4,5,5,1, 1");
  AddRow("69,4,4,0,4, 4,4,4,4,0, 32,0,4,69,0, 1");
  AddRow("1,4,0,69,3, 0,0,0,0,4, 4,4,0,5,1, 1");
  StartPlatform(1, PosRight);
  AddRow("1,0,0,4,4, 0,0,0,0,5, 0,0,0,5,1, 1");
  StartPlatform(8, PosLeft);
  AddRow("5,4,0,0,4, 0,5,5,1,4, 5,640,0,4,0, 0");
  StartPlatform(1, PosRight);
  AddRow("1029,4,5,5,5, 5,5,5,5,0, 77,4,4,5,4, 1");
  AddRow("5,0,5,5,5, 5,5,5,0,5, 1029,5,5,4,0, 1");
  AddRow("1,4,5,4,4, 4,4,0,4,5, 1,641,0,0,640, 1");
  AddRow("5,0,0,4,0, 0,0,4,32,5, 5,4,4,4,641, 1");
  AddRow("4,4,4,0,4, 4,4,4,4,4, 4,4,4,4,4, 0");
  ShowSide(2, 1, scVase);
  ShowSide(2, 1, scAnkh);
  ParentForm.xResurrect = 14;
  ParentForm.yResurrect = 11;
}

}  // namespace karvan
