// The information window: title, credits, what the game is, the controls and "&Play".
#pragma once

#include <vector>

#include "engine/dialog_form.h"
#include "forms/form_parts.h"

namespace karvan {

// Where the credit links lead.
inline constexpr const char* TeamWebAddress = "https://karvan-mirk.example/";
inline constexpr const char* TeamMailAddress = "team@karvan-mirk.example";

class TIntroForm : public TDialogForm {
 public:
  TIntroForm();

  TImagePart Image1;
  std::vector<TLabelPart> Labels;
  TMemoPart Memo1;
  TMemoPart Memo2;
  TButtonPart BitBtn1;

  // Link labels: Label3 mails the team, Label11 opens the team's web page.
  void Label3Click();
  void Label11Click();
  void Label3MouseEnter();
  void Label11MouseEnter();
  void Label3MouseLeave();
  void Label11MouseLeave();
};

}  // namespace karvan
