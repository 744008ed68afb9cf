#include <string>
#include <vector>

#include "framework/Window.h"
#include "tests/unit/DesktopFixture.h"

namespace {
struct Tick {
  int id;
  std::uint64_t at;
  friend bool operator==(const Tick&, const Tick&) = default;
};

// A window that records its timer ticks and can act inside a handler.
class TTicker : public TWindow {
 public:
  TTicker() : TWindow(nullptr, "ticker") {}
  DECLARE_RESPONSE_TABLE(TTicker);
  void EvTimer(int id) {
    ticks.push_back({id, Desktop::Get().Now()});
    if (onTick) onTick(id);
  }
  std::vector<Tick> ticks;
  std::function<void(int)> onTick;
};
DEFINE_RESPONSE_TABLE(TTicker, TWindow, RT::Timer(&TTicker::EvTimer))

using TimerTest = DesktopTest;
}  // namespace

TEST_F(TimerTest, PeriodicTimersKeepTheirRhythmAndTiesFireInSetOrder) {
  TTicker w;
  w.Create();
  w.SetTimer(2, 20);
  w.SetTimer(1, 10);
  ThenWait(40);
  RunSteps();
  // At 20 and 40 both are due: timer 2 was set first, then after each firing the due time that was
  // set earliest goes first.
  std::vector<Tick> want{{1, 10}, {2, 20}, {1, 20}, {1, 30}, {2, 40}, {1, 40}};
  EXPECT_EQ(w.ticks, want);
  EXPECT_EQ(Now(), 40u);
}

TEST_F(TimerTest, SettingOrKillingInTheHandlerWins) {
  TTicker w;
  w.Create();
  w.SetTimer(1, 100);
  w.SetTimer(2, 30);
  w.onTick = [&](int id) {
    if (id == 1) w.SetTimer(1, 7);  // a new period from now
    if (id == 2 && w.ticks.size() >= 2) w.KillTimer(2);
  };
  ThenWait(120);
  RunSteps();
  std::vector<Tick> want{{2, 30}, {2, 60}, {1, 100}, {1, 107}, {1, 114}};
  EXPECT_EQ(w.ticks, want);
}

TEST_F(TimerTest, SleepDelaysTimersAndEachFiresOnceAfterIt) {
  TTicker w;
  w.Create();
  w.SetTimer(1, 10);
  w.SetTimer(2, 1000);
  w.onTick = [&](int id) {
    if (id == 1 && w.ticks.size() == 1) Desktop::Get().Sleep(35);  // timer 1 falls due 3 times meanwhile
  };
  ThenWait(60);
  RunSteps();
  // The sleep starts at 10 and ends at 45; timer 1 fires once at 45, then one period after that.
  std::vector<Tick> want{{1, 10}, {1, 45}, {1, 55}};
  EXPECT_EQ(w.ticks, want);
}

TEST_F(TimerTest, DestroyedWindowsLoseTheirTimers) {
  auto* w = new TTicker;
  w->Create();
  w->SetTimer(1, 5);
  w->onTick = [&](int) { w->Destroy(); };
  ThenWait(30);
  RunSteps();
  EXPECT_EQ(w->ticks.size(), 1u);
  EXPECT_FALSE(Desktop::Get().Timers().Exists(w, 1));
  delete w;
}

TEST_F(TimerTest, AHandlerThatOpensABoxIsNotCalledAgainForTheSameTick) {
  TTicker w;
  w.Create();
  w.SetTimer(1, 100);
  w.onTick = [&](int) {
    if (w.ticks.size() == 1) {
      ThenWait(250);
      ThenAnswer(IDOK);
      MessageBox(&w, "box", "c", MB_OK);  // the timer keeps ticking under it, once a period
    }
  };
  ThenWait(100);
  ThenWait(150);
  RunSteps();
  std::vector<Tick> want{{1, 100}, {1, 200}, {1, 300}, {1, 400}, {1, 500}};
  EXPECT_EQ(w.ticks, want);
}

// The real clock can be late: the queue is fed the times a slow machine would deliver.
namespace {
class TRecorder : public TWindow {
 public:
  TRecorder() : TWindow(nullptr, "recorder") {}
  DECLARE_RESPONSE_TABLE(TRecorder);
  void EvTimer(int id) {
    fired.push_back(id);
    if (onTick) onTick(id);
  }
  std::vector<int> fired;
  std::function<void(int)> onTick;
};
DEFINE_RESPONSE_TABLE(TRecorder, TWindow, RT::Timer(&TRecorder::EvTimer))
}  // namespace

