#include <gtest/gtest.h>

#include <string>

#include "app/StatusText.h"

namespace {
const std::string kDayText = "只今の経過日数は";  // 16 bytes
const std::string kDays = "日めです";            // 8 bytes
const std::string kWeight = "釣れた重量 ";       // 11 bytes
}  // namespace

TEST(StatusText, TheWeightAlwaysStartsAtByteThirty) {
  // Day 0: the day text fills bytes 0..24, blanks up to byte 29, the weight from byte 30.
  std::string day0 = StatusText(0, 0.0);
  EXPECT_EQ(day0, kDayText + "0" + kDays + "     " + kWeight + "   0.0 Kg");
  EXPECT_EQ(day0.substr(25, 5), "     ");
  EXPECT_EQ(day0.substr(30, kWeight.size()), kWeight);

  // Two digits leave four blanks between the texts.
  EXPECT_EQ(StatusText(12, 3.25), kDayText + "12" + kDays + "    " + kWeight + "   3.2 Kg");
  EXPECT_EQ(StatusText(7, 1234.56).substr(30), kWeight + "1234.6 Kg");
}

TEST(StatusText, LongDayCountsAreOverwrittenFromByteThirty) {
  // Ten digits: the day text runs to byte 33; the weight text covers its tail.
  std::string big = StatusText(2147483647, 0.0);
  EXPECT_EQ(big, kDayText + "2147483647" + "日め" + kWeight + "   0.0 Kg");
  // Eleven characters put byte 30 inside a double-byte character: its lead byte stays, as written.
  std::string negative = StatusText(-2147483647 - 1, 0.0);
  EXPECT_EQ(negative.substr(0, 30), (kDayText + "-2147483648" + "日め").substr(0, 30));
  EXPECT_EQ(negative.substr(30), kWeight + "   0.0 Kg");
}
