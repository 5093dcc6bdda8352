// The game's recordings, loaded once and played one at a time.
#pragma once

#include <QSoundEffect>
#include <QString>
#include <map>
#include <memory>
#include <string_view>

namespace karvan::desktop {

class SoundPlayer {
 public:
  // Loads every WAV file of the folder; names compare without regard to case.
  explicit SoundPlayer(const QString& Folder = QStringLiteral(":/sounds"));
  ~SoundPlayer();
  SoundPlayer(const SoundPlayer&) = delete;
  SoundPlayer& operator=(const SoundPlayer&) = delete;

  // Plays a recording, cutting off the one playing. A name without a recording sounds the
  // desktop's beep. Without an audio output nothing sounds at all.
  void Play(std::string_view Name);

  bool HasRecording(std::string_view Name) const;
  bool HasAudioOutput() const { return AudioOutput; }

 private:
  bool AudioOutput = false;
  std::map<QString, std::unique_ptr<QSoundEffect>> Effects;
  QSoundEffect* Playing = nullptr;
  std::map<QString, bool> Known;  // names of the recordings, also without an audio output
};

}  // namespace karvan::desktop
