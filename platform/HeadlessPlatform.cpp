#include "platform/HeadlessPlatform.h"

InputEvent HeadlessPlatform::WaitEvent(std::optional<std::uint64_t> nextDue) {
  while (true) {
    if (!queued_.empty()) {
      InputEvent e = queued_.front();
      queued_.pop_front();
      return e;
    }
    // Timers overdue after a blocking sleep fire at once.
    if (nextDue && *nextDue <= now_) {
      InputEvent e;
      e.kind = InputEvent::Kind::TimerDue;
      return e;
    }
    if (waitUntil_) {
      if (nextDue && *nextDue <= *waitUntil_) {
        now_ = *nextDue;
        InputEvent e;
        e.kind = InputEvent::Kind::TimerDue;
        return e;
      }
      now_ = *waitUntil_;
      waitUntil_.reset();
    }
    if (std::optional<InputEvent> e = source_(*this)) return *e;
  }
}
