// The one seam between the game and the outside world. The core reaches the clock, input,
// sound, dialogs and the desktop only through this class; the desktop front end and the
// headless simulator implement it.
#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>

#include "engine/change_watch.h"
#include "engine/types.h"

namespace karvan {

class TDialogForm;
class TLCDForm;
struct TPopupMenu;

// Outcome of handing a document or link to the desktop.
struct TOpenResult {
  bool Ok = true;
  int ErrorCode = 0;      // 0 when nothing more is known
  std::string ErrorText;  // the system's words for ErrorCode
};

class Platform {
 public:
  virtual ~Platform() = default;

  // Monotonic milliseconds; never negative.
  virtual std::int64_t GetTickCount() = 0;

  // Handles every input event that is waiting, delivering it to the device form's handlers,
  // then returns. When nothing is waiting it may yield the processor for a few milliseconds at
  // most, so that waiting loops and an idle game do not keep a core busy.
  virtual void PumpMessages() = 0;

  // Told before every PumpMessages: the earliest tick at which the game can change without
  // input (a step, a blink, the end of a pause, an animation frame); NeverTick when nothing is
  // due, the current tick when the next pass must come at once. A platform may then block in
  // PumpMessages until that tick or the next input, whichever comes first.
  virtual void NextChangeAt(std::int64_t Tick) { static_cast<void>(Tick); }

  // Plays a named recording asynchronously; a new sound cuts off the one playing. A name
  // without a recording sounds the desktop's default beep.
  virtual void PlaySound(std::string_view Name) = 0;

  // A modal message box with the single button "&Ok".
  virtual void ShowMessage(std::string_view Text) = 0;

  // Opens a document (absolute path) or a link with the desktop's default handler. Nothing
  // is ever executed as a program.
  virtual TOpenResult OpenDocument(std::string_view Target) = 0;

  // The standard open-file dialog; the chosen path, or nothing when cancelled.
  virtual std::optional<std::string> ExecuteOpenDialog() = 0;

  // Shows a dialog modally and answers its modal result (also stored in the form).
  virtual TModalResult ShowModal(TDialogForm& Form) = 0;

  // Shows the device window (the first step of the main loop).
  virtual void ShowDeviceForm(TLCDForm& Form) = 0;

  // After Draw: the crystals whose visibility changed.
  virtual void CrystalsChanged(std::span<const int> Changed) = 0;

  // Pointer shape and hint of the device window.
  virtual void SetCursor(TCursorShape Shape) = 0;
  virtual void SetHint(std::string_view Hint) = 0;

  // Pops up the device window's menu at a screen point; a chosen entry's handler runs
  // inside the platform's message handling.
  virtual void PopupMenu(TPopupMenu& Menu, int ScreenX, int ScreenY) = 0;

  // Folder of the program file (documents are looked up relative to it).
  virtual std::string ProgramDirectory() = 0;
};

// The platform the running program uses. The pointer does not own the platform.
void SetPlatform(Platform* Instance);
Platform& GetPlatform();
bool HasPlatform();

// Installs a platform for the lifetime of the scope and restores the previous one.
class PlatformScope {
 public:
  explicit PlatformScope(Platform& Instance);
  ~PlatformScope();
  PlatformScope(const PlatformScope&) = delete;
  PlatformScope& operator=(const PlatformScope&) = delete;

 private:
  Platform* Previous;
};

}  // namespace karvan
