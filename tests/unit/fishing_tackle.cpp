// When a cast is refused: the first missing piece of tackle, or a tired arm outside tournaments.
#include <string>

#include "fishing/TackleChecks.h"
#include "fishing/TackleSettings.h"
#include "tests/unit/FishingFixture.h"

namespace {
class TackleTest : public FishingTest {};

// "text / caption" of the refusal, or "" when the cast may go ahead.
std::string Refusal() {
  const std::optional<CastRefusal> refusal = FirstCastRefusal();
  return refusal ? std::string(refusal->text) + " / " + std::string(refusal->caption) : "";
}

TEST_F(TackleTest, ACastIsRefusedForTheFirstMissingPieceOnly) {
  // Every combination of rod, float, hook and line present or missing; bait is never needed.
  for (int mask = 0; mask < 16; ++mask) {
    const bool rod = mask & 1, floatItem = mask & 2, hook = mask & 4, line = mask & 8;
    Equip(rod, floatItem, hook, line, 0);
    const char* want = !rod         ? "竿を持っていません / 竿ぐらい準備せよ"
                       : !floatItem ? "浮きが付いていません / 浮きが無いとわかんない"
                       : !hook      ? "針が付いていません / 針なしでどうして釣れるの"
                       : !line      ? "釣り糸が付いていません / 糸がなければどうするの"
                                    : "";
    EXPECT_EQ(Refusal(), want) << "mask " << mask;
  }
}

TEST_F(TackleTest, TirednessRefusesCastsAfterTenMinutesOutsideTournaments) {
  struct FatigueCase {
    int selected, seconds;
    const char* want;
  } cases[] = {{1, 600, ""}, {1, 601, "竿かけが無く疲れました。 / もう釣り終了"}, {11, 601, ""}, {14, 100000, ""}};
  Equip(1, 1, 1, 1, 1);
  for (const FatigueCase& c : cases) {
    selectedWater = c.selected;
    fatigueSeconds = c.seconds;
    EXPECT_EQ(Refusal(), c.want) << c.selected << " " << c.seconds;
  }
  Equip(0, 1, 1, 1, 1);  // a missing rod is still told first
  selectedWater = 1;
  EXPECT_EQ(Refusal(), "竿を持っていません / 竿ぐらい準備せよ");
}

// What each item number does to the fishing; numbers a save should not hold act as "any other".
TEST_F(TackleTest, EveryItemNumberHasItsSettingsAndAnyOtherNumberTheLast) {
  struct SettingCase {
    int item;
    int strikeDelay, dipPeriod, returnPeriod;                                  // rod; float
    int sinkLimit, dissolvePeriod, biteRollRange, startingBaitThrown;          // bait
  } cases[] = {
      {0, 2000, 15, 30, 80, 5000, 30, 0},     {1, 2000, 50, 110, 30, 5000, 30, 0},
      {2, 1000, 30, 75, 80, 2000, 30, 0},     {3, 500, 15, 30, 80, 1000, 30, 0},
      {4, 100, 15, 30, 80, 500, 10, 1000},    {5, 1, 15, 30, 80, 5000, 30, 0},
      {6, 2000, 15, 30, 80, 5000, 30, 0},     {255, 2000, 15, 30, 80, 5000, 30, 0},
  };
  for (const SettingCase& c : cases) {
    Equip(c.item, c.item, 1, 1, c.item);
    EXPECT_EQ(StrikeDelayMs(), c.strikeDelay) << "rod " << c.item;
    EXPECT_EQ(DipPeriodMs(), c.dipPeriod) << "float " << c.item;
    EXPECT_EQ(ReturnPeriodMs(), c.returnPeriod) << "float " << c.item;
    EXPECT_EQ(SinkLimitForBait(), c.sinkLimit) << "bait " << c.item;
    EXPECT_EQ(DissolvePeriodMs(), c.dissolvePeriod) << "bait " << c.item;
    EXPECT_EQ(BiteRollRangeForBait(), c.biteRollRange) << "bait " << c.item;
    EXPECT_EQ(StartingBaitThrown(), c.startingBaitThrown) << "bait " << c.item;
  }
}
}  // namespace
