#include <gtest/gtest.h>

#include <algorithm>
#include <climits>
#include <cstddef>
#include <cstring>
#include <fstream>
#include <iterator>
#include <vector>
#include <string>

#include "state/Catalog.h"
#include "state/ProcessValues.h"
#include "state/Reset.h"
#include "state/Saturate.h"

namespace {

// Restores a process-wide value's bytes at the end of a test, so other tests see it unchanged.
template <class T>
class Keep {
 public:
  explicit Keep(T& value) : value_(value) { std::memcpy(saved_, &value, sizeof(T)); }
  ~Keep() { std::memcpy(static_cast<void*>(&value_), saved_, sizeof(T)); }

 private:
  T& value_;
  unsigned char saved_[sizeof(T)];
};

struct KeepGlobals {
  Keep<GameState> state{gameState};
  Keep<decltype(creel)> creelEntries{creel};
  Keep<int32_t> count{creelCount}, trip{tripLevel}, water{selectedWater};
  Keep<decltype(nushiCaughtToday)> caught{nushiCaughtToday};
};

// A save file laid out by hand from the record's byte offsets (tests/fixtures/saved-game.py): its
// bytes read into the record land in the fields they are meant for.
TEST(GameStateLayout, ASavedFilesBytesLandInTheirFields) {
  std::ifstream in(TAVO2_SOURCE_DIR "/tests/fixtures/saved-game.dat", std::ios::binary);
  std::vector<char> bytes{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
  ASSERT_EQ(bytes.size(), sizeof(GameState));
  GameState s;
  std::memcpy(static_cast<void*>(&s), bytes.data(), sizeof s);
  EXPECT_EQ(std::vector<int>(std::begin(s.equipped), std::end(s.equipped)), (std::vector<int>{9, 5, 3, 2, 1, 4, 8}));
  EXPECT_EQ(s.reserved7, 0x77);
  EXPECT_EQ(std::vector<int>(std::begin(s.nushiPresent), std::end(s.nushiPresent)), (std::vector<int>{1, 0, 1, 0, 1, 0}));
  EXPECT_EQ(std::vector<int>(std::begin(s.nushiHeld), std::end(s.nushiHeld)), (std::vector<int>{0, 1, 0, 1, 0, 1}));
  EXPECT_EQ(int32_t{s.bestLevel}, 12);
  EXPECT_EQ(int32_t{s.money}, 123456789);
  const TackleItem& rod = s.items[15];
  EXPECT_EQ(rod.owned, 1);
  EXPECT_EQ(int32_t{rod.price}, 200);
  EXPECT_EQ(int32_t{rod.sellPrice}, -7);
  EXPECT_EQ(ItemLine(rod, 0), "  品名：生竹");
  EXPECT_EQ(ItemLine(rod, 1), "abc");
  EXPECT_EQ(rod.reservedTail, 0x5A);
  EXPECT_EQ(s.items[14].owned, 0);
  EXPECT_EQ(s.items[69].reservedTail, 0xEE);
  EXPECT_EQ(int32_t{s.dayCount}, 41);
  EXPECT_EQ(int32_t{s.tournamentLevel}, -3);
}

TEST(ItemLine, StopsAtNulOrFieldEnd) {
  TackleItem item{};
  std::memcpy(item.lines[0], "abc", 4);
  std::memset(item.lines[1], 'x', kItemLineBytes);  // unterminated, as a crafted file may have it
  item.lines[2][0] = 'y';
  EXPECT_EQ(ItemLine(item, 0), "abc");
  EXPECT_EQ(ItemLine(item, 1), std::string(30, 'x'));
  EXPECT_EQ(ItemLine(item, 5), "");
}

TEST(Creel, WeightCountsAtMostNinetyNineEntries) {
  const KeepGlobals keep;
  for (CreelEntry& entry : creel) entry = {5, 30.0, 1.0};
  creel[0].weightKg = 0.5;
  creelCount = 3;
  EXPECT_DOUBLE_EQ(CreelWeight(), 2.5);
  for (int32_t broken : {0, -7, 100, INT32_MAX}) {
    creelCount = broken;
    EXPECT_DOUBLE_EQ(CreelWeight(), broken > 0 ? 98.5 : 0.0) << broken;
  }
}

TEST(Reset, SetsNewGameAndKeepsTheRest) {
  const KeepGlobals keep;
  std::memset(static_cast<void*>(&gameState), 0xA5, sizeof gameState);
  gameState.tournamentLevel = 7;
  tripLevel = 12, selectedWater = 12, creelCount = 0;
  std::memset(nushiCaughtToday, 1, sizeof nushiCaughtToday);
  const GameState before = gameState;

  ResetGameState();

  for (uint8_t slot : gameState.equipped) EXPECT_EQ(slot, 0);
  for (int w = 0; w < kWaterCount; ++w) {
    EXPECT_EQ(gameState.nushiPresent[w], 1);
    EXPECT_EQ(gameState.nushiHeld[w], 0);
    EXPECT_EQ(nushiCaughtToday[w], 1);
  }
  EXPECT_EQ(int32_t{gameState.money}, 4300);
  EXPECT_EQ(int32_t{gameState.bestLevel} + int32_t{gameState.dayCount} + tripLevel, 0);
  EXPECT_EQ(int32_t{gameState.tournamentLevel}, 7);
  EXPECT_EQ(gameState.reserved7, 0xA5);
  EXPECT_EQ(selectedWater, 12);
  int unused = 0;
  for (int i = 0; i < kCatalogSlots; ++i) {
    const bool inCatalog = std::any_of(std::begin(kTackleCatalog), std::end(kTackleCatalog),
                                       [i](const CatalogEntry& e) { return e.index == i; });
    if (inCatalog) {
      EXPECT_EQ(gameState.items[i].owned, 0) << i;
    } else {
      ++unused;
      EXPECT_EQ(std::memcmp(&gameState.items[i], &before.items[i], sizeof(TackleItem)), 0) << i;
    }
  }
  EXPECT_EQ(unused, 51);
}

TEST(Reset, ZeroesCreelWeightsButKeepsTheFish) {
  const KeepGlobals keep;
  for (int i = 0; i < kCreelSlots; ++i) creel[i] = {i % 6 + 1, 10.0 + i, 1.5};
  creelCount = 4;
  ResetGameState();
  EXPECT_EQ(creelCount, 4);
  for (int i = 0; i < kCreelSlots; ++i) {
    EXPECT_EQ(creel[i].species, i % 6 + 1) << i;
    EXPECT_DOUBLE_EQ(creel[i].sizeCm, 10.0 + i) << i;
    EXPECT_DOUBLE_EQ(creel[i].weightKg, i < 4 ? 0.0 : 1.5) << i;
  }
  // A wild count stays inside the 99 counted slots.
  for (CreelEntry& entry : creel) entry.weightKg = 2.0;
  creelCount = 1000000;
  ResetGameState();
  EXPECT_DOUBLE_EQ(creel[98].weightKg + creel[99].weightKg, 2.0);
  creel[0].weightKg = 2.0;
  creelCount = -1;
  ResetGameState();
  EXPECT_DOUBLE_EQ(creel[0].weightKg, 2.0);
}

TEST(Saturate, ClampsAtInt32Limits) {
  EXPECT_EQ(SaturatingAdd(4300, -200), 4100);
  EXPECT_EQ(SaturatingAdd(INT32_MAX, 1), INT32_MAX);
  EXPECT_EQ(SaturatingAdd(-5, INT64_MAX), INT32_MAX);
  EXPECT_EQ(SaturatingAdd(INT32_MIN, int64_t{UINT32_MAX}), INT32_MAX);
  EXPECT_EQ(SaturatingSub(0, INT64_MIN), INT32_MAX);
  EXPECT_EQ(SaturatingMul(-3000, 7), -21000);
  EXPECT_EQ(SaturatingMul(INT32_MIN, INT64_MIN), INT32_MAX);
  EXPECT_EQ(SaturatingMul(INT32_MAX, INT64_MIN), INT32_MIN);
}

}  // namespace
