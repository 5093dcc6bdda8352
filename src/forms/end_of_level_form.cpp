#include "forms/end_of_level_form.h"

#include <string>

#include "engine/platform.h"
#include "engine/support.h"
#include "forms/intro_form.h"

namespace karvan {

TEndOfLevelForm::TEndOfLevelForm()
    : TDialogForm(TDialogKind::EndOfLevel, "The end of Karvan Mirk", 417, 133) {
  Image1 = {"Image1", "SmallTitleImage", 111, 0, 195, 35};
  Labels = {
      {"Label1", 8, 40, 393, 41,
       "You have completed the first levels of Karvan Mirk. This game is not finished yet by "
       "any means, but I will only further develop it when there seems to be enough interest "
       "in it, so feel free to e-mail me with your comments. ",
       false, true},
      {"Label4", 8, 88, 0, 0, "Email:"},
      {"Label3", 40, 88, 0, 0, TeamMailAddress, false, false, false, true},
  };
  BitBtn1 = {"BitBtn1", 171, 104, 75, 25, "&Ok", true};
}

void TEndOfLevelForm::Label3Click() {
  RunProgram(std::string("mailto:") + TeamMailAddress, "", true, "", true);
}

void TEndOfLevelForm::Label3MouseEnter() {
  GetPlatform().SetCursor(TCursorShape::crHandPoint);
}
void TEndOfLevelForm::Label3MouseLeave() {
  GetPlatform().SetCursor(TCursorShape::crArrow);
}

}  // namespace karvan
