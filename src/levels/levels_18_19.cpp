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

// Level 19: the tower. The hero climbs a zigzag of ledges from the start to the roof walkway and
// drops into the top corridor; from there four corridors wind down the tower, each left by a drop
// that cannot be climbed back, over low walls and past the three vases (the middle one holds an
// extra life). The last one ends at the lift shaft: the lift must be level with it or below, or
// the step in is a fall to the bottom of the shaft. The lift carries him to the key in the nook
// at its top and back down to the locked wall at its foot, the one lock he can reach with the
// key; the two he passed on the way down open into rock and cannot be reached again. Behind the
// lock the hall holds two pits, each crossed by the ledge above it, and the gold.
void TLevel18::Create() {
  TKarvanLevel::Create();
  AddRow("5,4,4,4,4, 5,5,5,5,5, 5,5,5,5,1");
  AddRow("1,4,5,1028,1, 5,5,5,5,5, 5,5,5,5,1");
  AddRow("5,0,1,5,1, 5,5,4,5,5, 5,4,5,5,1");
  AddRow("1,4,1,5,3, 4,0,1,4,4, 0,1,4,4,1");
  ShowSide(1, 0, scVase);
  AddRow("5,0,1,5,5, 5,5,5,5,4, 5,5,5,1,1");
  AddRow("1,4,1,5,7, 4,4,4,0,1, 4,4,4,0,1");
  AddRow("5,0,1,5,1, 5,5,4,5,5, 5,5,5,5,1");
  AddRow("1,4,1,5,1, 4,0,1,4,4, 4,4,4,5,1");
  ShowSide(1, 1, scVase);
  ShowSide(1, 1, scAnkh);
  AddRow("5,0,1,5,5, 5,5,5,4,5, 5,5,1,5,1");
  AddRow("1,4,1,4,4, 4,4,0,1,4, 4,4,0,5,1");
  AddRow("5,0,1,5,5, 5,4,5,4,4, 4,4,4,5,1");
  AddRow("1,5,1,7,4, 0,1,0,4,0, 0,4,64,5,1");
  ShowSide(1, 2, scVase);
  AddRow("4,4,4,4,4, 4,4,4,0,4, 4,0,4,4,0");
  StartPlatform(2, PosTop);
  ParentForm.xResurrect = 0;
  ParentForm.yResurrect = 11;
}

}  // namespace karvan
