// Lets the audio thread sleep while there is nothing to play, so that an open output stream
// costs a waiting game next to nothing, and wakes it the moment there is something.
#pragma once

#include <atomic>
#include <chrono>
#include <semaphore>

namespace karvan::desktop {

class AudioWake {
 public:
  // Audio thread only. Sleeps until Wake, until Hold(true), or until the period has passed,
  // unless HasWork already says there is work. HasWork is asked after the sleep is announced,
  // so a Wake that comes at any moment is never lost.
  template <class Predicate>
  void Sleep(Predicate&& HasWork, std::chrono::milliseconds Period) {
    Sleeping.store(true);
    if (!Holding.load() && !HasWork() && Signal.try_acquire_for(Period)) {
      return;  // the Wake that released us also took the announcement back
    }
    // Take the announcement back; if a Wake took it first, its release is on the way, and
    // it must be taken now so that the next sleep is not cut short by it.
    if (!Sleeping.exchange(false)) Signal.acquire();
  }

  // Any thread. Never waits: at most one release per announced sleep.
  void Wake() {
    if (Sleeping.exchange(false)) Signal.release();
  }

  // While held, Sleep returns at once: the device is being closed, and closing waits for its
  // thread.
  void Hold(bool On) {
    Holding.store(On);
    if (On) Wake();
  }

 private:
  std::binary_semaphore Signal{0};
  std::atomic<bool> Sleeping{false};
  std::atomic<bool> Holding{false};
};

}  // namespace karvan::desktop
