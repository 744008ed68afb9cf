#include <gtest/gtest.h>

#include "platform/LiveClock.h"

namespace {
using K = InputEvent::Kind;
constexpr std::uint64_t Ms(std::uint64_t ms) { return ms * 1000; }  // real time is in microseconds

InputEvent Click() {
  InputEvent e;
  e.kind = K::MouseDown;
  e.point = {10, 20};
  return e;
}
}  // namespace

TEST(LiveClock, ALateTickSeesItsDueTimeAsNow) {
  LiveClock clock;
  EXPECT_FALSE(clock.Next(15, Ms(14)));
  EXPECT_EQ(*clock.WakeUs(15), Ms(15));
  std::optional<InputEvent> e = clock.Next(15, Ms(40));
  ASSERT_TRUE(e);
  EXPECT_EQ(e->kind, K::TimerDue);
  EXPECT_EQ(clock.Now(), 15u);
}

TEST(LiveClock, AnInputWaitsForEveryTimerDueByItsMillisecond) {
  LiveClock clock;
  clock.Arrived(Click(), Ms(50));
  // Timers due at 15 and 30 fire first, at their own times; one due at 51 waits for the input.
  for (std::uint64_t due : {15u, 30u}) {
    std::optional<InputEvent> e = clock.Next(due, Ms(52));
    ASSERT_TRUE(e);
    EXPECT_EQ(e->kind, K::TimerDue);
    EXPECT_EQ(clock.Now(), due);
  }
  std::optional<InputEvent> e = clock.Next(51, Ms(52));
  ASSERT_TRUE(e);
  EXPECT_EQ(e->kind, K::MouseDown);
  EXPECT_EQ(clock.Now(), 50u);
}

TEST(LiveClock, ARecordedInputComesWhenRealTimeReachesItsMillisecond) {
  LiveClock clock;
  clock.HoldAt(Click(), 100);
  EXPECT_FALSE(clock.Next(std::nullopt, Ms(99)));
  EXPECT_EQ(*clock.WakeUs(std::nullopt), Ms(100));
  ASSERT_TRUE(clock.Next(std::nullopt, Ms(100)));
  EXPECT_EQ(clock.Now(), 100u);
}

TEST(LiveClock, ABlockingSleepMovesTheGameOnByItsLengthAndOverdueTimersFireThen) {
  LiveClock clock;
  clock.Slept(500);
  EXPECT_EQ(clock.Now(), 500u);
  ASSERT_TRUE(clock.Next(100, Ms(503)));
  EXPECT_EQ(clock.Now(), 500u);
}

TEST(LiveClock, ThroughAStallTheGameStandsStill) {
  LiveClock clock;
  ASSERT_TRUE(clock.Next(15, Ms(10'015)));  // ten seconds stopped
  EXPECT_EQ(clock.Now(), 15u);
  // The next tick is not ten seconds overdue: the game goes on from where it stopped.
  EXPECT_FALSE(clock.Next(30, Ms(10'020)));
  clock.Arrived(Click(), Ms(10'025));
  ASSERT_TRUE(clock.Next(std::nullopt, Ms(10'025)));
  EXPECT_EQ(clock.Now(), 25u);
}
