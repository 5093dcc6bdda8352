// What the game loop knows about when it can next change without input. Time tests that
// answer "not yet" note the tick at which their answer would turn; anything that changes the
// game's state notes that the next pass must come at once. The core hands the result to the
// platform before every pump, so that a desktop can sleep until then or until input comes.
#pragma once

#include <cstdint>
#include <limits>

namespace karvan {

inline constexpr std::int64_t NeverTick = std::numeric_limits<std::int64_t>::max();

class TChangeWatch {
 public:
  void NoteDue(std::int64_t Tick) {
    if (Tick < Due) Due = Tick;
  }
  void NoteActivity() {
    Active = true;
    ++Activities;
  }
  // How often activity was noted so far: what a change of the game's state always notes, so an
  // observer may take an unchanged count for an unchanged game.
  std::uint64_t ActivityCount() const { return Activities; }

  // For a pump of the game's loops: the earliest tick at which a pass could change anything
  // without input, from what was noted since the last such pump; Current (at once) when
  // something changed in this or the previous stretch, since a change may let the next pass act
  // at the same tick. Starts a new stretch.
  std::int64_t Take(std::int64_t Current) {
    const std::int64_t Result = Active || WasActive ? Current : Due;
    WasActive = Active;
    Active = false;
    Due = NeverTick;
    return Result;
  }
  // For one part of a pass that must know the ticks noted while it ran (a frame keeps them, to
  // know until when it stays valid): starts a nested stretch and returns the due tick noted
  // before it; EndNested gives the nested stretch's own due tick and keeps both for the pump.
  std::int64_t BeginNested() {
    const std::int64_t Outer = Due;
    Due = NeverTick;
    return Outer;
  }
  std::int64_t EndNested(std::int64_t Outer) {
    const std::int64_t Inner = Due;
    if (Outer < Due) Due = Outer;
    return Inner;
  }
  // Everything noted so far, to be put back after work that changes nothing anyone can see
  // (making a figure object that stands for one not yet made).
  struct TNoted {
    std::int64_t Due;
    bool Active;
    bool WasActive;
    std::uint64_t Activities;
  };
  TNoted Noted() const { return {Due, Active, WasActive, Activities}; }
  void Restore(const TNoted& Was) {
    Due = Was.Due;
    Active = Was.Active;
    WasActive = Was.WasActive;
    Activities = Was.Activities;
  }
  // For a pump of a plain wait, which runs no pass until Until: what the interrupted pass noted
  // is kept for the pump after the wait.
  static std::int64_t TakeWaiting(std::int64_t Until) { return Until; }

 private:
  std::int64_t Due = NeverTick;
  bool Active = true;
  bool WasActive = true;
  std::uint64_t Activities = 0;
};

// The one watch of the running program.
inline TChangeWatch ChangeWatch;

}  // namespace karvan
