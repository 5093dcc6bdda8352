// Levels 16 and 17.
#include "game/karvan_form.h"
#include "levels/built_in_levels.h"

namespace karvan {

// Level 17: the gold lies at the bottom of a vault of nine locked doors that winds down from its
// entrance at (20, 8) in four rows, and the drop into the vault cannot be climbed back. Every
// one of the nine keys is needed, and they lie all over the level: over the bottom corridor
// behind low walls and on ledges, on the climb to the right, in the corner beside the map, on
// the top walkway and in the middle storey, which is reached only by dropping from the top. The
// map beside the climb shows where the keys are before the hero commits himself to the vault.
void TLevel16::Create() {
  TKarvanLevel::Create();
  AddRow("5,4,4,4,4, 4,4,4,4,4, 4,4,4,4,4, 4,4,4,4,4, 4,4,4,4,4, 1");
  AddRow("1,0,0,0,0, 0,0,0,0,0, 0,0,0,0,1024, 0,0,0,0,0, 0,0,0,0,0, 1");
  AddRow("1,0,0,0,0, 0,0,0,0,0, 0,0,0,0,4, 0,0,0,1,0, 0,0,0,0,0, 1");
  AddRow("1,0,0,1024,0, 0,0,0,1,0, 0,0,5,4,4, 4,4,4,4,4, 4,4,5,0,0, 1");
  AddRow("5,0,4,4,4, 4,4,4,4,4, 4,5,0,0,0, 0,0,0,1,0, 0,0,0,4,1028, 1");
  AddRow("1025,0,0,0,1, 0,0,0,0,0, 0,1,0,0,0, 0,0,0,1,0, 0,0,5,4,4, 1");
  AddRow("5,4,4,4,4, 4,4,4,4,4, 0,1,0,0,0, 0,0,0,1,4, 4,4,0,0,0, 1");
  AddRow("1,0,1024,0,0, 0,0,0,0,0, 0,0,0,0,1, 0,1024,0,4,0, 0,0,0,0,0, 1");
  AddRow("5,4,4,4,4, 4,4,4,4,4, 4,4,4,4,4, 4,1028,4,0,5, 1,7,7,7,1, 1");
  AddRow("1,0,0,0,0, 0,0,0,0,0, 0,0,0,0,0, 4,4,4,4,1, 4,5,7,3,1, 1");
  AddRow("1,0,0,0,0, 0,0,0,0,0, 0,0,1024,0,4, 0,0,0,0,1, 0,1,7,7,1, 1");
  AddRow("1,0,0,0,0, 1,0,1024,0,0, 1,0,4,4,0, 0,0,0,0,0, 1,69,7,3,1, 1");
  AddRow("4,4,4,4,4, 4,4,4,4,4, 4,4,4,4,4, 4,4,4,4,4, 4,4,4,4,4, 0");
  ShowSide(4, 1, scMap);
  ParentForm.xResurrect = 0;
  ParentForm.yResurrect = 11;
}

}  // namespace karvan
