// A platform for tests that call the engine directly: a clock the test sets, a pump that
// advances it by 1 ms and runs an optional callback (so waits end and input can arrive in
// the middle of one), and a record of everything the engine asked of the outside world.
#pragma once

#include <cstdint>
#include <filesystem>
#include <functional>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "engine/dialog_form.h"
#include "engine/menu.h"
#include "engine/platform.h"

namespace karvan::test {

class FakePlatform : public Platform {
 public:
  struct TSound {
    std::string Name;
    std::int64_t Time;  // clock when it was asked for
  };
  struct TMenuCall {
    std::vector<std::string> Captions;
    int ScreenX;
    int ScreenY;
  };

  // --- what the test sets ---
  std::int64_t Clock = 0;
  // Runs inside every pump (not inside a pump that the callback itself causes).
  std::function<void()> OnPump;
  // Answers a modal dialog; without it every dialog closes with ModalAnswer.
  std::function<TModalResult(TDialogForm&)> OnShowModal;
  TModalResult ModalAnswer = TModalResult::mrOk;
  // What opening a document answers.
  TOpenResult OpenAnswer;
  std::optional<std::string> OpenDialogAnswer;
  // Runs when a popup menu is shown (a test may pick an entry).
  std::function<void(TPopupMenu&)> OnPopup;

  // --- what the engine did ---
  int Pumps = 0;
  std::vector<TSound> Sounds;
  std::vector<std::string> Messages;
  std::vector<std::string> Documents;
  std::vector<TDialogKind> Dialogs;
  std::vector<std::vector<int>> ChangedCrystals;  // one entry per report
  std::vector<TMenuCall> Menus;
  std::optional<TCursorShape> Cursor;
  std::string Hint;
  int DeviceShown = 0;

  std::vector<std::string> SoundNames() const {
    std::vector<std::string> Names;
    for (const TSound& Sound : Sounds) Names.push_back(Sound.Name);
    return Names;
  }

  std::int64_t GetTickCount() override { return Clock; }

  void PumpMessages() override {
    ++Clock;
    ++Pumps;
    if (OnPump && !InPump) {
      InPump = true;
      OnPump();
      InPump = false;
    }
  }

  void PlaySound(std::string_view Name) override { Sounds.push_back({std::string(Name), Clock}); }
  void ShowMessage(std::string_view Text) override { Messages.emplace_back(Text); }

  TOpenResult OpenDocument(std::string_view Target) override {
    Documents.emplace_back(Target);
    return OpenAnswer;
  }

  std::optional<std::string> ExecuteOpenDialog() override { return OpenDialogAnswer; }

  TModalResult ShowModal(TDialogForm& Form) override {
    Dialogs.push_back(Form.Kind);
    if (OnShowModal) {
      Form.ModalResult = OnShowModal(Form);
    } else {
      Form.ModalResult = ModalAnswer;
    }
    return Form.ModalResult;
  }

  void ShowDeviceForm(TLCDForm&) override { ++DeviceShown; }

  void CrystalsChanged(std::span<const int> Changed) override {
    ChangedCrystals.emplace_back(Changed.begin(), Changed.end());
  }

  void SetCursor(TCursorShape Shape) override { Cursor = Shape; }
  void SetHint(std::string_view Text) override { Hint = Text; }

  void PopupMenu(TPopupMenu& Menu, int ScreenX, int ScreenY) override {
    TMenuCall Call{{}, ScreenX, ScreenY};
    for (const TMenuItem& Item : Menu.Items) Call.Captions.push_back(Item.Caption);
    Menus.push_back(std::move(Call));
    if (OnPopup) OnPopup(Menu);
  }

  std::string ProgramDirectory() override {
    std::error_code Error;
    return std::filesystem::current_path(Error).string();
  }

 private:
  bool InPump = false;
};

}  // namespace karvan::test
