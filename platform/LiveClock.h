#pragma once
#include <cstdint>
#include <deque>
#include <functional>
#include <optional>

#include "framework/Platform.h"

// The clock of a real window: the runner's virtual clock, advanced by the real one, so that a game
// played live and its inputs replayed by the runner at their milliseconds run alike. A timer's
// handler sees its due time as now however late the tick is delivered; an input is handled at the
// millisecond it was read, after every timer due at or before it (the runner's wait, then input).
// Real time is the platform's, in microseconds from its start.
class LiveClock {
 public:
  // The game's time: it moves only when the loop is handed a timer or an input.
  std::uint64_t Now() const { return now_; }
  // An input read from the OS at realUs. Before it is held, the filter (when set) may drop it.
  void Arrived(const InputEvent& event, std::uint64_t realUs);
  // An input to be handled at the game millisecond ms (a record played back), once real time is there.
  void HoldAt(const InputEvent& event, std::uint64_t ms);
  // What the loop handles next at realUs: a timer due by then (and not after the first held input),
  // else that input once its millisecond has come; nothing when the platform must wait.
  std::optional<InputEvent> Next(std::optional<std::uint64_t> nextDue, std::uint64_t realUs);
  // Where the platform's wait ends at the latest (real microseconds): nothing to wait for when empty.
  std::optional<std::uint64_t> WakeUs(std::optional<std::uint64_t> nextDue) const;
  // A blocking sleep of ms: the game's time moves on by exactly that.
  void Slept(unsigned ms) { now_ += ms; }
  // Decides which OS inputs are held; the others are dropped (a replay keeps only its own keys).
  void SetFilter(std::function<bool(const InputEvent&)> keep) { keep_ = std::move(keep); }

 private:
  std::uint64_t GameMs(std::uint64_t realUs) const;
  std::uint64_t RealUs(std::uint64_t ms) const { return (ms + pausedMs_) * 1000; }

  std::uint64_t now_ = 0;
  std::uint64_t pausedMs_ = 0;  // real time the game's clock stood still (stalls)
  struct Held {
    InputEvent event;
    std::uint64_t ms;
  };
  std::deque<Held> held_;  // in the order of their milliseconds
  std::function<bool(const InputEvent&)> keep_;
};
