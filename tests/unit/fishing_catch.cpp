// From the hook to the creel: the fight's pictures, what is landed, and the full creel.
#include <cmath>
#include <string>

#include "fishing/BiteBands.h"
#include "fishing/Catch.h"
#include "fishing/FightTable.h"
#include "tests/unit/FishingFixture.h"

namespace {
// The pictures of a fight from its first state, and how it ends.
std::string Fight(int code, bool net) {
  std::string s;
  int state = kFightFirstState;
  for (int i = 0; i < 10 && state != kLandingState && state != kEscapeState; ++i) {
    const FightStep step = NextFightStep(state, code, net);
    s += std::to_string(step.picture) + " ";
    state = step.nextState;
  }
  return s + (state == kLandingState ? "landed" : state == kEscapeState ? "escaped" : "unfinished");
}

TEST(FightTable, EachCatchIsFoughtThroughItsPictures) {
  struct FightCase {
    int code;
    const char* withNet;
    const char* withoutNet;
  } cases[] = {
      {1, "34 landed", "34 landed"},
      {2, "35 landed", "35 landed"},
      {3, "36 landed", "36 landed"},
      {11, "38 34 landed", "38 34 landed"},
      {12, "38 39 37 landed", "38 39 37 landed"},
      {22, "38 39 37 landed", "38 39 37 landed"},
      {23, "38 39 38 37 landed", "38 39 38 40 escaped"},
      {24, "38 39 38 39 37 landed", "38 39 38 39 40 escaped"},
      {kMasterPattern, "38 39 38 39 38 39 46 landed", "38 39 38 39 38 39 40 escaped"},
  };
  for (const FightCase& c : cases) {
    EXPECT_EQ(Fight(c.code, true), c.withNet) << c.code;
    EXPECT_EQ(Fight(c.code, false), c.withoutNet) << c.code;
  }
}

class CatchTest : public FishingTest {};

std::string MasterFlags(int water) {
  return "present=" + std::to_string(gameState.nushiPresent[water]) + " held=" +
         std::to_string(gameState.nushiHeld[water]) + " today=" + std::to_string(nushiCaughtToday[water]);
}

TEST_F(CatchTest, EveryCatchIsDrawnWithinItsRangesInWholeTenths) {
  struct Range {
    int code, species;
    double sizeFrom, sizeTo, weightFrom, weightTo;
  } ranges[] = {
      {1, 1, 5.0, 9.9, 0.2, 0.4},    {2, 2, 6.0, 12.9, 0.1, 0.3},   {3, 3, 5.0, 7.9, 0.1, 0.2},
      {11, 4, 7.5, 17.4, 0.3, 0.9},  {12, 4, 17.5, 27.4, 0.5, 0.9}, {22, 5, 17.5, 27.4, 1.0, 1.4},
      {23, 5, 27.5, 37.4, 1.5, 1.9}, {24, 5, 37.5, 47.4, 2.0, 2.4}, {kMasterPattern, 5, 67.5, 77.4, 6.0, 6.4},
  };
  for (const Range& r : ranges) {
    double size[2] = {1e9, -1}, weight[2] = {1e9, -1};
    for (int i = 0; i < 3000; ++i) {
      const CreelEntry fish = DrawCatch(r.code).value();
      EXPECT_EQ(fish.species, r.species);
      EXPECT_NEAR(fish.sizeCm * 10, std::round(fish.sizeCm * 10), 1e-9);
      EXPECT_NEAR(fish.weightKg * 10, std::round(fish.weightKg * 10), 1e-9);
      size[0] = std::min(size[0], fish.sizeCm), size[1] = std::max(size[1], fish.sizeCm);
      weight[0] = std::min(weight[0], fish.weightKg), weight[1] = std::max(weight[1], fish.weightKg);
    }
    EXPECT_NEAR(size[0], r.sizeFrom, 1e-9) << r.code;
    EXPECT_NEAR(size[1], r.sizeTo, 1e-9) << r.code;
    EXPECT_NEAR(weight[0], r.weightFrom, 1e-9) << r.code;
    EXPECT_NEAR(weight[1], r.weightTo, 1e-9) << r.code;
  }
  EXPECT_FALSE(DrawCatch(1000));
}

TEST_F(CatchTest, TheNinetyNinthFishFillsTheCreelAndTheNextIsLetGo) {
  creelCount = 98;
  strikeWindow = 22;
  Landing(dialog);
  ASSERT_EQ(creelCount, 99);
  const CreelEntry last = creel[98];
  creel[99] = CreelEntry{};
  const uint64_t before = RandomState();
  strikeWindow = 3;
  castPhase = busyAction = 3;
  Landing(dialog);
  EXPECT_EQ(creelCount, 99);
  EXPECT_EQ(creel[98].sizeCm, last.sizeCm);
  EXPECT_EQ(creel[99].species, 0);  // the uncounted slot stays unused
  EXPECT_EQ(dialog.catchWindows, 1);
  ASSERT_EQ(dialog.told.size(), 1u);
  EXPECT_EQ(dialog.told[0], "びくがいっぱいなので逃がしました / せっかく釣ったのに");
  EXPECT_EQ(busyAction + castPhase + strikeWindow, 0);
  // The fish was weighed before it was let go: the generator moved on by two draws.
  const uint64_t after = RandomState();
  SetRandomState(before);
  Random();
  Random();
  EXPECT_EQ(after, RandomState());
}

TEST_F(CatchTest, TheMasterPatternsFishIsAMasterOutsideTournamentsAndAGiantInThem) {
  selectedWater = 3;
  strikeWindow = kMasterPattern;
  const uint64_t before = RandomState();
  Landing(dialog);
  EXPECT_EQ(RandomState(), before);  // nothing weighed
  EXPECT_EQ(creelCount, 0);
  EXPECT_EQ(MasterFlags(3), "present=0 held=1 today=1");

  selectedWater = 12;
  strikeWindow = kMasterPattern;
  Landing(dialog);
  ASSERT_EQ(creelCount, 1);
  EXPECT_EQ(creel[0].species, 5);
  EXPECT_GE(creel[0].sizeCm, 67.5);
  EXPECT_EQ(MasterFlags(2), "present=1 held=0 today=0");
  EXPECT_EQ(dialog.catchWindows, 2);
}
}  // namespace
