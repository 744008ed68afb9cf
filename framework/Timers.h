#pragma once
#include <cstdint>
#include <optional>
#include <vector>

class TWindow;

// Window timers on the desktop's clock. A timer falls due at set time + period and fires once;
// unless its handler set or killed it, it falls due again one period later, counted as set when
// the handler returns. Timers due at the same instant fire in the order their due times were set.
class TimerQueue {
 public:
  void Set(TWindow* window, int id, unsigned periodMs, std::uint64_t now);
  void Kill(TWindow* window, int id);
  void KillAll(TWindow* window);
  bool Exists(const TWindow* window, int id) const;
  std::optional<std::uint64_t> NextDue() const;
  std::optional<std::uint64_t> DueOf(const TWindow* window, int id) const;
  // Fires the first timer due at or before now; false when none is due.
  bool FireNext(std::uint64_t now);
  // While a handler runs: the due time of the tick it was delivered for (the timer's own due time
  // already names the next tick). Empty outside handlers.
  std::optional<std::uint64_t> DeliveredDue() const { return delivered_; }
  // After a blocking sleep: every timer that fell due during it fires once, and then falls due one
  // period after the moment it fired.
  void AfterSleep(std::uint64_t now);

 private:
  struct Timer {
    TWindow* window;
    int id;
    unsigned period;
    std::uint64_t due;
    std::uint64_t order;       // when the due time was set: ties fire first-set first
    std::uint64_t generation;  // changes with every Set, so a handler's re-set is seen
    bool overdueFromSleep;
  };
  std::vector<Timer>::iterator Find(const TWindow* window, int id);
  std::vector<Timer>::const_iterator Find(const TWindow* window, int id) const;
  std::vector<Timer> timers_;
  std::optional<std::uint64_t> delivered_;
  std::uint64_t nextOrder_ = 0;
  std::uint64_t nextGeneration_ = 0;
};
