// Levels 9 and 10: a two-screen-wide descent with sliding floors, a switch-driven slider and
// lift, and a one-screen-wide climb up a shaft of ledges, sliding floors and lifts.
#include "game/karvan_form.h"
#include "levels/built_in_levels.h"

namespace karvan {

// Level 9: the way down, the first of the second half and the shortest of it. Keys open the
// locked walls one screen after another: the top switch sends the floor piece under the first gold
// sliding, and only its ride (or a jump from the pocket under its track) leads on down column 9;
// the slider of row 3 carries the hero to the lock whose key lies just behind it, the sliders of
// rows 5 and 7 must be dropped onto in turn, the scorpions of rows 3 and 6 are jumped, a fall past
// the slider of row 10 is steered onto the last key, and the floor lock it opens lets him down to
// the last gold. The bottom corridor beyond, with its scorpion, switch and lift, is a side way.
// Every key is needed below the storey it lies on, and each one lies where the way passes; the
// wall over the row 6 lock reaches up to the row 3 floor, so no jump goes round it.
void TLevel8::Create() {
  TKarvanLevel::Create();
  AddRow("1029,4,4,4,4,7,644,4,1028,68,1");
  AddRow("5,5,5,4,4,5,36,0,0,5,1");
  AddRow("1,0,0,0,0,5,4,4,4,0,1");
  AddRow("1,64,0,32,1028,3,0,0,4,4,1");
  StartPlatform(5, PosRight);
  AddRow("1,4,4,4,4,5,5,5,5,5,1");
  AddRow("1,0,0,0,0,1,0,1024,0,0,1");
  AddRow("5,0,0,4,68,3,0,0,32,0,1");
  StartPlatform(2, PosLeft);
  AddRow("5,0,32,0,4,5,4,4,4,0,1");
  StartPlatform(1, PosRight);
  AddRow("5,4,4,4,4,3,5,5,5,5,1");
  AddRow("1029,0,4,4,4,5,5,4,4,1,1");
  AddRow("5,0,0,0,4,1,0,0,0,0,1");
  StartPlatform(1, PosRight);
  AddRow("5,4,4,12,68,0,0,32,4,640,1");
  AddRow("4,4,4,4,4,4,4,4,4,4,0");
  ParentForm.xResurrect = 1;
  ParentForm.yResurrect = 0;
}

// Level 10: up and down again. From a nook at the bottom of a shaft four screens high the hero
// jumps from ledge to ledge past the bottom lock, catches the sliding floors of rows 10 and 8
// between scorpions, rides a lift up and jumps scorpions in narrow corridors. The keys lie above
// the locks they do not open: two below the middle lock, one below the top lock, so the bottom
// lock, the only way to the gold beside it (its ledge is walled on the west), takes a key brought
// down from the top, through the scorpions and sliding floors again. A scorpion keeps the ledge
// of row 6 beside the lift.
void TLevel9::Create() {
  TKarvanLevel::Create();
  AddRow("69,4,4,7,4,1");
  AddRow("5,4,4,4,0,1");
  AddRow("1025,32,0,0,4,1");
  AddRow("1,4,4,4,0,1");
  AddRow("5,64,0,32,4,1");
  AddRow("1,4,4,4,0,1");
  AddRow("1,0,0,32,0,1");
  AddRow("1,4,0,4,32,1");
  StartPlatform(0, PosTop);
  StartPlatform(4, PosTop);
  AddRow("5,0,4,7,4,1");
  AddRow("1,0,64,4,1024,1");
  StartPlatform(0, PosLeft);
  AddRow("1,0,1024,0,4,1");
  AddRow("1,32,0,0,0,1");
  StartPlatform(4, PosLeft);
  AddRow("37,4,4,0,4,1");
  AddRow("5,4,4,4,0,1");
  AddRow("1,64,4,1,5,1");
  AddRow("1,5,0,7,64,1");
  AddRow("4,4,4,4,4,0");
  // The start is the row above the border row at the bottom.
  const int LastRow = static_cast<int>(ParentForm.Map[0].size()) - 1;
  ParentForm.xResurrect = 0;
  ParentForm.yResurrect = LastRow - 1;
}

}  // namespace karvan
