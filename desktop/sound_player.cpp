#include "sound_player.h"

#include <QApplication>
#include <QAudioDevice>
#include <QDir>
#include <QFileInfo>
#include <QMediaDevices>
#include <QUrl>

namespace karvan::desktop {

namespace {
QString Key(std::string_view Name) {
  return QString::fromUtf8(Name.data(), static_cast<qsizetype>(Name.size())).toLower();
}
}  // namespace

SoundPlayer::SoundPlayer(const QString& Folder) {
  AudioOutput = !QMediaDevices::audioOutputs().isEmpty();
  const QDir Dir(Folder);
  for (const QFileInfo& File : Dir.entryInfoList({QStringLiteral("*.wav")}, QDir::Files)) {
    const QString Name = File.completeBaseName().toLower();
    Known[Name] = true;
    // Without an output device the effects would only complain on every play.
    if (!AudioOutput) continue;
    auto Effect = std::make_unique<QSoundEffect>();
    const QString Path = File.filePath();
    Effect->setSource(Path.startsWith(':') ? QUrl(QStringLiteral("qrc") + Path)
                                           : QUrl::fromLocalFile(Path));
    Effects[Name] = std::move(Effect);
  }
}

SoundPlayer::~SoundPlayer() = default;

bool SoundPlayer::HasRecording(std::string_view Name) const {
  return Known.count(Key(Name)) != 0;
}

void SoundPlayer::Play(std::string_view Name) {
  if (!AudioOutput) return;
  if (Playing != nullptr) {
    Playing->stop();
    Playing = nullptr;
  }
  const auto Found = Effects.find(Key(Name));
  if (Found == Effects.end()) {
    QApplication::beep();
    return;
  }
  Playing = Found->second.get();
  Playing->play();
}

}  // namespace karvan::desktop
