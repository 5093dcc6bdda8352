#include "forms/level_select_form.h"

#include "engine/lcd_form.h"
#include "engine/platform.h"
#include "engine/support.h"

namespace karvan {

TLevelSelectForm::TLevelSelectForm(TLCDForm& DeviceParam)
    : TDialogForm(TDialogKind::LevelSelect, "Choose level", 145, 126), Device(DeviceParam) {
  BitBtn2 = {"BitBtn2", 11, 10, 124, 25, "&Load custom level", false};
  Label1 = {"Label1", 32, 42, 0, 0, "or select a level"};
  BitBtn1 = {"BitBtn1", 35, 96, 75, 25, "&Ok", true};
}

void TLevelSelectForm::BitBtn1Click() {
  Device.FreeLevel();
  ModalResult = TModalResult::mrOk;
}

void TLevelSelectForm::BitBtn2Click() {
  if (Device.OnLoadCustomLevel) Device.OnLoadCustomLevel();
  ModalResult = TModalResult::mrOk;
}

int ChooseLevel(TLCDForm& Device) {
  CreateFormOnce(Device.LevelSelectForm, Device);
  TLevelSelectForm& Form = *Device.LevelSelectForm;

  std::string Setting;
  ReadSetting("LEVEL", "", Setting);
  int Index = StrToIntLoose(Setting) - 1;
  if (Index < 0 || Index > 23) Index = 0;

  Form.LevelCombo.clear();
  for (int Nr = 1; Nr <= 24; ++Nr) {
    std::string Text;
    IntToStrPad(0, Text, Nr);
    Form.LevelCombo.push_back("Level " + Text);
  }
  Form.ItemIndex = Index;

  const TModalResult Result = GetPlatform().ShowModal(Form);
  const int Chosen = Result == TModalResult::mrOk ? Form.ItemIndex + 1 : 0;
  FreeForm(Device.LevelSelectForm);
  return Chosen;
}

}  // namespace karvan
