// The game's recordings, decoded once and played one at a time through one output stream that
// stays open while the game runs.
#pragma once

#include <QString>
#include <atomic>
#include <chrono>
#include <cstddef>
#include <cstdint>
#include <map>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "audio_wake.h"

namespace karvan::desktop {

class AudioOutput;

class SoundPlayer {
 public:
  // Every recording is converted to this one format, so the stream never has to change.
  static constexpr int Rate = 44100;
  static constexpr int Channels = 2;
  // Frames the output asks for at a time: small, so that a sound starts within a few ms.
  static constexpr int BufferFrames = 512;

  // Decodes every WAV file of the folder (names compare without regard to case) and opens the
  // audio output. Without an audio device the player stays silent; a file that cannot be
  // decoded is named once on stderr and counts as missing.
  explicit SoundPlayer(const QString& Folder = QStringLiteral(":/sounds"));
  ~SoundPlayer();
  SoundPlayer(const SoundPlayer&) = delete;
  SoundPlayer& operator=(const SoundPlayer&) = delete;

  // Plays a recording from its first sample to its last, cutting off the one playing. A name
  // without a recording sounds the desktop's beep. Never waits for the audio output.
  void Play(std::string_view Name);

  bool HasRecording(std::string_view Name) const;
  // The decoded recording (interleaved frames in the output format); empty for unknown names.
  const std::vector<std::int16_t>& Samples(std::string_view Name) const;
  // True while an output stream is open; a lost server is retried now and then.
  bool HasAudioOutput() const;
  // The audio driver in use and the buffer it gave, for logs and tests ("" without output).
  std::string OutputDescription() const;

 private:
  // Silent buffers handed out after a sound before the audio thread sleeps: the one that ends
  // the sound is on its way to the server by then, and one more covers the device's buffer.
  static constexpr int QuietBuffersBeforeSleep = 2;
  // The sleeping audio thread still wakes this often, so that the audio library notices a
  // server that went away (and the output is reopened) without waiting for the next sound.
  static constexpr std::chrono::milliseconds SleepPeriod{1000};

  // Runs on the audio thread: the recording asked for last, or silence.
  static void Fill(void* User, std::uint8_t* Stream, int Length);

  std::vector<std::vector<std::int16_t>> Recordings;
  std::map<std::string, std::size_t> Index;  // lower-case name -> recording

  // Written by Play, read by the audio thread: a serial number (so that the same recording
  // asked for again starts again) above the recording's number plus one, 0 for silence.
  std::atomic<std::uint64_t> Request{0};
  std::uint64_t Serial = 0;
  // The audio thread's own state.
  std::uint64_t Heard = 0;
  std::size_t Current = 0;  // recording number plus one, 0 for silence
  std::size_t Position = 0;
  int QuietBuffers = 0;  // silent buffers handed out since the last sound ended

  AudioWake Waker;  // before Output, which holds it while closing
  std::unique_ptr<AudioOutput> Output;
};

}  // namespace karvan::desktop
