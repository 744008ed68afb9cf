// When a cast is refused: the first missing piece of tackle, or a tired arm outside tournaments.
#include <string>

#include "fishing/TackleChecks.h"
#include "tests/unit/FishingFixture.h"

namespace {
class TackleTest : public FishingTest {};

std::string Refusal() {
  const std::optional<CastRefusal> refusal = FirstCastRefusal();
  return refusal ? std::string(refusal->text) : "";
}

TEST_F(TackleTest, ACastIsRefusedForTheFirstMissingPieceOnly) {
  // Every combination of rod, float, hook and line present or missing; bait is never needed.
  for (int mask = 0; mask < 16; ++mask) {
    const bool rod = mask & 1, floatItem = mask & 2, hook = mask & 4, line = mask & 8;
    Equip(rod, floatItem, hook, line, 0);
    const char* want = !rod         ? "竿を持っていません"
                       : !floatItem ? "浮きが付いていません"
                       : !hook      ? "針が付いていません"
                       : !line      ? "釣り糸が付いていません"
                                    : "";
    EXPECT_EQ(Refusal(), want) << "mask " << mask;
  }
}

TEST_F(TackleTest, TirednessRefusesCastsAfterTenMinutesOutsideTournaments) {
  struct FatigueCase {
    int selected, seconds;
    const char* want;
  } cases[] = {{1, 600, ""}, {1, 601, "竿かけが無く疲れました。"}, {11, 601, ""}, {14, 100000, ""}};
  Equip(1, 1, 1, 1, 1);
  for (const FatigueCase& c : cases) {
    selectedWater = c.selected;
    fatigueSeconds = c.seconds;
    EXPECT_EQ(Refusal(), c.want) << c.selected << " " << c.seconds;
  }
  Equip(0, 1, 1, 1, 1);  // a missing rod is still told first
  selectedWater = 1;
  EXPECT_EQ(Refusal(), "竿を持っていません");
}
}  // namespace
