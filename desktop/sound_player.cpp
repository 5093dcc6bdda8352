#include "sound_player.h"

#include <SDL.h>

#include <pthread.h>
#include <sched.h>
#include <QApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <algorithm>
#include <chrono>
#include <condition_variable>
#include <cstdio>
#include <cstring>
#include <mutex>
#include <stop_token>
#include <thread>

namespace karvan::desktop {

namespace {
std::string Key(std::string_view Name) {
  std::string Lower(Name);
  std::transform(Lower.begin(), Lower.end(), Lower.begin(),
                 [](unsigned char C) { return static_cast<char>(std::tolower(C)); });
  return Lower;
}

// Frees what SDL hands out.
struct WavDeleter {
  void operator()(Uint8* Buffer) const { SDL_FreeWAV(Buffer); }
};

// Decodes a WAV file held in memory into the output format; empty when it is no WAV file.
std::vector<std::int16_t> Decode(const QByteArray& Bytes) {
  SDL_RWops* Source = SDL_RWFromConstMem(Bytes.constData(), static_cast<int>(Bytes.size()));
  if (Source == nullptr) return {};
  SDL_AudioSpec Spec{};
  Uint8* Raw = nullptr;
  Uint32 Length = 0;
  if (SDL_LoadWAV_RW(Source, 1, &Spec, &Raw, &Length) == nullptr) return {};
  const std::unique_ptr<Uint8, WavDeleter> Wav(Raw);
  // SDL_AudioCVT converts the whole recording in one go. (SDL 2.26's SDL_AudioStream keeps back
  // the last 23 ms when it changes the rate, which leaves some of our recordings a stub.)
  SDL_AudioCVT Convert{};
  if (SDL_BuildAudioCVT(&Convert, Spec.format, Spec.channels, static_cast<int>(Spec.freq),
                        AUDIO_S16SYS, SoundPlayer::Channels, SoundPlayer::Rate) < 0)
    return {};
  std::vector<Uint8> Buffer(static_cast<std::size_t>(Length) *
                            static_cast<std::size_t>(Convert.len_mult));
  std::memcpy(Buffer.data(), Wav.get(), Length);
  Convert.buf = Buffer.data();
  Convert.len = static_cast<int>(Length);
  if (SDL_ConvertAudio(&Convert) != 0) return {};
  std::vector<std::int16_t> Samples(static_cast<std::size_t>(Convert.len_cvt) /
                                    sizeof(std::int16_t) / SoundPlayer::Channels *
                                    SoundPlayer::Channels);
  std::memcpy(Samples.data(), Buffer.data(), Samples.size() * sizeof(std::int16_t));
  return Samples;
}
// libasound reports a machine without a sound card on stderr, eight lines at every start. For
// the game that is silence, not an error, so its reports go nowhere: the handler is set in the
// library's one instance, which stays loaded while the audio library may use it.
void SilentAlsa(const char* /*File*/, int /*Line*/, const char* /*Function*/, int /*Error*/,
                const char* /*Format*/, ...) {}

struct LibraryUnloader {
  void operator()(void* Library) const { SDL_UnloadObject(Library); }
};
using Library = std::unique_ptr<void, LibraryUnloader>;

Library SilenceAlsa() {
  using Handler = void (*)(const char*, int, const char*, int, const char*, ...);
  using SetHandler = int (*)(Handler);
  Library Alsa(SDL_LoadObject("libasound.so.2"));
  if (Alsa == nullptr) {
    SDL_ClearError();  // no ALSA on this machine: nothing to silence
    return Alsa;
  }
  if (void* Set = SDL_LoadFunction(Alsa.get(), "snd_lib_error_set_handler"))
    reinterpret_cast<SetHandler>(Set)(&SilentAlsa);
  return Alsa;
}
}  // namespace

// One SDL output device, opened once and kept running. When the sound server goes away the
// device stops; a watcher thread then tries the same driver again every few seconds, quietly,
// so that the sound comes back when the server does. Only this class calls SDL's audio
// functions after the recordings are decoded, and only the thread that holds Lock.
class AudioOutput {
 public:
  AudioOutput(SDL_AudioCallback Callback, void* User, AudioWake& Waker)
      : Callback(Callback), User(User), Waker(Waker) {
    // The game's own event loop handles signals; SDL is here for its audio only.
    SDL_SetHint(SDL_HINT_NO_SIGNAL_HANDLERS, "1");
    SDL_SetHint(SDL_HINT_AUDIO_DEVICE_APP_NAME, "Karvan Mirk");
    SDL_SetHint(SDL_HINT_AUDIO_DEVICE_STREAM_NAME, "Karvan Mirk");
    Alsa = SilenceAlsa();
    if (SDL_InitSubSystem(SDL_INIT_AUDIO) != 0) return;
    Initialised = true;
    const std::scoped_lock Guard(Lock);
    if (const char* Name = SDL_GetCurrentAudioDriver()) Driver = Name;
    // No device at start: a machine without sound. Nothing is retried, nothing is reported.
    if (!OpenDevice()) return;
    Watcher = std::jthread([this](std::stop_token Stop) { Watch(Stop); });
  }

