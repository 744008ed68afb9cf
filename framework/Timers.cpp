#include "framework/Timers.h"

#include <algorithm>

#include "framework/Window.h"

std::vector<TimerQueue::Timer>::iterator TimerQueue::Find(const TWindow* window, int id) {
  return std::find_if(timers_.begin(), timers_.end(),
                      [&](const Timer& t) { return t.window == window && t.id == id; });
}

std::vector<TimerQueue::Timer>::const_iterator TimerQueue::Find(const TWindow* window, int id) const {
  return std::find_if(timers_.begin(), timers_.end(),
                      [&](const Timer& t) { return t.window == window && t.id == id; });
}

void TimerQueue::Set(TWindow* window, int id, unsigned periodMs, std::uint64_t now) {
  Timer t{window, id, periodMs, now + periodMs, nextOrder_++, nextGeneration_++, false};
  auto it = Find(window, id);
  if (it != timers_.end())
    *it = t;
  else
    timers_.push_back(t);
}

void TimerQueue::Kill(TWindow* window, int id) {
  auto it = Find(window, id);
  if (it != timers_.end()) timers_.erase(it);
}

void TimerQueue::KillAll(TWindow* window) {
  std::erase_if(timers_, [&](const Timer& t) { return t.window == window; });
}

bool TimerQueue::Exists(const TWindow* window, int id) const { return Find(window, id) != timers_.end(); }

std::optional<std::uint64_t> TimerQueue::DueOf(const TWindow* window, int id) const {
  auto it = Find(window, id);
  if (it == timers_.end()) return std::nullopt;
  return it->due;
}

std::optional<std::uint64_t> TimerQueue::NextDue() const {
  std::optional<std::uint64_t> due;
  for (const Timer& t : timers_)
    if (!due || t.due < *due) due = t.due;
  return due;
}

bool TimerQueue::FireNext(std::uint64_t now) {
  auto first = timers_.end();
  for (auto it = timers_.begin(); it != timers_.end(); ++it)
    if (it->due <= now && (first == timers_.end() || it->due < first->due ||
                           (it->due == first->due && it->order < first->order)))
      first = it;
  if (first == timers_.end()) return false;

  // The next due time is set before the handler runs, so a nested loop inside it (a message box)
  // does not fire the same tick again, yet keeps the timer ticking one period on.
  const Timer fired = *first;
  bool late = fired.overdueFromSleep || now - fired.due >= fired.period;
  std::uint64_t next = late ? now + fired.period : fired.due + fired.period;
  if (next <= now) next = now + (fired.period ? fired.period : 1);
  first->due = next;
  first->order = nextOrder_++;
  first->overdueFromSleep = false;

  Message m;
  m.kind = Msg::Timer;
  m.id = fired.id;
  // A nested loop in the handler may deliver other ticks; this one's due time comes back after.
  const std::optional<std::uint64_t> outer = delivered_;
  delivered_ = fired.due;
  fired.window->Dispatch(m);
  delivered_ = outer;

  // The handler may have killed or set this timer, destroyed its window, or let it fire again in a
  // nested loop; otherwise its next due time counts as set now, after whatever the handler set.
  auto it = Find(fired.window, fired.id);
  if (it != timers_.end() && it->generation == fired.generation && it->due == next) it->order = nextOrder_++;
  return true;
}

void TimerQueue::AfterSleep(std::uint64_t now) {
  for (Timer& t : timers_)
    if (t.due <= now) t.overdueFromSleep = true;
}
