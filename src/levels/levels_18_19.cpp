// Levels 18 and 19: a gallery six screens long and a three-storey tower beside a lift.
#include "game/karvan_form.h"
#include "levels/built_in_levels.h"

namespace karvan {

// Level 18: the long gallery, whose lower floor is walked four times and a fifth in part. The
// start ledge opens east into the lower gallery, which runs over four pits, each crossed by the
// ledge above it, and through two pens where a scorpion walks to and fro between low walls: the
// hero hops in behind it, jumps over it as it comes back and hops out before it turns. The first
// key lies beyond the second pen at the far east end, and the only lock it can open is the locked
// ceiling of the start ledge at (0, 2), so he crosses both pens, all four pits and the lift's foot
// at column 22 there and back. Above the start ledge the upper gallery leads past three low walls
// and the switch ledge at (8, 0), which sets the lift going, to the second key where it ends at
// (9, 1); its only way out is back down to the start. Until the switch is flipped the lift stands
// at the bottom and reaches nothing: its shaft is walled in up to the roof. So the hero crosses
// the first pen and its pits a third time and rides the lift to the top, (22, 0). The roof west of
// it ends in a hole at (11, 0) over a closed pocket that holds the third key at (13, 1); its only
// way out is the hole at (10, 1), a drop of two rows the hero cannot jump back up, into the lower
// gallery beside the first pen. So he crosses that pen and the pits after it once more and rides
// the lift up again. East of the top, two locked walls, at (23, 0) and (27, 0), take the two
// keys he carries, and the gold lies behind them at the far east end of the roof.
void TLevel17::Create() {
  TKarvanLevel::Create();
  AddRow("5,5,4,5,4, 5,4,5,644,5, 5,5,4,4,4, 4,4,4,4,4, 4,4,4,7,4, 4,4,7,4,68, 1");
  AddRow("5,0,1,0,1, 0,1,0,4,1028, 5,0,4,1028,5, 5,5,5,5,5, 5,5,1,5,5, 5,5,5,5,5, 1");
  AddRow("13,4,5,4,5, 5,4,4,4,4, 1,4,4,4,4, 5,4,4,4,4, 5,5,0,4,4, 5,4,4,4,4, 1");
  AddRow("5,1,0,1,4, 0,4,0,4,0, 0,1,32,0,1, 0,4,0,4,0, 4,0,4,0,1, 0,1,32,0,1025, 1");
  AddRow("4,4,4,4,4, 4,0,4,0,4, 4,4,4,4,4, 4,0,4,0,4, 4,4,4,4,4, 4,4,4,4,4, 0");
  ParentForm.xResurrect = 0;
  ParentForm.yResurrect = 2;
}

// Level 19: the tower. The hero climbs a zigzag of ledges from the start to the roof walkway,
// which leads over the lift shaft to the tower's east end and drops into the top corridor; from
// there five corridors wind down the tower, each left by a drop that cannot be climbed back. The
// top one runs under the walkway; the four below it are rows of low walls under open headroom,
// jumped one by one, past the two upper vases (the lower one holds an extra life). The locked
// walls at the west ends of the second and the third open into rock; the key cannot open them
// from there. The last corridor ends at the lift shaft: the lift must be level with it or below,
// or the step in is a fall to the bottom of the shaft. The lift carries him down to where it
// turns, up to the key in the nook at its top and back down to the locked wall at its foot.
// Behind the lock the hall holds two low walls, three pits, each crossed by the ledge above it,
// and the last vase, and ends in the step that holds the gold.
void TLevel18::Create() {
  TKarvanLevel::Create();
  AddRow("5,4,4,4,4, 4,4,4,4,4, 4,4,4,4,1");
  AddRow("1,4,5,1028,5, 5,4,4,4,4, 4,4,4,0,1");
  AddRow("5,0,1,5,5, 0,4,4,4,4, 4,4,4,4,1");
  AddRow("1,4,1,5,3, 0,1,1,1,1, 0,1,1,1,1");
  ShowSide(1, 0, scVase);
  AddRow("5,0,1,5,5, 4,4,4,4,4, 4,4,4,0,1");
  AddRow("1,4,1,5,3, 1,1,1,1,1, 1,1,1,1,1");
  AddRow("5,0,1,5,1, 4,4,4,4,4, 4,4,4,4,1");
  AddRow("1,4,1,5,1, 1,1,1,1,1, 0,1,1,1,1");
  ShowSide(1, 1, scVase);
  ShowSide(1, 1, scAnkh);
  AddRow("5,0,1,5,4, 4,4,4,4,4, 4,4,4,0,1");
  AddRow("1,4,1,0,1, 1,1,1,1,1, 1,1,1,1,1");
  AddRow("5,0,1,5,4, 4,4,4,4,4, 4,4,4,68,1");
  AddRow("1,5,1,3,1, 1,4,0,4,0, 0,4,0,5,1");
  ShowSide(1, 2, scVase);
  AddRow("4,4,4,4,4, 4,0,4,0,4, 4,0,4,4,0");
  StartPlatform(2, PosTop);
  ParentForm.xResurrect = 0;
  ParentForm.yResurrect = 11;
}

}  // namespace karvan
