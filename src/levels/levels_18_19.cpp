// Levels 18 and 19: a gallery six screens long and a three-storey tower beside a lift.
#include "game/karvan_form.h"
#include "levels/built_in_levels.h"

namespace karvan {

// Level 18: the long gallery. A staircase of ledges leads from the start up to the roof and the
// switch at (8, 0), which sets the far lift at column 22 going; the shaft beside the switch drops
// into a corridor where a scorpion guards the first key, and the lower corridor beyond the first
// locked wall holds the second key and the second scorpion. The hero must slip past that scorpion
// onto the lift at the moment it reaches the bottom, open the locked ceiling of the shaft while he
// rides it, take the third key from the niche beside the top of the shaft, catch the lift again
// and cross the roof to the last locked wall and the gold below it.
void TLevel17::Create() {
  TKarvanLevel::Create();
  AddRow("5,4,4,4,4, 4,4,4,644,4, 5,5,5,5,5, 5,5,5,5,5, 5,1029,4,4,4, 4,7,4,4,5, 1");
  AddRow("1,0,0,4,4, 4,4,4,4,0, 0,0,1,0,0, 0,0,0,0,0, 5,5,13,5,5, 5,5,5,1,5, 1");
  AddRow("1,0,4,1,0, 0,0,0,0,0, 0,0,3,0,0, 0,0,0,0,0, 5,5,1,5,5, 5,5,5,1,5, 1");
  AddRow("5,5,1,4,4, 4,4,1028,36,0, 5,5,5,5,5, 5,1028,4,0,36, 4,4,0,5,5, 5,5,5,65,5, 1");
  AddRow("4,4,4,4,4, 4,4,4,4,4, 4,4,4,4,4, 4,4,4,4,4, 4,4,0,4,4, 4,4,4,4,4, 0");
  ParentForm.xResurrect = 0;
  ParentForm.yResurrect = 2;
}

// Level 19: the tower. The hero starts below three stacked locked walls without a key. The lift
// (or a jump) lifts him onto the ledge under the tower, where he climbs a zigzag of ledges to
// the top corridor, hops its two low walls and breaks the empty vase that bars it. At its far end
// a deep shaft drops him into the middle corridor for good: no way leads back down to the two
// lower locks. He hops its low walls on the way back left (the vase there holds an extra life),
// takes the key at the lip of the last shaft and drops beside the top lock, the only one he can
// reach with the key. Behind it lie the bottom hall, a second vase and the gold.
void TLevel18::Create() {
  TKarvanLevel::Create();
  AddRow("5,5,5,5,5, 5,5,5,5,5, 5,5,5,5,1");
  AddRow("5,5,5,5,5, 5,5,5,5,5, 5,5,5,5,1");
  AddRow("5,5,4,4,4, 4,4,4,4,5, 5,5,5,5,1");
  AddRow("5,0,0,0,1, 0,0,1,0,4, 4,4,4,4,1");
  ShowSide(1, 0, scVase);
  AddRow("1,4,5,5,5, 5,5,5,5,5, 5,5,5,1,1");
  AddRow("5,0,5,5,5, 5,5,5,5,5, 5,5,5,1,1");
  AddRow("1,4,5,5,4, 4,4,4,4,4, 4,4,4,0,1");
  AddRow("5,0,5,1024,0, 1,0,0,1,0, 0,1,0,0,1");
  ShowSide(1, 1, scVase);
  ShowSide(1, 1, scAnkh);
  AddRow("1,4,1,5,5, 5,5,5,5,5, 5,5,5,5,1");
  AddRow("5,0,1,7,5, 5,5,5,5,5, 5,5,5,5,1");
  AddRow("1,4,4,3,0, 5,5,5,5,5, 5,5,5,5,1");
  AddRow("5,4,0,3,0, 4,4,4,4,4, 4,4,4,68,1");
  ShowSide(1, 2, scVase);
  AddRow("4,4,4,4,4, 4,4,4,4,4, 4,4,4,4,0");
  StartPlatform(2, PosTop);
  ParentForm.xResurrect = 0;
  ParentForm.yResurrect = 11;
}

}  // namespace karvan
