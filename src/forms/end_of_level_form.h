// The closing window shown when the last level has been passed.
#pragma once

#include <vector>

#include "engine/dialog_form.h"
#include "forms/form_parts.h"

namespace karvan {

class TEndOfLevelForm : public TDialogForm {
 public:
  TEndOfLevelForm();

  TImagePart Image1;
  std::vector<TLabelPart> Labels;
  TButtonPart BitBtn1;

  void Label3Click();
  void Label3MouseEnter();
  void Label3MouseLeave();

  // The closing window has no Escape handling of its own.
  void FormKeyDown(Word&, TShiftState) override {}
};

}  // namespace karvan
