// Levels 14 and 15: a row of nine screens with a ferry and lifts, and a tower five screens wide
// and three high with two switch lifts.
#include "game/karvan_form.h"
#include "levels/built_in_levels.h"

namespace karvan {

// Level 14: one screen row, nine screens long. A ferry carries the hero over a scorpion pit and
// past the gold hanging above it; scorpions patrol the corridors up to walls that the hero must
// jump after them. In the lift hall two lifts rise from the chasm and two drop from the ceiling:
// a full turn of the long lift reaches the key in the nook at the bottom, the short one the gold
// on the top shelf, and the last one the corridor beyond. Another lift raises him to a shelf of
// gold, the key opens the lock in the floor of the upper corridor, and the switch at the end sets
// the lift going that carries him to the last gold.
void TLevel13::Create() {
  TKarvanLevel::Create();
  AddRow(
      "5,4,4,68,4, 4,4,4,4,4, 4,4,4,68,4, 4,4,4,4,4, 4,4,4,4,4, "
      "4,4,4,68,4, 4,4,4,4,4, 4,4,4,4,4, 5,4,4,4,68, 1");
  StartPlatform(12, PosBottom);
  StartPlatform(14, PosBottom);
  AddRow(
      "1,0,0,0,0, 0,0,0,32,1, 0,0,0,4,0, 0,0,0,0,0, 0,0,0,0,0, "
      "0,0,0,4,0, 0,0,32,0,0, 0,0,32,0,0, 1,0,0,4,4, 1");
  AddRow(
      "5,0,0,0,4, 5,4,4,4,4, 5,0,0,0,0, 0,0,0,0,32, 0,0,64,0,32, "
      "1,0,0,4,4, 4,4,4,4,4, 5,4,4,12,4, 0,0,0,0,640, 1");
  StartPlatform(1, PosRight);
  StartPlatform(27, PosTop);
  AddRow(
      "1,0,32,0,0, 1,0,0,0,0, 1029,0,4,0,0, 4,4,4,4,4, 4,4,4,4,4, "
      "4,4,0,0,0, 0,0,0,0,0, 65,0,0,0,0, 0,0,32,0,4, 1");
  AddRow(
      "4,4,4,4,4, 4,4,4,4,4, 4,0,0,0,0, 4,4,4,4,4, 4,4,4,4,4, "
      "4,4,0,4,4, 4,4,4,4,4, 4,4,4,4,4, 4,4,4,4,4, 0");
  StartPlatform(11, PosTop);
  StartPlatform(13, PosTop);
  ParentForm.xResurrect = 0;
  ParentForm.yResurrect = 1;
}

// Level 15: a tower three screens high. The switch at the end of the low tunnel of the start
// sends its own ceiling up as a lift, and only through that opening can the hero jump onto the
// second switch, which sets the lift of the long shaft going. Between the two shafts he waits for
// the lifts: the long one leads to the top corridor, where scorpions guard two keys and a locked
// gold and the shaft's cap is the only way across; he drops back down the shaft, and the short
// lift takes him to the middle corridor, whose lock and scorpion keep the last gold. Rock above
// both locks leaves no jump round them, the nook beside the short lift has a floor instead of a
// pit, and all the tower the way does not pass through is rock.
void TLevel14::Create() {
  TKarvanLevel::Create();
  AddRow("5,5,5,5,5, 5,5,5,5,5, 5,5,5,5,5, 5,5,5,5,5, 5,5,5,5,5, 1");
  AddRow("5,5,5,5,5, 0,0,0,5,5, 5,5,5,5,5, 5,5,5,5,5, 5,5,5,5,5, 1");
  AddRow("1,0,0,0,0, 0,0,0,0,0, 0,0,0,0,0, 0,0,0,0,0, 5,0,0,0,0, 1");
  AddRow("1025,0,0,32,0, 0,4,0,0,0, 0,0,0,0,0, 0,0,32,1024,0, 3,0,0,64,0, 1");
  AddRow("5,5,5,5,5, 5,1,5,5,5, 5,5,5,5,5, 5,5,5,5,5, 5,5,5,5,5, 1");
  AddRow("5,5,5,5,5, 5,1,1,0,0, 5,5,5,5,5, 5,5,5,5,5, 5,5,5,5,5, 1");
  AddRow("5,5,5,5,5, 5,1,1,0,0, 5,0,0,0,0, 0,0,0,0,0, 0,0,0,0,0, 1");
  AddRow("5,5,5,5,5, 5,1,5,5,0, 3,0,0,0,0, 0,0,32,0,0, 0,0,0,0,64, 1");
  AddRow("5,5,5,5,5, 5,1,5,1,5, 5,5,5,5,5, 5,5,5,5,5, 5,5,5,5,5, 1");
  AddRow("5,5,5,5,5, 5,1,5,1,5, 5,5,5,5,5, 5,5,5,5,5, 5,5,5,5,5, 1");
  AddRow("5,5,5,5,5, 5,0,4,0,644, 5,5,5,5,5, 5,5,5,5,5, 5,5,5,5,5, 1");
  AddRow("5,4,4,4,4, 4,4,4,644,5, 5,5,5,5,5, 5,5,5,5,5, 5,5,5,5,5, 1");
  AddRow("4,4,4,4,4, 4,4,4,4,4, 4,4,4,4,4, 4,4,4,4,4, 4,4,4,4,4, 0");
  ParentForm.xResurrect = 0;
  ParentForm.yResurrect = 11;
}

}  // namespace karvan
