// Level 11: three screens by three.
#include "game/karvan_form.h"
#include "levels/built_in_levels.h"

namespace karvan {

// Level 11: the way down is closed by the vase at the bottom right of the first screen, which
// holds the amulet; a lift and a sliding bridge over the top row lead there. Protected by the
// amulet, the hero rides a descending lift through a corridor full of scorpions, climbs a switch
// lift to the switch of a sliding bridge, crosses it for the gold behind it and drops into the
// second scorpion corridor at the bottom.
void TLevel10::Create() {
  TKarvanLevel::Create();
  AddRow("5,4,4,4,4, 4,4,4,4,4, 5,4,4,4,4, 1");
  AddRow("5,4,4,0,4, 0,0,5,0,644, 5,4,4,4,4, 1");
  AddRow("1,64,0,0,0, 0,1,1,5,4, 0,0,0,0,0, 1");
  AddRow("1,4,0,0,0, 0,1,640,1,0, 0,0,0,0,0, 1");
  AddRow("5,4,4,4,4, 0,4,4,0,0, 0,0,0,0,0, 1");
  AddRow("1,0,0,0,0, 1,0,4,0,640, 1,0,0,0,0, 1");
  AddRow("1,0,0,0,0, 4,4,4,4,4, 0,0,0,0,0, 1");
  AddRow("65,32,32,0,32, 32,0,0,0,0, 32,32,0,32,64, 1");
  AddRow("5,68,4,4,4, 4,4,0,4,644, 5,4,4,4,4, 1");
  AddRow("5,4,4,0,0, 0,4,4,4,641, 1,0,0,0,0, 1");
  AddRow("1,0,0,0,0, 0,0,0,0,5, 1,0,0,0,0, 1");
  AddRow("1,32,32,0,32, 0,32,0,32,4, 32,0,32,64,0, 1");
  AddRow("4,4,4,4,4, 4,4,4,4,4, 4,4,4,4,4, 0");
  ShowSide(0, 0, scVase);
  ShowSide(0, 0, scAmulet);
  ParentForm.xResurrect = 6;
  ParentForm.yResurrect = 3;
}

}  // namespace karvan
