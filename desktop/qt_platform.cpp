#include "qt_platform.h"

#include <QApplication>
#include <QCoreApplication>
#include <QDesktopServices>
#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QFileInfo>
#include <QMessageBox>
#include <QPushButton>
#include <QThread>
#include <QUrl>
#include <algorithm>
#include <cerrno>
#include <system_error>

#include "dialog_view.h"
#include "engine/lcd_form.h"
#include "level_file_argument.h"
#include "menu_view.h"

namespace karvan::desktop {

namespace {
QString ToQString(std::string_view Text) {
  return QString::fromUtf8(Text.data(), static_cast<qsizetype>(Text.size()));
}

// "mailto:..." or "https://..." rather than a file: a scheme of two or more letters.
bool IsLink(const QString& Target) {
  const QUrl Url(Target);
  return Url.isValid() && Url.scheme().size() >= 2;
}
}  // namespace

QtPlatform::QtPlatform() : Sounds(std::make_unique<SoundPlayer>()) {
  Clock.start();
  Wake.setSingleShot(true);
  Wake.setTimerType(Qt::PreciseTimer);
}

QtPlatform::~QtPlatform() = default;

std::int64_t QtPlatform::GetTickCount() {
  return Clock.elapsed();
}

void QtPlatform::PumpMessages() {
  // A waiting game must not keep a core busy. When the game can change nothing before a later
  // tick, sleep on the event queue until that tick or the next input, whichever comes first (at
  // most a second at a time). Otherwise, when nothing was waiting, give the processor away for a
  // millisecond, or longer when the game's own work since the last pump was long, but never
  // more than 4 ms: the game's timers count milliseconds.
  constexpr std::int64_t LongestSleepMs = 1000;
  const qint64 BusyUs = SinceLastPump.isValid() ? SinceLastPump.nsecsElapsed() / 1000 : 0;
  if (!Loop.processEvents(QEventLoop::AllEvents)) {
    const std::int64_t Now = Clock.elapsed();
    if (NextChange > Now + 1) {
      Wake.start(static_cast<int>(std::min(NextChange - Now, LongestSleepMs)));
      Loop.processEvents(QEventLoop::WaitForMoreEvents);
      Wake.stop();
    } else {
      QThread::usleep(static_cast<unsigned long>(std::clamp<qint64>(BusyUs * 20, 1000, 4000)));
    }
  }
  SinceLastPump.restart();
}

void QtPlatform::PlaySound(std::string_view Name) {
  Sounds->Play(Name);
}

void QtPlatform::ShowMessage(std::string_view Text) {
  QMessageBox Box(View.get());
  Box.setWindowTitle(QGuiApplication::applicationDisplayName());
  Box.setText(ToQString(Text));
  QPushButton* Ok = Box.addButton(QStringLiteral("&Ok"), QMessageBox::AcceptRole);
  Box.setDefaultButton(Ok);
  Box.setEscapeButton(Ok);
  Box.exec();
}

TOpenResult QtPlatform::OpenDocument(std::string_view Target) {
  const QString Text = ToQString(Target);
  QUrl Url;
  if (IsLink(Text)) {
    Url = QUrl(Text);
  } else {
    if (!QFileInfo::exists(Text)) return {false, ENOENT, std::generic_category().message(ENOENT)};
    Url = QUrl::fromLocalFile(Text);
  }
  if (QDesktopServices::openUrl(Url)) return {};
  return {false, ENOEXEC, "No application is set up to open it"};
}

std::optional<std::string> QtPlatform::ExecuteOpenDialog() {
  const QString File =
      QFileDialog::getOpenFileName(View.get(), QString(), QString(), LevelFileFilter());
  if (File.isEmpty()) return std::nullopt;
  // The name as the file system spells it, whatever its letters.
  return QFile::encodeName(File).toStdString();
}

TModalResult QtPlatform::ShowModal(TDialogForm& Form) {
  DialogView Dialog(Form, View.get());
  return Dialog.Execute();
}

DeviceWidget& QtPlatform::Device(TLCDForm& Form) {
  if (!View) View = std::make_unique<DeviceWidget>(Form, Figures);
  return *View;
}

void QtPlatform::ReleaseDevice() {
  View.reset();
}

void QtPlatform::ShowDeviceForm(TLCDForm& Form) {
  Device(Form).ShowDevice();
}

void QtPlatform::CrystalsChanged(std::span<const int> Changed) {
  if (View) View->CrystalsChanged(Changed);
}

void QtPlatform::SetCursor(TCursorShape Shape) {
  if (View) View->SetCursorShape(Shape);
}

void QtPlatform::SetHint(std::string_view Hint) {
  if (View) View->SetHint(Hint);
}

void QtPlatform::PopupMenu(TPopupMenu& Menu, int ScreenX, int ScreenY) {
  const std::unique_ptr<QMenu> Popup = BuildMenu(Menu, View.get());
  RunChoice(Menu, Popup->exec(QPoint(ScreenX, ScreenY)));
}

std::string QtPlatform::ProgramDirectory() {
  return DocumentFolder(QCoreApplication::applicationDirPath()).toStdString();
}

QString DocumentFolder(const QString& ProgramFolder) {
  const QDir Program(ProgramFolder);
  // An installed program keeps its documents in the shared data folder (from bin/ to
  // share/karvan-mirk, as the install rules place them); a program in a build tree has its
  // own copies beside it, and those win.
  const QDir Shared(Program.filePath(QStringLiteral(KARVAN_DOCUMENTS_FROM_PROGRAM)));
  if (!Program.exists(QStringLiteral("README.TXT")) && Shared.exists(QStringLiteral("README.TXT")))
    return QDir::cleanPath(Shared.absolutePath());
  return QDir::cleanPath(Program.absolutePath());
}

}  // namespace karvan::desktop
