// Levels 16 and 17.
#include "game/karvan_form.h"
#include "levels/built_in_levels.h"

namespace karvan {

// Level 16: the switch under the start drops its floor to ferry the hero west to two keys and a
// gold; a shaft leads down to the map, the vase with the ankh and a key. A lock, a gold and a lift
// with its switch on the steps (miss it and the scorpion pit waits; the gap beside the shaft at
// (11, 17) lets him jump on as it rises, so he need not wait out its round trip) take him up to the
// middle storey, where one lift rises to a lock with a gold right behind it (back on the lift's
// top before it sets off down, he drops beside it onto its switch instead of riding it back) and
// another, timed between the passes of the ferry (its track ends over column 11, so it passes
// column 12 often and briefly) and boarded from the ledge at (13, 13) as it rises, to the switch
// of the lift to the top corridor. Its gold lies beside the lift's top, so nothing sends him back
// past the shaft there; a scorpion guards two keys, a locked gold and the locked floor that drops
// him back into the start room; the east door and a second scorpion lead to the shaft down to the
// snake's platform. West of it a sliding floor holds the sixth gold; east of it a lift one storey
// high takes him to the last, and the gap beside that gold drops him back beside the platform.
// The room beside the first switch ledge, which had no way out, is rock, like all the space no way
// reaches. No key lies behind a lock and the room under the shaft holds its own, so no order of
// opening the locks and no drop leaves the hero without a key where he needs one; the corridor
// over the ferry stops short of the shaft, so he cannot drop past the keys and the gold.
void TLevel15::Create() {
  TKarvanLevel::Create();
  AddRow("0,0,0,0,0, 0,0,0,0,0, 0,5,5,5,5, 5,5,5,5,0, 0,0,0,0,0, 5");
  AddRow("0,0,0,0,0, 0,0,0,0,0, 0,0,0,0,0, 0,0,0,0,0, 0,0,0,0,0, 5");
  AddRow("5,5,5,5,5, 5,5,5,5,5, 0,64,1024,0,32, 0,1024,0,67,0, 5,5,5,5,5, 5");
  AddRow("5,5,5,5,5, 5,5,5,5,1, 5,5,5,5,5, 5,5,5,5,13, 5,5,5,5,5, 5");
  AddRow("5,5,5,5,5, 5,5,5,5,1, 5,0,0,5,5, 5,5,5,5,1, 5,5,5,5,5, 5");
  AddRow("5,5,5,5,5, 5,5,5,5,1, 4,0,0,5,5, 5,5,5,5,1, 5,5,5,5,5, 5");
  AddRow("5,5,5,5,5, 5,5,5,5,5, 4,641,4,5,5, 5,5,5,5,1, 5,5,5,5,5, 5");
  AddRow("5,5,5,5,5, 5,5,5,5,4, 0,4,1,5,5, 5,5,5,5,1, 5,5,5,5,5, 5");
  AddRow("1,0,0,0,0, 0,0,0,0,0, 0,0,1,5,5, 5,5,5,5,1, 1,0,0,0,0, 5");
  AddRow("1,1,0,0,0, 0,0,0,0,0, 0,0,1,5,5, 4,4,4,4,0, 3,0,0,32,0, 5");
  AddRow("1,4,68,4,1028, 4,1028,4,4,4, 4,4,0,4,640, 5,5,5,5,5, 5,5,5,5,1, 5");
  AddRow("1,5,5,5,5, 5,5,69,7,4, 4,0,0,0,4, 4,5,5,5,5, 5,5,5,5,1, 5");
  AddRow("1,5,5,5,5, 5,5,5,1,1, 0,0,0,0,0, 0,0,5,5,5, 0,0,0,5,1, 5");
  AddRow("1,5,5,5,5, 5,5,5,1,640, 0,0,0,0,0, 0,0,0,5,5, 0,0,0,0,1, 5");
  AddRow("1,5,5,5,5, 5,5,5,1,5, 4,0,4,4,640, 1,0,0,0,0, 0,5,0,1,1, 5");
  AddRow("1,5,5,5,5, 5,5,0,4,0, 1,5,5,5,4, 0,0,0,0,0, 0,1,68,0,1, 5");
  AddRow("1,5,5,5,5, 5,0,0,4,0, 1,5,5,0,0, 0,0,0,0,645, 4,0,644,0,1, 5");
  AddRow("0,4,4,1,0, 0,0,0,0,0, 1,0,0,0,640, 1,0,0,0,4, 5,0,4,0,0, 4");
  AddRow("5,4,0,0,0, 0,0,0,0,0, 1,1,0,0,5, 5,69,4,4,4, 0,4,4,5,5, 5");
  AddRow("1,0,0,1028,4, 4,4,68,4,7, 0,4,0,5,0, 4,4,0,0,0, 4,4,0,0,0, 5");
  AddRow("1,0,4,4,4, 4,5,4,36,4, 4,5,4,0,0, 4,4,4,4,4, 4,0,0,0,0, 5");
  AddRow("5,5,5,5,5, 5,5,5,5,5, 5,5,5,5,5, 5,5,5,5,5, 5,5,5,5,5, 5");
  AddRow("5,5,5,5,5, 5,5,5,5,5, 5,5,5,5,5, 5,5,5,5,5, 5,5,5,5,5, 5");
  AddRow("5,5,5,5,5, 5,5,5,5,5, 5,5,5,5,5, 5,5,5,5,5, 5,5,5,5,5, 5");
  AddRow("5,5,5,5,5, 5,5,5,5,5, 5,5,5,5,5, 5,5,5,5,5, 5,5,5,5,5, 5");
  ShowSide(0, 4, scMap);
  ShowSide(0, 4, scVase);
  ShowSide(0, 4, scAnkh);
  ShowSide(4, 4, scDiamondSnake);
  ShowSide(4, 4, scVerticalLine);
  ParentForm.xResurrect = 17;
  ParentForm.yResurrect = 9;
}

// Level 17: six corridors stacked over the whole width, joined by steps at alternate ends,
// and the vault of nine locked doors at the bottom of the east end. Each corridor is crossed end
// to end, over low walls and over the holes the steps leave, each by the ledge above it; the
// bottom one has two pits into the deadly last row. The nine keys lie on the way, seven of them
// in nooks above the corridors, the map in the scene beside the fourth corridor's east end. The
// vault's entrance hangs off the third corridor's east end, a drop the hero can jump back out of,
// and every drop inside it can be climbed back, so entering it without all the keys costs only
// the way back; the shaft at the top corridor's west end drops him back into the third corridor
// for the walk to it.
void TLevel16::Create() {
  TKarvanLevel::Create();
  AddRow("5,5,5,5,4, 5,5,5,4,5, 5,5,4,5,5, 1029,4,5,5,4, 5,5,5,5,5, 1");
  AddRow("5,4,4,0,1, 4,1028,0,1,4, 4,0,1,4,4, 4,0,4,0,1, 4,4,4,4,5, 1");
  AddRow("1,5,4,4,5, 5,5,4,5,5, 5,5,4,5,5, 5,5,4,5,5, 1028,5,5,0,5, 1");
  AddRow("1,1,4,0,4, 4,0,1,4,4, 4,0,1,4,4, 4,0,1,4,0, 4,4,0,5,5, 1");
  AddRow("1,5,0,5,5, 4,5,1029,4,5, 5,4,5,1028,5, 5,4,5,4,4, 5,5,5,5,5, 1");
  AddRow("1,1,4,4,0, 1,4,4,0,4, 0,1,0,4,4, 0,1,0,4,0, 4,1028,5,5,5, 1");
  AddRow("1,5,4,4,5, 4,5,5,4,5, 5,5,5,4,5, 5,1028,5,1,4, 5,5,5,5,5, 1");
  AddRow("1,0,4,0,0, 1,4,0,1,4, 4,4,0,1,4, 0,4,4,4,0, 4,5,5,5,5, 1");
  AddRow("5,5,0,1029,4, 5,4,5,5,5, 5,4,5,5,5, 4,5,5,5,5, 1,7,7,7,4, 1");
  AddRow("5,1,4,4,0, 0,1,4,4,4, 0,1,4,4,0, 1,4,4,4,5, 5,7,7,7,0, 1");
  AddRow("5,1029,4,5,4, 5,5,4,4,5, 5,5,4,4,5, 5,4,5,1,4, 1,7,7,7,4, 1");
  AddRow("5,4,0,0,1, 4,0,4,0,4, 4,0,4,0,4, 0,1,4,4,0, 69,4,4,4,0, 1");
  AddRow("4,4,4,4,4, 4,4,0,4,4, 4,4,0,4,4, 4,4,4,4,4, 4,4,4,4,4, 0");
  ShowSide(4, 1, scMap);
  ParentForm.xResurrect = 0;
  ParentForm.yResurrect = 11;
}

}  // namespace karvan
