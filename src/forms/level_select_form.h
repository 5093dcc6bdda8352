// The level choice shown before every game: load a custom level file or pick one of the 24
// built-in levels.
#pragma once

#include <string>
#include <vector>

#include "engine/dialog_form.h"
#include "forms/form_parts.h"

namespace karvan {

class TLCDForm;

class TLevelSelectForm : public TDialogForm {
 public:
  explicit TLevelSelectForm(TLCDForm& DeviceParam);

  TLCDForm& Device;
  TButtonPart BitBtn2;
  TLabelPart Label1;
  TButtonPart BitBtn1;
  // The drop-down list: its entries and the selected one.
  std::vector<std::string> LevelCombo;
  int ItemIndex = -1;

  // "&Ok": the chosen built-in level is built afresh, even after a custom level was loaded.
  void BitBtn1Click();
  // "&Load custom level": the device window loads a file; the choice closes with OK whatever
  // came of it.
  void BitBtn2Click();
};

// Shows the level choice; the chosen level number 1..24, or 0 when cancelled.
int ChooseLevel(TLCDForm& Device);

}  // namespace karvan
