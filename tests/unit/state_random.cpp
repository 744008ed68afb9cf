#include <gtest/gtest.h>

#include "state/Random.h"

namespace {

// S * M + 1 mod 2^64 worked out from 32-bit halves, a different route than the generator takes.
uint64_t NextState(uint64_t s) {
  const uint64_t sHi = s >> 32, sLo = s & 0xFFFFFFFFu;
  return sLo * 20021 + (((sHi * 20021 + sLo * 5540) & 0xFFFFFFFFu) << 32) + 1;
}

TEST(Random, SequenceOfARun) {
  const uint64_t saved = RandomState();
  SetRandomState(1);
  // By hand: S1 = M + 1, whose upper half is 5540; S2's upper half is 5540 * (20021 + 20022).
  EXPECT_EQ(Random(), 5540);
  EXPECT_EQ(Random(), 221838220);
  EXPECT_EQ(RandomState(), 0x0D38FB8C17E4A52Fu);

  uint64_t s = RandomState();
  bool topBitSeen = false;
  for (int i = 0; i < 1000; ++i) {
    s = NextState(s);
    topBitSeen = topBitSeen || (s >> 63) != 0;
    ASSERT_EQ(Random(), static_cast<int32_t>((s >> 32) & 0x7FFFFFFF)) << "call " << i + 3;
  }
  EXPECT_TRUE(topBitSeen);  // so the cleared top bit was checked

  SetRandomState(UINT64_MAX);
  Random();
  EXPECT_EQ(RandomState(), NextState(UINT64_MAX));
  SetRandomState(saved);
}

}  // namespace