  ~AudioOutput() {
    if (Watcher.joinable()) {
      Watcher.request_stop();
      Watcher.join();
    }
    const std::scoped_lock Guard(Lock);
    CloseDevice();
    if (Initialised) SDL_QuitSubSystem(SDL_INIT_AUDIO);
  }

  AudioOutput(const AudioOutput&) = delete;
  AudioOutput& operator=(const AudioOutput&) = delete;

  bool IsOpen() const { return Open.load(std::memory_order_acquire); }

  std::string Describe() const {
    const std::scoped_lock Guard(Lock);
    if (!IsOpen()) return {};
    return Driver + ", " + std::to_string(Obtained.freq) + " Hz, " +
           std::to_string(Obtained.samples) + " frames a buffer";
  }

 private:
  static constexpr auto RetryPeriod = std::chrono::seconds(2);

  bool OpenDevice() {
    SDL_AudioSpec Wanted{};
    Wanted.freq = SoundPlayer::Rate;
    Wanted.format = AUDIO_S16SYS;
    Wanted.channels = SoundPlayer::Channels;
    Wanted.samples = SoundPlayer::BufferFrames;
    Wanted.callback = Callback;
    Wanted.userdata = User;
    // No changes allowed: SDL converts should the device want another format, so the decoded
    // recordings stay valid across a reopen.
    Device = SDL_OpenAudioDevice(nullptr, 0, &Wanted, &Obtained, 0);
    if (Device == 0) return false;
    SDL_PauseAudioDevice(Device, 0);
    Open.store(true, std::memory_order_release);
    return true;
  }

  // Closing waits for the device's thread, which may be asleep in the callback.
  void CloseDevice() {
    if (Device == 0) return;
    Waker.Hold(true);
    SDL_CloseAudioDevice(Device);
    Waker.Hold(false);
    Device = 0;
  }

  void Watch(const std::stop_token& Stop) {
    std::mutex Sleep;
    std::condition_variable_any Wake;
    std::unique_lock Sleeping(Sleep);
    while (!Stop.stop_requested()) {
      Wake.wait_for(Sleeping, Stop, RetryPeriod, [] { return false; });
      if (Stop.stop_requested()) break;
      const std::scoped_lock Guard(Lock);
      if (SDL_GetAudioDeviceStatus(Device) == SDL_AUDIO_PLAYING) continue;
      Open.store(false, std::memory_order_release);
      CloseDevice();
      // Start the driver afresh: its connection to the server died with the server.
      if (SDL_AudioInit(Driver.c_str()) == 0) OpenDevice();
    }
  }

