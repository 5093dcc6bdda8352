// The platform of the desktop program: Qt's clock, event loop, widgets, dialogs and sound.
#pragma once

#include <QElapsedTimer>
#include <QEventLoop>
#include <QString>
#include <QTimer>
#include <memory>

#include "device_widget.h"
#include "engine/platform.h"
#include "figure_cache.h"
#include "sound_player.h"

namespace karvan::desktop {

class QtPlatform : public Platform {
 public:
  // Needs the application object: the recordings are loaded here, ahead of the first sound.
  QtPlatform();
  ~QtPlatform() override;
  QtPlatform(const QtPlatform&) = delete;
  QtPlatform& operator=(const QtPlatform&) = delete;

  std::int64_t GetTickCount() override;
  void PumpMessages() override;
  void NextChangeAt(std::int64_t Tick) override { NextChange = Tick; }
  void PlaySound(std::string_view Name) override;
  void ShowMessage(std::string_view Text) override;
  TOpenResult OpenDocument(std::string_view Target) override;
  std::optional<std::string> ExecuteOpenDialog() override;
  TModalResult ShowModal(TDialogForm& Form) override;
  void ShowDeviceForm(TLCDForm& Form) override;
  void CrystalsChanged(std::span<const int> Changed) override;
  void SetCursor(TCursorShape Shape) override;
  void SetHint(std::string_view Hint) override;
  void PopupMenu(TPopupMenu& Menu, int ScreenX, int ScreenY) override;
  std::string ProgramDirectory() override;

  // The device window of a form, made on first use (ShowDeviceForm also shows it).
  DeviceWidget& Device(TLCDForm& Form);
  DeviceWidget* Device() const { return View.get(); }
  // Closes and frees the device window before its form goes away.
  void ReleaseDevice();

 private:
  QElapsedTimer Clock;
  QEventLoop Loop;
  QElapsedTimer SinceLastPump;  // the game's own work between two pumps
  std::int64_t NextChange = 0;  // what the game last told about its next change
  QTimer Wake;                  // ends a sleep on the event queue at that tick
  FigureCache Figures;
  std::unique_ptr<SoundPlayer> Sounds;
  std::unique_ptr<DeviceWidget> View;
};

// The folder the game opens README.TXT and WHATSNEW.TXT from, for a program in ProgramFolder:
// that folder when the documents are beside the program (a build tree), else the shared data
// folder of an installed program when they are there, else the program's folder.
QString DocumentFolder(const QString& ProgramFolder);

}  // namespace karvan::desktop
