// Level 20: the scorpion nest, five screens wide.
#include "game/karvan_form.h"
#include "levels/built_in_levels.h"

namespace karvan {

// Level 20: the scorpion nest. Without the amulet the hero must drop into the scorpions' pits
// for what they hold and jump out again before one reaches him: along the top walkway (four pits
// of gold, the first key in the last) to its end in the rock and back through all four to the
// first, whose right wall is locked; below it the lower walkway of row 2 (four pits of gold, one
// scorpion each) runs east to a gap into the passage of row 4, which leads back west and drops
// him onto the middle walkway; east through its pits for their gold to the second key in the
// last one, and back through all three to the locked door of the amulet's room, right beside the
// drop. There two scorpions walk the floor; the third key lies above the sliding floor under the
// ceiling, and the vase with the amulet bars the only way to the locked trapdoor into the nest.
// Invincible, he wades through the nest: the fourth key of its first corridor, the lock into the
// lift shaft (a step in while the lift is up costs a life, amulet or not), the upper corridor with
// the fifth key, a zigzag down to the middle and the bottom corridor, the vase with the ankh and
// the last lock before the last gold.
void TLevel19::Create() {
  TKarvanLevel::Create();
  AddRow("5,4,4,4,4, 4,4,4,4,4, 4,4,4,4,4, 4,4,4,4,4, 4,4,5,5,1");
  AddRow("5,37,4,64,4, 7,37,4,64,4, 36,5,37,4,64, 4,36,5,5,1088, 4,36,5,5,1");
  AddRow("5,5,5,5,5, 1,4,4,4,4, 4,4,4,4,4, 4,4,4,4,4, 4,4,4,5,1");
  AddRow("5,4,4,1028,5, 5,5,5,64,4, 36,5,64,4,36, 5,4,64,36,65, 4,36,1,5,1");
  AddRow("5,0,0,0,4, 5,5,4,4,4, 4,4,4,4,4, 4,4,4,4,4, 4,4,0,5,1");
  StartPlatform(0, PosLeft);
  AddRow("1,0,0,4,0, 7,0,4,4,4, 4,4,4,4,4, 4,4,4,4,4, 4,4,5,5,1");
  AddRow("1,0,0,4,4, 5,37,4,64,4, 36,37,4,64,36, 4,5,37,1088,4, 4,36,5,5,1");
  AddRow("33,0,36,0,0, 4,5,5,5,5, 5,5,5,5,5, 5,5,5,5,5, 5,5,5,5,1");
  ShowSide(0, 1, scVase);
  ShowSide(0, 1, scAmulet);
  AddRow("5,5,5,5,5, 13,5,5,4,36, 36,36,36,36,36, 1060,36,36,36,36, 36,36,4,4,1");
  AddRow("5,5,5,5,5, 1,5,1,5,5, 5,5,5,5,5, 5,5,5,5,5, 5,5,5,0,1");
  AddRow("5,5,5,5,5, 1,5,1,5,36, 36,36,36,36,36, 4,36,4,36,4, 36,36,0,5,1");
  AddRow("37,36,1060,36,36, 0,36,3,1,36, 36,36,36,36,36, 36,36,36,4,4, 4,4,7,68,1");
  ShowSide(3, 2, scVase);
  ShowSide(3, 2, scAnkh);
  AddRow("4,4,4,4,4, 4,4,4,4,4, 4,4,4,4,4, 4,4,4,4,4, 4,4,4,4,0");
  StartPlatform(7, PosTop);
  ParentForm.xResurrect = 0;
  ParentForm.yResurrect = 0;
}

}  // namespace karvan
