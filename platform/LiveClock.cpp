#include "platform/LiveClock.h"

#include <algorithm>

namespace {
// A tick later than this is a stall (a suspended machine, a stopped process): the game's clock
// stands still through it rather than firing every missed tick at once.
constexpr std::uint64_t kStallMs = 200;
}  // namespace

std::uint64_t LiveClock::GameMs(std::uint64_t realUs) const {
  const std::uint64_t ms = realUs / 1000;
  return ms > pausedMs_ ? ms - pausedMs_ : 0;
}

void LiveClock::Arrived(const InputEvent& event, std::uint64_t realUs) {
  if (keep_ && !keep_(event)) return;
  HoldAt(event, std::max(now_, GameMs(realUs)));
}

void LiveClock::HoldAt(const InputEvent& event, std::uint64_t ms) {
  const auto later = [](std::uint64_t m, const Held& h) { return m < h.ms; };
  held_.insert(std::upper_bound(held_.begin(), held_.end(), ms, later), Held{event, ms});
}

std::optional<InputEvent> LiveClock::Next(std::optional<std::uint64_t> nextDue, std::uint64_t realUs) {
  InputEvent timer;
  timer.kind = InputEvent::Kind::TimerDue;
  // Overdue after a blocking sleep: fires at once, at the time the sleep ended.
  if (nextDue && *nextDue <= now_) return timer;
  const std::uint64_t game = std::max(now_, GameMs(realUs));
  const std::optional<std::uint64_t> input = held_.empty() ? std::nullopt : std::optional(held_.front().ms);
  if (nextDue && *nextDue <= game && (!input || *nextDue <= *input)) {
    if (!input && game - *nextDue > kStallMs) pausedMs_ += game - *nextDue;
    now_ = *nextDue;
    return timer;
  }
  if (input && *input <= game) {
    const InputEvent event = held_.front().event;
    now_ = std::max(now_, *input);
    held_.pop_front();
    return event;
  }
  return std::nullopt;
}

std::optional<std::uint64_t> LiveClock::WakeUs(std::optional<std::uint64_t> nextDue) const {
  std::optional<std::uint64_t> wake = nextDue;
  if (!held_.empty() && (!wake || held_.front().ms < *wake)) wake = held_.front().ms;
  if (!wake) return std::nullopt;
  return RealUs(*wake);
}
