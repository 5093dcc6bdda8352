#include "forms/intro_form.h"

#include <string>

#include "engine/platform.h"
#include "engine/support.h"
#include "karvan_version.h"

namespace karvan {

TIntroForm::TIntroForm() : TDialogForm(TDialogKind::Intro, "Karvan Mirk\u2122", 426, 369) {
  Image1 = {"Image1", "TitleImage", 112, 0, 203, 41};
  Labels = {
      {"Label7", 180, 40, 0, 0, std::string("Version ") + KarvanVersion, true},
      {"Label2", 129, 55, 0, 0, "Graphics and game design: the Karvan Mirk team"},
      {"Label6", 81, 72, 0, 0, "Programming and game design by"},
      {"Label11", 280, 72, 0, 0, "the Karvan Mirk team", false, false, false, true},
      {"Label4", 248, 88, 0, 0, "Email:"},
      {"Label3", 280, 88, 0, 0, TeamMailAddress, false, false, false, true},
      {"Label8", 16, 112, 393, 28,
       "This a simulator of a game that never existed, but it was made within the "
       "technological limitations of handheld LCD's of those days.",
       false, true},
      {"Label5", 16, 137, 393, 28,
       "A leveleditor is included and although it is far from perfect the levels can be "
       "imported into the game. Feel free to experiment.",
       false, true},
      {"Label1", 16, 176, 393, 41,
       "This game is not finished yet by any means, but we will only further develop it when "
       "there seems to be enough interest in it, so feel free to e-mail us with your comments.",
       false, true},
      {"Label10", 8, 216, 393, 17, "controls:", true, false, true},
  };
  Memo1 = {"Memo1",
           8,
           230,
           105,
           112,
           true,
           {"Arrow keys", "Up key", "Z", "", "1", "ESC", "Right-click "}};
  Memo2 = {
      "Memo2",
      119,
      230,
      273,
      116,
      false,
      {"Movement, activate switches & unlock doors", "Activate map",
       "Jump / decativate map / throw stone", "", "Start new game", "Quit", "Activate popup menu"}};
  BitBtn1 = {"BitBtn1", 176, 336, 75, 25, "&Play", true};
}

void TIntroForm::Label3Click() {
  RunProgram(std::string("mailto:") + TeamMailAddress, "", true, "", true);
}

void TIntroForm::Label11Click() {
  RunProgram(TeamWebAddress, "", true, "", true);
}

void TIntroForm::Label3MouseEnter() {
  GetPlatform().SetCursor(TCursorShape::crHandPoint);
}
void TIntroForm::Label11MouseEnter() {
  GetPlatform().SetCursor(TCursorShape::crHandPoint);
}
void TIntroForm::Label3MouseLeave() {
  GetPlatform().SetCursor(TCursorShape::crArrow);
}
void TIntroForm::Label11MouseLeave() {
  GetPlatform().SetCursor(TCursorShape::crArrow);
}

}  // namespace karvan
