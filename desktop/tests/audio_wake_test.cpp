// The audio thread's sleep: it must end on every wake, however the wake and the sleep
// interleave, and at once when there is work or the device is closing. A lost wake would
// silence a sound for a whole sleep period, so the periods here are long and the checks
// measure that no sleep ran to its end.
#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <thread>

#include "audio_wake.h"

namespace karvan::desktop::test {
namespace {

using Clock = std::chrono::steady_clock;
using namespace std::chrono_literals;

// Far longer than any of the checks may take; a sleep that runs this long is a fault.
constexpr std::chrono::milliseconds Long = 20s;
constexpr auto Prompt = 5s;

TEST(AudioWake, ReturnsAtOnceWhenThereIsWorkOrTheDeviceIsClosing) {
  AudioWake Waker;
  const auto Start = Clock::now();
  Waker.Sleep([] { return true; }, Long);
  Waker.Hold(true);
  Waker.Sleep([] { return false; }, Long);
  Waker.Sleep([] { return false; }, Long);
  EXPECT_LT(Clock::now() - Start, Prompt);
}

TEST(AudioWake, SleepsThePeriodWhenNothingWakesIt) {
  AudioWake Waker;
  const auto Start = Clock::now();
  Waker.Sleep([] { return false; }, 50ms);
  EXPECT_GE(Clock::now() - Start, 50ms);
}

TEST(AudioWake, EveryWakeEndsTheSleepWhateverTheOrder) {
  // The game posts a request and wakes; the audio thread takes it and sleeps again. Many
  // rounds, so that the wake lands before, during and after the sleep's announcement.
  AudioWake Waker;
  std::atomic<int> Posted{0};
  std::atomic<int> Taken{0};
  std::atomic<bool> Quit{false};
  constexpr int Rounds = 20000;
  std::jthread Audio([&] {
    int Seen = 0;
    while (Seen < Rounds && !Quit.load()) {
      Waker.Sleep([&] { return Posted.load() != Seen; }, Long);
      if (Posted.load() != Seen) Taken.store(++Seen);
    }
  });
  for (int Round = 1; Round <= Rounds; ++Round) {
    // Each round gets the whole allowance: on a loaded machine the rounds together take longer,
    // while a lost wake leaves the audio thread asleep for far longer than that.
    const auto Start = Clock::now();
    Posted.store(Round);
    Waker.Wake();
    while (Taken.load() != Round && Clock::now() - Start < Prompt) std::this_thread::yield();
    if (Taken.load() != Round) {
      Quit.store(true);
      Waker.Hold(true);  // let the audio thread finish
      FAIL() << "the wake of round " << Round << " was lost";
    }
  }
  Audio.join();
  // A wake must not be left over to cut the next sleep short either.
  const auto Alone = Clock::now();
  Waker.Sleep([] { return false; }, 50ms);
  EXPECT_GE(Clock::now() - Alone, 50ms);
}

TEST(AudioWake, ClosingEndsASleepInProgress) {
  AudioWake Waker;
  std::atomic<bool> Woke{false};
  std::jthread Audio([&] {
    Waker.Sleep([] { return false; }, Long);
    Woke.store(true);
  });
  std::this_thread::sleep_for(20ms);
  const auto Start = Clock::now();
  Waker.Hold(true);
  while (!Woke.load() && Clock::now() - Start < Prompt) std::this_thread::yield();
  EXPECT_TRUE(Woke.load());
}

}  // namespace
}  // namespace karvan::desktop::test
