// What brings a bite: the bands of bait thrown in, the roll, the master fish's presence, and the
// float that sinks to the bait's depth.
#include <string>

#include "fishing/BiteBands.h"
#include "fishing/BiteTimer.h"
#include "fishing/FloatTimer.h"
#include "tests/unit/FishingFixture.h"

namespace {
// The pattern each roll 0..29 brings, "." for none, "M" for the master fish.
std::string Rolls(int thrown, bool masterMayBite) {
  std::string s;
  for (int roll = 0; roll < 30; ++roll) {
    const int pattern = PatternForRoll(thrown, roll, masterMayBite);
    s += (roll ? " " : "") + (pattern == 0 ? std::string(".") : pattern == kMasterPattern ? "M" : std::to_string(pattern));
  }
  return s;
}

TEST(BiteBands, EachBandOfBaitThrownBringsItsFish) {
  struct BandCase {
    int from, to;
    const char* rolls;
  } bands[] = {
      {0, 199, ". 11 . . . . . . . . 2 3 1 2 3 1 2 3 1 2 3 1 2 3 1 2 3 1 2 3"},
      {200, 499, ". . . 11 12 . . . 11 12 1 2 3 11 12 1 2 3 11 12 1 2 3 11 12 1 2 3 11 12"},
      {500, 999, ". . . . . . 11 12 . . 11 12 . . 11 12 . . 11 12 1 2 11 12 1 2 11 12 1 2"},
      {1000, 1999, ". . . . . . . . . 22 23 24 . . . 22 23 24 . 11 12 22 23 24 1 11 12 22 23 24"},
      {2000, 2999, ". . . . 22 23 24 . 22 23 24 M 22 23 24 M 22 23 24 M 22 23 24 M 22 23 24 M 22 23"},
      {3000, 3999, ". . . 23 24 M 23 24 M 23 24 M 23 24 M 23 24 M 23 24 M 23 24 M 23 24 M 23 24 M"},
      {4000, 2147483647, ". . . . . M 24 M 24 M 24 M 24 M 24 M 24 M 24 M 24 M 24 M 24 M 24 M 24 M"},
  };
  for (const BandCase& band : bands) {
    EXPECT_EQ(Rolls(band.from, true), band.rolls) << band.from;
    EXPECT_EQ(Rolls(band.to, true), band.rolls) << band.to;
    // Where the master fish is gone, its rolls bring nothing.
    std::string without = band.rolls;
    for (char& c : without)
      if (c == 'M') c = '.';
    EXPECT_EQ(Rolls(band.from, false), without) << band.from;
  }
}

class BiteTickTest : public FishingTest {};

TEST_F(BiteTickTest, TheMasterBitesOnlyWhereItLivesOrInATournament) {
  struct MasterCase {
    int selected;
    int present;  // nushiPresent of every water
    bool bites;
  } cases[] = {
      {1, 1, true}, {0, 1, true}, {5, 0, false}, {1, 2, false},  // a damaged flag is not a master
      {11, 0, true}, {15, 0, true},                              // tournaments always have one
      {16, 1, false}, {-1, 1, false},                            // no such water
  };
  for (const MasterCase& c : cases) {
    selectedWater = c.selected;
    for (uint8_t& flag : gameState.nushiPresent) flag = static_cast<uint8_t>(c.present);
    int masters = 0;
    for (int i = 0; i < 300; ++i) {
      castPhase = 2;
      baitOnHook = 50;
      baitThrown = 4500;
      biteType = biteStep = 0;
      BiteTick(dialog);
      masters += biteType == kMasterPattern;
    }
    EXPECT_EQ(masters > 0, c.bites) << "selectedWater " << c.selected << " present " << c.present;
  }
}

TEST_F(BiteTickTest, AMasterFirstStepThatAbandonsIsFollowedByOneMore) {
  baitThrown = 4500;
  baitOnHook = 10;  // too little for a big fish to start
  for (int i = 0; i < 300 && biteType != kMasterPattern; ++i) {
    biteType = 0;
    BiteTick(dialog);
  }
  ASSERT_EQ(biteType, kMasterPattern);
  EXPECT_EQ(biteStep, 0);
  BiteTick(dialog);
  EXPECT_EQ(biteType, 0);
}

class FloatTickTest : public FishingTest {};

TEST_F(FloatTickTest, TheBaitSinksToItsDepthThenDissolvesAtItsPace) {
  struct BaitCase {
    int bait, sinkTicks, dissolveMs, rollRange;
  } cases[] = {{0, 81, 5000, 30}, {1, 31, 5000, 30}, {2, 81, 2000, 30}, {3, 81, 1000, 30}, {4, 81, 500, 10}};
  for (const BaitCase& c : cases) {
    Equip(1, 1, 1, 1, c.bait);
    castPhase = 1;
    baitOnHook = baitThrown = 0;
    int ticks = 0;
    while (castPhase == 1 && ticks < 200) {
      FloatTick(dialog);
      ++ticks;
    }
    EXPECT_EQ(ticks, c.sinkTicks) << "bait " << c.bait;
    // The settling tick already dissolves one unit.
    EXPECT_EQ(baitOnHook, c.sinkTicks - 2) << "bait " << c.bait;
    EXPECT_EQ(baitThrown, 1) << "bait " << c.bait;
    EXPECT_EQ(dialog.timers[kFloatTimer], c.dissolveMs) << "bait " << c.bait;
    EXPECT_EQ(biteRollRange, c.rollRange) << "bait " << c.bait;
  }
}
}  // namespace
