// Plays the game's recordings through the desktop's sound player on a fixed timetable and
// prints when each was asked for, so that a recording of the sound server's output can be
// checked against it:
//
//   karvan-sound-check            every recording once, a point count, two cut sounds
//   karvan-sound-check --idle S   keeps the stream open, silent, for S seconds
//
// Output lines: "output DESCRIPTION", then "play NAME MS" (ms since the first call), "done".
#include <QApplication>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <thread>
#include <vector>

#include "sound_player.h"

namespace {
using Clock = std::chrono::steady_clock;
using karvan::desktop::SoundPlayer;

struct Call {
  std::string Name;
  int AfterMs;  // after the previous call
};

int LengthMs(const SoundPlayer& Sounds, const std::string& Name) {
  return static_cast<int>(Sounds.Samples(Name).size() / SoundPlayer::Channels * 1000 /
                          SoundPlayer::Rate);
}

std::vector<Call> Timetable(const SoundPlayer& Sounds) {
  const std::vector<std::string> All = {"WVBONUS",     "WVCOIN",     "WVDEATH",     "WVDEATHENEMY",
                                        "WVDEFEND",    "WVGAMEOVER", "WVLEVEL",     "WVMOVE",
                                        "WVMOVEENEMY", "WVSCORE",    "WVUNLOCKEXIT"};
  std::vector<Call> Calls;
  int Gap = 0;
  // Each one whole, with a quarter second of silence after it.
  for (const std::string& Name : All) {
    Calls.push_back({Name, Gap});
    Gap = LengthMs(Sounds, Name) + 250;
  }
  // Points counted into the score: one short sound every 110 ms.
  for (int I = 0; I < 10; ++I) {
    Calls.push_back({"WVSCORE", Gap});
    Gap = 110;
  }
  // A new sound cuts a long one, and a short one cuts a sound that has barely started.
  Calls.push_back({"WVLEVEL", 400});
  Calls.push_back({"WVMOVE", 300});
  Calls.push_back({"WVDEATH", 400});
  Calls.push_back({"WVBONUS", 100});
  Calls.push_back({"", 400});  // the end
  return Calls;
}
}  // namespace

int main(int argc, char* argv[]) {
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  const QApplication App(argc, argv);
  const QStringList Arguments = QCoreApplication::arguments();
  SoundPlayer Sounds;
  if (!Sounds.HasAudioOutput()) {
    std::fprintf(stderr, "karvan-sound-check: no audio output\n");
    return 1;
  }
  std::printf("output %s\n", Sounds.OutputDescription().c_str());
  std::fflush(stdout);

  if (Arguments.size() == 3 && Arguments[1] == QStringLiteral("--idle")) {
    std::this_thread::sleep_for(std::chrono::seconds(Arguments[2].toInt()));
    std::printf("done\n");
    return 0;
  }

  const std::vector<Call> Calls = Timetable(Sounds);
  for (const Call& Each : Calls) {
    if (!Each.Name.empty() && !Sounds.HasRecording(Each.Name)) {
      std::fprintf(stderr, "karvan-sound-check: no recording %s\n", Each.Name.c_str());
      return 1;
    }
  }
  // Give the stream a moment to start before the first sound.
  std::this_thread::sleep_for(std::chrono::milliseconds(300));
  Clock::time_point Due = Clock::now();
  Clock::time_point First{};
  for (const Call& Each : Calls) {
    Due += std::chrono::milliseconds(Each.AfterMs);
    std::this_thread::sleep_until(Due);
    if (Each.Name.empty()) break;
    const Clock::time_point Now = Clock::now();
    if (First == Clock::time_point{}) First = Now;
    Sounds.Play(Each.Name);
    const auto Ms = std::chrono::duration<double, std::milli>(Now - First).count();
    std::printf("play %s %.1f\n", Each.Name.c_str(), Ms);
    std::fflush(stdout);
  }
  std::printf("done\n");
  return 0;
}