  SDL_AudioCallback Callback;
  void* User;
  AudioWake& Waker;
  Library Alsa;  // unloaded after the audio subsystem has quit
  bool Initialised = false;
  mutable std::mutex Lock;
  std::string Driver;
  SDL_AudioDeviceID Device = 0;
  SDL_AudioSpec Obtained{};
  std::atomic<bool> Open{false};
  std::jthread Watcher;  // last: stopped before the rest goes away
};

SoundPlayer::SoundPlayer(const QString& Folder) {
  const QDir Dir(Folder);
  for (const QFileInfo& File : Dir.entryInfoList({QStringLiteral("*.wav")}, QDir::Files)) {
    QFile Source(File.filePath());
    std::vector<std::int16_t> Samples;
    if (Source.open(QIODevice::ReadOnly)) Samples = Decode(Source.readAll());
    if (Samples.empty()) {
      std::fprintf(stderr, "karvan-mirk: cannot decode the recording %s\n",
                   qPrintable(File.filePath()));
      continue;
    }
    Index[Key(File.completeBaseName().toStdString())] = Recordings.size();
    Recordings.push_back(std::move(Samples));
  }
  // The recordings are complete before the audio thread can look at them.
  Output = std::make_unique<AudioOutput>(&SoundPlayer::Fill, this, Waker);
}

SoundPlayer::~SoundPlayer() = default;

bool SoundPlayer::HasRecording(std::string_view Name) const {
  return Index.count(Key(Name)) != 0;
}

const std::vector<std::int16_t>& SoundPlayer::Samples(std::string_view Name) const {
  static const std::vector<std::int16_t> None;
  const auto Found = Index.find(Key(Name));
  return Found == Index.end() ? None : Recordings[Found->second];
}

bool SoundPlayer::HasAudioOutput() const {
  return Output->IsOpen();
}

std::string SoundPlayer::OutputDescription() const {
  return Output->Describe();
}

void SoundPlayer::Play(std::string_view Name) {
  const auto Found = Index.find(Key(Name));
  if (Found == Index.end()) {
    QApplication::beep();
    return;
  }
  ++Serial;
  Request.store((Serial << 16) | (Found->second + 1), std::memory_order_release);
  Waker.Wake();
}

void SoundPlayer::Fill(void* User, std::uint8_t* Stream, int Length) {
  // The server keeps only a few ms queued ahead of the speaker, so an audio thread that a busy
  // machine holds up for longer lets the sound break up. Where the system grants real-time
  // scheduling to the game, the thread takes it, just below the sound server's own threads; it
  // sleeps while nothing plays and fills a buffer in microseconds. Elsewhere it keeps the
  // priority the audio library gave it. Once for every thread the library starts.
  thread_local bool Scheduled = false;
  if (!Scheduled) {
    Scheduled = true;
    sched_param Priority{};
    Priority.sched_priority = sched_get_priority_min(SCHED_FIFO) + 3;
    pthread_setschedparam(pthread_self(), SCHED_FIFO, &Priority);
  }
  auto& Self = *static_cast<SoundPlayer*>(User);
  std::uint64_t Wanted = Self.Request.load(std::memory_order_acquire);
  if (Wanted == Self.Heard && Self.Current == 0) {
    // Nothing to play. Once the end of the last sound has been handed over and the device's
    // buffer after it, the thread sleeps inside the callback: the stream then runs dry, which
    // the server takes calmly, instead of being fed silence every few milliseconds. The server
    // starts it again with the first buffer written after the wake, so nothing is lost.
    if (Self.QuietBuffers < QuietBuffersBeforeSleep) {
      ++Self.QuietBuffers;
    } else {
      Self.Waker.Sleep(
          [&Self] { return Self.Request.load(std::memory_order_acquire) != Self.Heard; },
          SleepPeriod);
      Wanted = Self.Request.load(std::memory_order_acquire);
    }
  }
  if (Wanted != Self.Heard) {
    // A new sound cuts the one playing.
    Self.Heard = Wanted;
    Self.Current = static_cast<std::size_t>(Wanted & 0xffff);
    Self.Position = 0;
    Self.QuietBuffers = 0;
  }
  const std::size_t Bytes = static_cast<std::size_t>(Length);
  std::size_t Done = 0;
  if (Self.Current != 0) {
    const std::vector<std::int16_t>& Samples = Self.Recordings[Self.Current - 1];
    const std::size_t Left = (Samples.size() - Self.Position) * sizeof(std::int16_t);
    Done = std::min(Bytes, Left);
    std::memcpy(Stream, Samples.data() + Self.Position, Done);
    Self.Position += Done / sizeof(std::int16_t);
    if (Self.Position == Samples.size()) Self.Current = 0;
  }
  std::memset(Stream + Done, 0, Bytes - Done);
}

}  // namespace karvan::desktop
