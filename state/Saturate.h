#pragma once
#include <algorithm>
#include <cstdint>
#include <limits>

// Money, levels and counters may come from a save file with any value, so arithmetic on them
// saturates at the int32 limits instead of overflowing.

constexpr int32_t SaturateToInt32(int64_t value) {
  return static_cast<int32_t>(std::clamp<int64_t>(value, std::numeric_limits<int32_t>::min(),
                                                  std::numeric_limits<int32_t>::max()));
}

namespace saturate_detail {
// Any |b| beyond this already saturates against an int32 a, and keeps a + b and a * b inside int64.
constexpr int64_t kOperandLimit = (int64_t{1} << 32) - 1;
constexpr int64_t Bound(int64_t b) { return std::clamp(b, -kOperandLimit, kOperandLimit); }
}  // namespace saturate_detail

constexpr int32_t SaturatingAdd(int32_t a, int64_t b) {
  return SaturateToInt32(int64_t{a} + saturate_detail::Bound(b));
}

constexpr int32_t SaturatingSub(int32_t a, int64_t b) {
  return SaturateToInt32(int64_t{a} - saturate_detail::Bound(b));
}

constexpr int32_t SaturatingMul(int32_t a, int64_t b) {
  return SaturateToInt32(int64_t{a} * saturate_detail::Bound(b));
}
