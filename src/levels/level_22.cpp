// Level 22: the long attic.
#include <string>
#include <string_view>

#include "game/karvan_form.h"
#include "levels/built_in_levels.h"

namespace karvan {

namespace {

constexpr int WideColumns = 100;

// A full row of the hundred-column map: the codes of its used part, then solid rock.
std::string WideRow(std::string_view UsedPart) {
  std::string Row(UsedPart);
  int Fields = UsedPart.empty() ? 0 : 1;
  for (char Ch : UsedPart)
    if (Ch == ',') ++Fields;
  for (; Fields < WideColumns; ++Fields) Row += Fields == 0 ? "5" : ",5";
  return Row;
}

}  // namespace

// Level 22: an attic runs along the top of the level, but its right half has no floor, only a
// bridge that the switch at (19, 8) sends sliding, and its one way in is a locked hatch at the top
// of the chimney at the right edge; the hatch's key lies at the far end of an annex that runs
// east along the bottom for seven screens. From the start the hero drops through a scorpion hall
// and a shaft with a gold (a drop that cannot be climbed back, so nothing is left above it) to
// the bottom row, jumps the west cellar's scorpion for the gold in its corner, climbs the steps
// to the switch corridor, whose gap drops him into a tunnel that leads down into the annex. There
// seven pits fall to the deadly bottom of the map; he crosses each by jumping onto the stone above
// it, and jumps the scorpion that patrols between the first two, there for the key and back. He
// climbs from the tunnel's end to the corridor, jumps its scorpion for its gold, flips the switch,
// climbs the chimney, opens the hatch, rides the bridge over the gap, and drops through a hole in
// the attic floor into a gallery, where a scorpion patrols by its gold, before jumping out for
// the last gold at the attic's far end. Beyond the used part the hundred-column map is rock.
void TLevel21::Create() {
  TKarvanLevel::Create();
  const auto AddWideRow = [this](std::string_view UsedPart) { AddRow(WideRow(UsedPart)); };
  AddWideRow("");
  AddWideRow("");
  AddWideRow("");
  AddWideRow("5,68,4,4,4, 4,4,4,4,4, 4,4,68,4,4, 4,4,4,4,4, 4,4,4,1");
  AddWideRow("5,20,4,4,4, 5,68,4,36,0, 4,4,4,4,1, 0,0,0,0,0, 0,4,12,1");
  AddWideRow("5,4,4,4,1, 5,4,4,4,4, 4,4,4,4,0, 0,0,0,0,0, 0,1,4,1");
  AddWideRow("1,0,0,0,65, 1,0,0,0,0, 0,0,0,0,0, 0,0,0,0,0, 0,5,0,1");
  AddWideRow("1,0,32,0,0, 0,0,1,0,0, 0,0,0,0,0, 0,0,0,0,0, 0,0,4,1");
  AddWideRow("5,4,4,4,4, 4,1,1,0,0, 0,0,0,0,0, 64,0,32,0,128, 0,4,0,1");
  AddWideRow("1,0,0,0,0, 0,1,1,0,0, 0,0,64,4,1, 5,4,4,4,4, 4,0,0,1");
  AddWideRow("1,0,0,0,0, 0,65,1,0,0, 0,0,4,0,1, 1,0,0,0,0, 0,4,0,1");
  AddWideRow("1,0,0,0,0, 0,1,1,0,0, 0,4,0,0,1, 1,0,0,0,0, 0,0,4,1");
  AddWideRow(
      "65,0,0,32,0, 1,0,0,0,0, 5,0,0,0,0, 0,0,0,0,0, 0,4,0,4, 4,4,4,4,4, 4,4,4,4,4, 4,4,4,4,4, "
      "4,4,4,4,4, 4,4,4,4,4, 4,4,4,4,4, 4,4,4,4,4, 5");
  AddWideRow(
      "5,5,5,5,5, 5,5,5,5,5, 5,5,5,5,5, 5,5,5,5,5, 5,5,5,5, 1,0,4,0,32, 0,0,4,0,64, 0,0,4,0,0, "
      "0,0,4,0,0, 0,0,4,0,0, 0,0,4,0,0, 0,0,4,0,1024, 5");
  AddWideRow(
      "5,5,5,5,5, 5,5,5,5,5, 5,5,5,5,5, 5,5,5,5,5, 5,5,5,5, 5,5,1,5,5, 5,5,1,5,5, 5,5,1,5,5, "
      "5,5,1,5,5, 5,5,1,5,5, 5,5,1,5,5, 5,5,1,5,5, 5");
  AddWideRow(
      "5,5,5,5,5, 5,5,5,5,5, 5,5,5,5,5, 5,5,5,5,5, 5,5,5,5, 5,5,1,5,5, 5,5,1,5,5, 5,5,1,5,5, "
      "5,5,1,5,5, 5,5,1,5,5, 5,5,1,5,5, 5,5,1,5,5, 5");
  ParentForm.xResurrect = 1;
  ParentForm.yResurrect = 4;
}

}  // namespace karvan
