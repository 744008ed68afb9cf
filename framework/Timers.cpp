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

  Timer fired = *first;
  Message m;
  m.kind = Msg::Timer;
  m.id = fired.id;
  fired.window->Dispatch(m);

  // The handler may have killed or set this timer, or destroyed its window.
  auto it = Find(fired.window, fired.id);
  if (it == timers_.end() || it->generation != fired.generation) return true;
  // On time: the next tick keeps the rhythm. Late (after a sleep, or a real clock that fell
  // a whole period behind): one period from now, without a burst of catch-up ticks.
  bool late = fired.overdueFromSleep || now - fired.due >= fired.period;
  it->due = late ? now + fired.period : fired.due + fired.period;
  if (it->due <= now) it->due = now + (fired.period ? fired.period : 1);
  it->order = nextOrder_++;
  it->overdueFromSleep = false;
  return true;
}

void TimerQueue::AfterSleep(std::uint64_t now) {
  for (Timer& t : timers_)
    if (t.due <= now) t.overdueFromSleep = true;
}
