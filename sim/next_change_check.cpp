#include "sim/next_change_check.h"

#include <algorithm>
#include <ostream>
#include <streambuf>
#include <utility>
#include <vector>

#include "engine/platform.h"
#include "engine/support.h"
#include "forms/level_select_form.h"
#include "game/karvan_form.h"

namespace karvan::sim {

namespace {

class NullBuffer : public std::streambuf {
 protected:
  int_type overflow(int_type Char) override { return traits_type::not_eof(Char); }
};

class NextChangePlatform : public SimPlatform {
 public:
  using SimPlatform::SimPlatform;

  void NextChangeAt(std::int64_t Tick) override {
    SimPlatform::NextChangeAt(Tick);
    if (Problem) return;
    if (Pending && Deliveries == DeliveriesAtPromise && Clock < PromiseTick) {
      // A desktop would be asleep: this pass would not have run.
      if (Tick < PromiseTick)
        Problem = "at " + std::to_string(Clock) + " ms the game wants a pass at " +
                  (Tick <= Clock ? std::string("once") : std::to_string(Tick) + " ms") +
                  ", but at " + std::to_string(PromiseGiven) + " ms it promised nothing before " +
                  std::to_string(PromiseTick) + " ms";
      return;
    }
    Pending = Tick > Clock + 1;
    if (!Pending) return;
    PromiseTick = Tick;
    PromiseGiven = Clock;
    DeliveriesAtPromise = Deliveries;
    Promises.push_back({Clock, Tick});
  }

  // The ms a desktop would have slept: from each promise to its tick or the next input.
  std::int64_t QuietMs() const {
    std::int64_t Sum = 0;
    for (std::size_t i = 0; i < Promises.size(); ++i) {
      std::int64_t End = Promises[i].second == NeverTick ? Clock : Promises[i].second;
      if (i + 1 < Promises.size()) End = std::min(End, Promises[i + 1].first);
      End = std::min(End, Clock);
      if (End > Promises[i].first + 1) Sum += End - Promises[i].first - 1;
    }
    return Sum;
  }

  std::optional<std::string> Problem;

 private:
  bool Pending = false;
  std::int64_t PromiseTick = 0;
  std::int64_t PromiseGiven = 0;
  int DeliveriesAtPromise = 0;
  std::vector<std::pair<std::int64_t, std::int64_t>> Promises;
};

}  // namespace

TNextChangeRun CheckNextChange(const TScript& Script, const TSimOptions& Options) {
  NullBuffer Discard;
  std::ostream Null(&Discard);
  NextChangePlatform Platform(Script, Options, Null);
  PlatformScope Scope(Platform);
  {
    auto Form = MakeForm<TKarvanForm>();
    Platform.Attach(*Form);
    CreateFormOnce(Form->LevelSelectForm, *Form);
    try {
      Form->Run();
    } catch (const TSimStop&) {
    }
  }
  TNextChangeRun Result;
  Result.Problem = Platform.Problem;
  Result.Time = Platform.Clock;
  Result.QuietMs = Platform.QuietMs();
  return Result;
}

}  // namespace karvan::sim
