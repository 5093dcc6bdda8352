// Level 21: the locked keep.
#include "game/karvan_form.h"
#include "levels/built_in_levels.h"

namespace karvan {

// Level 21: the hero starts inside a keep whose eight doors are all locked. Its lift stands
// still until the hero jumps under the switch hanging over the shaft and flips it in the air;
// the lift then serves the keep's shelves, where the first two keys lie, and a drop into its pit
// while it is up gives a gold. Each key opens one door, and every room behind a door gives a key
// back except the last, so no order of opening strands him without a key. The lower left door
// leads down into the dungeon: four corridors, each patrolled by a scorpion that the hero lets
// pass under a shelf, hold its gold and one key, and a chimney climbed jump by jump brings the
// hero back to the room behind the keep's left door of row 2, next to the shelf he jumps to.
// Outside the keep and the dungeon there is only rock.
void TLevel20::Create() {
  TKarvanLevel::Create();
  AddRow("5,5,5,5,5, 5,5,5,5,4, 4,1029,4,68,4, 71,1028,4,4,4, 7,4,4,1092,5, 5,5,5,5,5, 5,5,5,5,5");
  AddRow("5,5,5,5,5, 5,5,5,1,0, 1089,4,4,4,4, 7,4,0,68,1028, 7,4,68,4,1024, 5,5,5,5,5, 5,5,5,5,1");
  AddRow("5,5,5,5,5, 5,5,5,5,4, 4,4,1028,4,4, 71,4,640,4,68, 7,4,1092,5,4, 5,5,5,5,5, 5,5,5,5,1");
  AddRow("5,5,5,5,5, 5,5,5,1,4, 5,4,4,4,4, 7,16,0,0,4, 7,4,4,68,4, 5,5,5,5,5, 5,5,5,5,1");
  AddRow("5,5,5,5,5, 5,5,5,5,0, 1,5,4,4,4, 4,4,69,5,4, 4,4,4,4,4, 5,5,5,5,5, 5,5,5,5,1");
  AddRow("5,5,5,5,5, 5,5,5,1,4, 1,1,0,0,0, 0,0,4,0,0, 0,0,0,0,0, 5,5,5,5,5, 5,5,5,5,1");
  AddRow("5,5,5,5,5, 5,5,5,5,0, 1,1,0,0,0, 0,0,0,0,5, 4,4,1,0,0, 5,5,5,5,5, 5,5,5,5,1");
  AddRow("5,5,5,5,5, 5,5,5,1,4, 1,4,4,68,4, 4,4,4,4,0, 4,64,36,4,1, 5,5,5,5,5, 5,5,5,5,1");
  AddRow("5,5,5,5,5, 5,5,5,5,0, 5,4,4,4,4, 4,4,4,4,4, 4,4,4,1,1, 5,5,5,5,5, 5,5,5,5,1");
  AddRow("5,5,5,5,5, 5,5,5,1,4, 1,0,0,0,0, 0,0,0,0,0, 0,0,0,1,1, 5,5,5,5,5, 5,5,5,5,1");
  AddRow("5,5,5,5,5, 5,5,5,5,0, 1,0,0,5,4, 4,1,0,0,0, 0,0,0,1,1, 5,5,5,5,5, 5,5,5,5,1");
  AddRow("5,5,5,5,5, 5,5,5,1,4, 1,1,68,0,4, 0,4,4,36,4, 68,4,4,0,1, 5,5,5,5,5, 5,5,5,5,1");
  AddRow("5,5,5,5,5, 5,5,5,5,0, 1,1,5,4,4, 4,4,4,4,4, 4,4,4,4,0, 5,5,5,5,5, 5,5,5,5,1");
  AddRow("5,5,5,5,5, 5,5,5,1,4, 1,1,1,0,0, 0,0,0,0,0, 0,0,0,0,0, 5,5,5,5,5, 5,5,5,5,1");
  AddRow("5,5,5,5,5, 5,5,5,5,0, 1,1,1,0,0, 0,5,4,4,1, 0,0,0,0,0, 5,5,5,5,5, 5,5,5,5,1");
  AddRow("5,5,5,5,5, 5,5,5,1,4, 1,1,4,68,4, 4,0,4,0,36, 4,4,68,4,4, 5,5,5,5,5, 5,5,5,5,1");
  AddRow("5,5,5,5,5, 5,5,5,5,0, 1,4,4,4,4, 4,4,4,4,4, 4,4,4,4,1, 5,5,5,5,5, 5,5,5,5,1");
  AddRow("5,5,5,5,5, 5,5,5,1,4, 1,0,0,0,5, 4,4,1,0,0, 0,0,0,0,1, 5,5,5,5,5, 5,5,5,5,1");
  AddRow("5,5,5,5,5, 5,5,5,5,1, 4,4,4,1028,0, 4,0,36,4,4, 68,4,4,4,0, 5,5,5,5,5, 5,5,5,5,1");
  AddRow("5,4,4,4,4, 4,4,4,4,4, 4,4,4,4,4, 4,4,4,4,4, 4,4,4,4,4, 4,4,4,4,4, 4,4,4,4,5");
  ParentForm.xResurrect = 16;
  ParentForm.yResurrect = 3;
}

}  // namespace karvan
