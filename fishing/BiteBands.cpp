#include "fishing/BiteBands.h"

#include <climits>

namespace {
// One row of a band: a roll of at least minRoll (and at most maxRoll) whose remainder is k.
struct BandRow {
  int minRoll;
  int maxRoll;
  int k;  // -1: any remainder
  int pattern;
};

// The more bait in the water, the bigger the fish a roll brings. At most one row of a band holds.
struct Band {
  int fromThrown;
  int toThrown;
  int modulus;
  BandRow rows[6];
};

constexpr int kAny = -1;
constexpr BandRow AtLeast(int roll, int k, int pattern) { return {roll, INT_MAX, k, pattern}; }
constexpr BandRow Exactly(int roll, int pattern) { return {roll, roll, kAny, pattern}; }
constexpr int M = kMasterPattern;

constexpr Band kBands[] = {
    {0, 199, 3, {AtLeast(10, 0, 1), AtLeast(10, 1, 2), AtLeast(10, 2, 3), Exactly(1, 11)}},
    {200, 499, 5, {AtLeast(10, 0, 1), AtLeast(10, 1, 2), AtLeast(10, 2, 3), AtLeast(2, 3, 11), AtLeast(3, 4, 12)}},
    {500, 999, 4, {AtLeast(20, 0, 1), AtLeast(20, 1, 2), AtLeast(4, 2, 11), AtLeast(4, 3, 12)}},
    {1000, 1999, 6,
     {AtLeast(20, 0, 1), AtLeast(15, 1, 11), AtLeast(15, 2, 12), AtLeast(6, 3, 22), AtLeast(6, 4, 23),
      AtLeast(6, 5, 24)}},
    {2000, 2999, 4, {AtLeast(4, 0, 22), AtLeast(4, 1, 23), AtLeast(4, 2, 24), AtLeast(8, 3, M)}},
    {3000, 3999, 3, {AtLeast(3, 0, 23), AtLeast(3, 1, 24), AtLeast(3, 2, M)}},
    {4000, INT_MAX, 2, {AtLeast(6, 0, 24), AtLeast(4, 1, M)}},
};
}  // namespace

int PatternForRoll(int baitThrownSoFar, int roll, bool masterMayBite) {
  for (const Band& band : kBands) {
    if (baitThrownSoFar < band.fromThrown || baitThrownSoFar > band.toThrown) continue;
    const int k = roll % band.modulus;
    for (const BandRow& row : band.rows) {
      if (row.pattern == 0) break;
      if (roll < row.minRoll || roll > row.maxRoll || (row.k != kAny && row.k != k)) continue;
      if (row.pattern == kMasterPattern && !masterMayBite) continue;
      return row.pattern;
    }
    return 0;
  }
  return 0;
}