TEST(TimerQueueLateClock, ATickLessThanAPeriodLateKeepsTheNextOnTheGrid) {
  TimerQueue q;
  TRecorder w;
  q.Set(&w, 1, 10, 0);
  EXPECT_FALSE(q.FireNext(9));
  EXPECT_TRUE(q.FireNext(17));  // 7 ms late
  EXPECT_EQ(q.DueOf(&w, 1), 20u);
  EXPECT_FALSE(q.FireNext(19));
  EXPECT_TRUE(q.FireNext(20));
  EXPECT_EQ(q.DueOf(&w, 1), 30u);
}

TEST(TimerQueueLateClock, ATickAWholePeriodLateFiresOnceAndRestartsFromThen) {
  TimerQueue q;
  TRecorder w;
  q.Set(&w, 1, 10, 0);
  EXPECT_TRUE(q.FireNext(35));  // due at 10, 20 and 30 meanwhile: one tick, no burst
  EXPECT_FALSE(q.FireNext(35));
  EXPECT_EQ(q.DueOf(&w, 1), 45u);
  EXPECT_EQ(w.fired.size(), 1u);
}

TEST(TimerQueueLateClock, TheRearmCountsAsSetWhenTheHandlerReturns) {
  TimerQueue q;
  TRecorder w;
  q.Set(&w, 1, 10, 0);
  // Timer 1's handler sets timer 2 to fall due together with timer 1's next tick: timer 1's re-arm
  // counts after it, so timer 2 goes first at 20, even though the tick came late.
  w.onTick = [&](int id) {
    if (id == 1 && w.fired.size() == 1) q.Set(&w, 2, 8, 12);
  };
  EXPECT_TRUE(q.FireNext(12));
  EXPECT_EQ(q.DueOf(&w, 1), 20u);
  EXPECT_EQ(q.DueOf(&w, 2), 20u);
  EXPECT_TRUE(q.FireNext(25));
  EXPECT_TRUE(q.FireNext(25));
  EXPECT_EQ(w.fired, (std::vector<int>{1, 2, 1}));
}

TEST(TimerQueueLateClock, ALateClockFiresOverdueTimersInDueOrderOneAtATime) {
  TimerQueue q;
  TRecorder w;
  q.Set(&w, 1, 30, 0);
  q.Set(&w, 2, 10, 0);
  q.Set(&w, 3, 20, 0);
  for (int i = 0; i < 3; ++i) EXPECT_TRUE(q.FireNext(31));
  EXPECT_EQ(w.fired, (std::vector<int>{2, 3, 1}));
  // Timer 2 was 21 ms late (more than its period): it starts again from 31; timer 3 was 11 ms
  // late, less than its period, and stays on its grid; timer 1 was 1 ms late.
  EXPECT_EQ(q.DueOf(&w, 2), 41u);
  EXPECT_EQ(q.DueOf(&w, 3), 40u);
  EXPECT_EQ(q.DueOf(&w, 1), 60u);
}

TEST_F(TimerTest, AHandlerKnowsTheDueTimeOfTheTickItWasDeliveredFor) {
  // A tick delayed by a blocking sleep shows its lateness; a tick delivered inside a nested
  // handler does not change the outer one's.
  TTicker w;
  w.Create();
  struct Seen {
    int id;
    std::uint64_t due, at;
    bool operator==(const Seen&) const = default;
  };
  std::vector<Seen> seen;
  w.onTick = [&](int id) {
    seen.push_back({id, *Desktop::Get().Timers().DeliveredDue(), Desktop::Get().Now()});
    if (id == 1 && seen.size() == 1) Desktop::Get().Sleep(250);
    if (id == 1 && seen.size() == 2) {
      w.SetTimer(2, 5);
      Desktop::Get().RunLoop([&] { return seen.size() == 3; });
      seen.push_back({id, *Desktop::Get().Timers().DeliveredDue(), Desktop::Get().Now()});
    }
  };
  w.SetTimer(1, 100);
  ThenWait(400);
  RunSteps();
  w.KillTimer(1);
  ASSERT_GE(seen.size(), 4u);
  EXPECT_EQ(seen[0], (Seen{1, 100, 100}));
  EXPECT_EQ(seen[1], (Seen{1, 200, 350}));  // due at 200, delivered after the sleep
  EXPECT_EQ(seen[2], (Seen{2, 355, 355}));
  EXPECT_EQ(seen[3], (Seen{1, 200, 355}));
  EXPECT_FALSE(Desktop::Get().Timers().DeliveredDue().has_value());
}
