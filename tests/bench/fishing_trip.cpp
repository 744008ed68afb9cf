// A whole tournament trip, headless: 20 minutes of virtual time played by a fixed strategy, with
// every timer tick, bite step, fight picture, catch result window and status text drawn.
#include <benchmark/benchmark.h>

#include <optional>

#include "fishing/Turistart.h"
#include "fishing/TripVariables.h"
#include "framework/Desktop.h"
#include "framework/Dialog.h"
#include "framework/MessageBox.h"
#include "platform/HeadlessPlatform.h"
#include "state/GameState.h"
#include "state/ProcessValues.h"
#include "state/Random.h"
#include "state/Reset.h"

namespace {
// No screen: the windows draw as in the game, but no one composes the screen to show it.
class ScreenlessPlatform : public HeadlessPlatform {
 public:
  using HeadlessPlatform::HeadlessPlatform;
  bool WantsFrames() const override { return false; }
};
// As a real window: the screen is composed whenever something changed.
class ComposingPlatform : public HeadlessPlatform {
 public:
  using HeadlessPlatform::HeadlessPlatform;
  bool WantsFrames() const override { return true; }
};

constexpr int kCast = 111, kLure = 112, kStrike = 113, kLift = 114, kResultOk = 116;
constexpr std::uint64_t kLookEveryMs = 10;  // the player looks at the float a hundred times a second

// Strikes whenever a strike would hook something, lures a settled float now and then, lifts a
// bare hook, casts again, and dismisses result windows; answers the box at the end.
struct Angler {
  TDialog* trip = nullptr;
  int lures = 0;

  std::optional<InputEvent> Next(HeadlessPlatform& platform) {
    Desktop& desktop = Desktop::Get();
    if (desktop.TopmostMessageBox()) return Event(InputEvent::Kind::AnswerBox, nullptr, IDOK);
    if (auto* result = dynamic_cast<TDialog*>(desktop.TopLevels().back()); result && result != trip)
      return Event(InputEvent::Kind::Command, result, kResultOk);
    if (busyAction == 0 && actionState == 0) {
      if (castPhase == 0) return Command(kCast);
      if (castPhase == 2 && strikeWindow != 0) return Command(kStrike);
      if (castPhase == 2 && baitOnHook == 0 && biteType == 0) return Command(kLift);
      if (castPhase == 2 && biteType == 0 && baitOnHook > 20 && ++lures % 50 == 0) return Command(kLure);
    }
    platform.BeginWait(kLookEveryMs);
    return std::nullopt;
  }
  std::optional<InputEvent> Command(int id) { return Event(InputEvent::Kind::Command, trip, id); }
  static InputEvent Event(InputEvent::Kind kind, TWindow* target, int id) {
    InputEvent e;
    e.kind = kind;
    e.target = target;
    e.id = id;
    return e;
  }
};

void PrepareGame() {
  ResetGameState();
  gameState.equipped[1] = 4;  // carbon rod: 100 ms to strike
  gameState.equipped[2] = 2;
  gameState.equipped[3] = 1;
  gameState.equipped[4] = 1;
  gameState.equipped[5] = 3;
  gameState.items[61].owned = 1;
  gameState.items[63].owned = 1;
  selectedWater = 11;  // a tournament on 丸湖
  creelCount = 0;
  SetRandomState(1);
}

template <class ThePlatform>
void TournamentTrip(benchmark::State& state) {
  std::int64_t virtualMs = 0;
  int fish = 0;
  for (auto _ : state) {
    PrepareGame();
    Angler angler;
    ThePlatform platform([&angler](HeadlessPlatform& p) { return angler.Next(p); });
    Desktop::Get().Install(platform, {600, 443});
    {
      TTuristart trip(nullptr, 7);
      angler.trip = &trip;
      trip.Execute();
    }
    virtualMs += static_cast<std::int64_t>(platform.Now());
    fish += creelCount;
    Desktop::Get().Uninstall();
  }
  const double seconds = static_cast<double>(virtualMs) / 1000.0;
  state.counters["virtual_s"] = benchmark::Counter(seconds, benchmark::Counter::kAvgIterations);
  state.counters["fish"] = benchmark::Counter(fish, benchmark::Counter::kAvgIterations);
  // Virtual seconds played per second of real time: the ratio to real time.
  state.counters["x_real_time"] = benchmark::Counter(seconds, benchmark::Counter::kIsRate);
}
// The game's own work: every handler and every picture it draws into its windows.
void BM_TournamentTrip(benchmark::State& state) { TournamentTrip<ScreenlessPlatform>(state); }
// The same, with the whole screen composed after every turn of the loop as for a real window.
void BM_TournamentTripComposingTheScreen(benchmark::State& state) { TournamentTrip<ComposingPlatform>(state); }
BENCHMARK(BM_TournamentTrip)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_TournamentTripComposingTheScreen)->Unit(benchmark::kMillisecond);
}  // namespace

BENCHMARK_MAIN();
