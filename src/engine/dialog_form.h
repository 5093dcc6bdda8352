// Logic of a modal dialog window: caption, client size, modal result and key handling. The
// platform shows it (a widget view on the desktop, scripted answers in the simulator).
#pragma once

#include <string>
#include <utility>

#include "engine/types.h"

namespace karvan {

enum class TDialogKind { Intro, LevelSelect, EndOfLevel };

class TDialogForm {
 public:
  TDialogForm(TDialogKind KindParam, std::string CaptionParam, int Width, int Height)
      : Kind(KindParam),
        Caption(std::move(CaptionParam)),
        ClientWidth(Width),
        ClientHeight(Height) {}
  virtual ~TDialogForm() = default;
  TDialogForm(const TDialogForm&) = delete;
  TDialogForm& operator=(const TDialogForm&) = delete;

  const TDialogKind Kind;
  const std::string Caption;
  const int ClientWidth;
  const int ClientHeight;
  TModalResult ModalResult = TModalResult::mrNone;

  // Escape closes the dialog with Cancel.
  virtual void FormKeyDown(Word& Key, TShiftState) {
    if (Key == VK_ESCAPE) ModalResult = TModalResult::mrCancel;
  }
};

}  // namespace karvan
