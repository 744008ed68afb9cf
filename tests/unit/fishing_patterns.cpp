// Every bite pattern walked step by step from a float at rest 50 pixels down, each step summed up
// as what it did: "b40" bite timer restarted at 40 ms, "f-" float timer stopped, "f1000" float
// timer restarted, "+1" float moved, "w1000" strike window changed, "bait0" / "thrown+50" bait
// moved, "end" pattern over. Runs of steps that did the same are joined ("3-39").
#include <climits>
#include <string>
#include <vector>

#include "fishing/BiteBands.h"
#include "fishing/BitePatterns.h"
#include "tests/unit/FishingFixture.h"

namespace {
constexpr int kRestingBait = 50;
constexpr int kMaxSteps = 400;

class BitePatternTest : public FishingTest {
 protected:
  BitePatternTest() {
    dipPeriod = 15;
    returnPeriod = 30;
    Equip(5, 3, 2, 2, 4);  // the phantom tackle: every master may go on after eating
  }
  void Rest() {
    castPhase = 2;
    baitOnHook = kRestingBait;
    baitThrown = floatShown = strikeWindow = biteStep = pondWaitArmed = pondRunDone = 0;
    SetRandomState(1);
  }

  std::string Step(int pattern, int water) {
    const int shown = floatShown, window = strikeWindow, bait = baitOnHook, thrown = baitThrown;
    const int armed = pondWaitArmed, run = pondRunDone;
    dialog.log.clear();
    RunBiteStep(dialog, pattern, water);
    std::string s;
    auto add = [&s](const std::string& part) { s += (s.empty() ? "" : " ") + part; };
    for (const std::string& entry : dialog.log) {
      if (entry.starts_with("start 2 ")) add("b" + entry.substr(8));
      if (entry == "stop 1") add("f-");
      if (entry.starts_with("start 1 ")) add("f" + entry.substr(8));
    }
    if (floatShown != shown) add((floatShown > shown ? "+" : "") + std::to_string(floatShown - shown));
    if (strikeWindow != window) add("w" + std::to_string(strikeWindow));
    if (baitOnHook != bait) add("bait" + std::to_string(baitOnHook));
    if (baitThrown != thrown) add("thrown+" + std::to_string(baitThrown - thrown));
    if (pondWaitArmed != armed) add("armed");
    if (pondRunDone != run) add("run");
    if (biteType == 0) add(biteStep == 0 ? "end" : "ended-but-counting");
    return s;
  }

  // The whole pattern, runs of equal steps joined; the bait is all gone after step baitGoneAfter.
  std::string Walk(int pattern, int water, int baitGoneAfter = INT_MAX) {
    biteType = pattern;
    std::vector<std::string> steps;
    while (biteType != 0 && static_cast<int>(steps.size()) < kMaxSteps) {
      if (static_cast<int>(steps.size()) == baitGoneAfter) baitOnHook = 0;
      steps.push_back(Step(pattern, water));
    }
    std::string out;
    for (std::size_t i = 0; i < steps.size();) {
      std::size_t j = i;
      while (j + 1 < steps.size() && steps[j + 1] == steps[i]) ++j;
      if (!out.empty()) out += " | ";
      out += std::to_string(i + 1) + (j > i ? "-" + std::to_string(j + 1) : "") + ":" + steps[i];
      i = j + 1;
    }
    return out;
  }
};

// 23, 24 and the masters open with the same seven looks: float to the bait, bobbing by one.
const std::string kLooks = "1:b1000 +50 | 2:b1000 +1 | 3:b1000 -1 | 4:b1000 +1 | 5:b1000 -1 | 6:b1000 +1 | 7:b1000 -1";

TEST_F(BitePatternTest, EveryPatternPlaysItsScript) {
  struct PatternCase {
    const char* name;
    int pattern;
    int water;
    std::string walk;
  } cases[] = {
      {"small fish 1", 1, 1,
       "1:b5000 +50 | 2:b40 f- +1 w1001 | 3-39:b40 f- +1 | 40:w0 bait30 thrown+20 | 41-98:b30 -1 | 99:f1000 end"},
      {"small fish 2", 2, 1,
       "1:b5000 +50 | 2:b40 f- +2 w1002 | 3-39:b40 f- +2 | 40:w0 bait30 thrown+20 | 41-136:b30 -1 | 137:f1000 end"},
      {"small fish 3", 3, 1,
       "1:b5000 +50 | 2:b300 f- +1 w1003 | 3-19:b300 f- +1 | 20:w0 bait30 thrown+20 | 21-58:b30 -1 | 59:f1000 end"},
      {"フナ 11", 11, 1,
       "1:b2000 +50 | 2-5:b2000 | 6:b2000 +1 | 7-8:b2000 | 9:f- b40 +1 w1000 | 10-39:f- b40 +1 | "
       "40:b30 -1 w0 bait0 thrown+50 | 41-121:b30 -1 | 122:f1000 end"},
      {"フナ 12", 12, 1,
       "1:b2000 +50 | 2-5:b2000 | 6:b2000 +1 | 7-8:b2000 | 9:f- b20 +3 w1000 | 10-29:f- b20 +3 | "
       "30:b30 -1 w0 bait0 thrown+50 | 31-143:b30 -1 | 144:f1000 end"},
      {"ヘラブナ 22", 22, 1,
       "1:b2000 +50 | 2-5:b2000 | 6:b2000 +1 | 7-8:b2000 | 9:f- b50 -1 w1000 | 10-29:f- b50 -1 | 30:f- b500 | "
       "31:b30 -1 w0 bait0 thrown+50 | 32-60:b30 -1 | 61:f1000 end"},
      {"ヘラブナ 23", 23, 1,
       kLooks + " | 8:f- b15 +3 w1000 | 9-23:f- b15 +3 | 24:b30 -3 w0 | 25-39:b30 -3 | 40:b1000 | "
                "41:f- b15 +3 w1000 | 42-56:f- b15 +3 | 57:b30 -3 w0 | 58-72:b30 -3 | 73:b1000 | "
                "74:f- b15 +3 w1000 | 75-89:f- b15 +3 | 90:b30 -3 w0 | 91-105:b30 -3 | 106:b30 bait0 thrown+50 | "
                "107-155:b30 -1 | 156:b30 f1000 -1 end"},
      {"ヘラブナ 24", 24, 1,
       kLooks + " | 8: | 9-27:f- b15 +1 | 28-47:b30 -1 | 48:b1000 | 49: | 50:f- b15 +3 w1000 | 51-68:f- b15 +3 | "
                "69: | 70:w0 bait0 thrown+50 | 71-176:b30 -1 | 177:f1000 end"},
      {"master of the pond", kMasterPattern, 0,
       kLooks + " | 8-38:f- b15 +1 | 39:b3000 | 40-70:b30 -1 | 71:b3000 | 72-81:f- b15 +1 | 82-91:b30 -1 | "
                "92:b1000 | 93-102:f- b15 +1 | 103-112:b30 -1 | 113:b7000 | 114-124:f- b15 +1 | 125:b100 | "
                "126-132:f- b15 +2 | 133:b30 bait0 thrown+50 | 134-208:f- f1000 -1 | "
                // 13000 ms and the generator's first draw (5540) mod 7000
                "209:f- b18540 armed | 210:f- b50 +2 w1000 | 211-219:f- b50 +2 | 220:f- b50 +2 run | "
                "221:f- f1000 -1 w0 | 222-241:f- f1000 -1 | 242:f- f1000 -1 end"},
      {"master of 丸湖", kMasterPattern, 1,
       kLooks + " | 8:f- b15 +1 w1001 | 9-23:f- b15 +1 | 24-39:b30 -1 | 40:b1000 w0 | 41:f- b15 +1 w1001 | "
                "42-56:f- b15 +1 | 57-72:b30 -1 | 73:b1000 w0 | 74:f- b15 +1 w1001 | 75-89:f- b15 +1 | "
                "90-105:b30 -1 | 106:b1000 w0 | 107-115:f- b15 +1 | 116-124:b30 -1 | 125:b1000 | 126-134:f- b15 +1 | "
                "135-143:b30 -1 | 144:b7000 | 145:f- b15 +3 w1000 | 146-155:f- b15 +3 | 156:b30 w0 bait0 thrown+50 | "
                "157-238:b30 -1 | 239:b30 f1000 -1 end"},
      {"master of 扇湖", kMasterPattern, 2,
       kLooks + " | 8-23:f- b15 +1 | 24-39:b30 -1 | 40:b1000 | 41-56:f- b15 +1 | 57-72:b30 -1 | 73:b1000 | "
                "74-89:f- b15 +1 | 90-105:b30 -1 | 106:b7000 | 107:f- b15 -1 w1000 | 108-127:f- b15 -1 | 128:b1000 | "
                "129:b30 w0 bait0 thrown+50 | 130-157:b30 -1 | 158:b30 f1000 -1 end"},
      {"master of 三角湖", kMasterPattern, 3,
       kLooks + " | 8-17:f- b15 +3 | 18-27:b30 -3 | 28:b1000 | 29-38:f- b15 +3 | 39-48:b30 -3 | 49:b1000 | "
                "50-59:f- b15 +3 | 60-69:b30 -3 | 70:b7000 | 71:f- b15 +1 w1000 | 72:f- b15 +1 | 73-74:b30 -1 | "
                "75-76:f- b15 +1 | 77-78:b30 -1 | 79-80:f- b15 +1 | 81:b30 -1 w0 | 82:b30 -1 | "
                "83:b30 bait0 thrown+50 | 84-132:b30 -1 | 133:b30 f1000 -1 end"},
      {"master of 出島湖", kMasterPattern, 4,
       kLooks + " | 8-17:f- b15 +3 | 18-27:b30 -3 | 28:b1000 | 29-38:f- b15 +3 | 39-48:b30 -3 | 49:b1000 | "
                "50-59:f- b15 +3 | 60-69:b30 -3 | 70:b7000 | 71:f- b2000 +1 w1000 | 72:b30 -1 w0 | "
                "73:b30 bait0 thrown+50 | 74-122:b30 -1 | 123:b30 f1000 -1 end"},
      {"master of 三日月湖", kMasterPattern, 5,
       kLooks + " | 8:f- b15 +1 w1000 | 9-38:f- b15 +1 | 39:b3000 | 40-70:b30 -1 | 71:b3000 | 72-81:f- b15 +1 | "
                "82-91:b30 -1 | 92:b1000 | 93-102:f- b15 +1 | 103-112:b30 -1 | 113:b7000 | 114-124:f- b15 +1 | "
                "125:b100 | 126-132:f- b15 +2 | 133:b30 w0 bait0 thrown+50 | 134-207:b30 -1 | 208:b30 f1000 -1 end"},
  };
  for (const PatternCase& c : cases) {
    Rest();
    EXPECT_EQ(Walk(c.pattern, c.water), c.walk) << c.name;
  }
}

TEST_F(BitePatternTest, GatesAbandonAPatternWithoutSoundOrMovement) {
  // Too little bait at the first step: a small fish needs more than 4, the others more than 10.
  struct GateCase {
    int pattern, bait, water;
    bool starts;
  } cases[] = {{1, 4, 1, false},  {1, 5, 1, true},   {3, 4, 1, false},  {11, 10, 1, false},
               {11, 11, 1, true}, {24, 10, 1, false}, {kMasterPattern, 10, 1, false},
               {kMasterPattern, 11, 1, true}, {kMasterPattern, 50, 7, false}};  // no such water
  for (const GateCase& c : cases) {
    Rest();
    baitOnHook = c.bait;
    biteType = c.pattern;
    dialog.log.clear();
    RunBiteStep(dialog, c.pattern, c.water);
    EXPECT_EQ(biteType, c.starts ? c.pattern : 0) << c.pattern << " with " << c.bait;
    EXPECT_EQ(biteStep, c.starts ? 1 : 0) << c.pattern << " with " << c.bait;
    EXPECT_EQ(dialog.log.empty(), !c.starts) << c.pattern << " with " << c.bait;
    EXPECT_EQ(floatShown, c.starts ? c.bait : 0) << c.pattern << " with " << c.bait;
  }
}

TEST_F(BitePatternTest, AMasterWithoutItsKeyTackleLeavesRightAfterEating) {
  struct KeyCase {
    int water;
    int rod, floatItem, hook, line, bait;
    int eatStep;
  } cases[] = {
      {1, 4, 3, 2, 2, 4, 156},  // 丸湖 wants the phantom rod
      {2, 5, 2, 2, 2, 4, 129},  // 扇湖 the float
      {3, 5, 3, 1, 2, 4, 83},   // 三角湖 the hook
      {4, 5, 3, 2, 1, 4, 73},   // 出島湖 the line
      {5, 5, 3, 2, 2, 3, 133},  // 三日月湖 the bait
      {0, 5, 3, 2, 2, 3, 133},  // the pond all five
  };
  for (const KeyCase& c : cases) {
    Equip(c.rod, c.floatItem, c.hook, c.line, c.bait);
    Rest();
    biteType = kMasterPattern;
    int steps = 0;
    while (biteType != 0 && steps < kMaxSteps) {
      RunBiteStep(dialog, kMasterPattern, c.water);
      ++steps;
    }
    EXPECT_EQ(steps, c.eatStep + 1) << "water " << c.water;
    // The float timer stays stopped from the last dip: nothing bites until the player lifts.
    EXPECT_EQ(dialog.timers.count(kFloatTimer), 0u) << "water " << c.water;
  }
}

// Rows that run only once the bait is gone from the hook (dissolved or lured away) while the fish
// is still looking or pulling.
TEST_F(BitePatternTest, WithoutBaitTheCrucianEatsNothingAndLeavesAndTheSmallHeraWaits) {
  struct NoBaitCase {
    const char* name;
    int pattern, goneAfter;
    std::string walk;
  } cases[] = {
      // フナ: from step 9 on, no bait means the eat step at once, then the float comes back up.
      {"11 from step 9", 11, 8, "1:b2000 +50 | 2-5:b2000 | 6:b2000 +1 | 7-8:b2000 | 9-59:b30 -1 | 60:f1000 end"},
      {"12 while pulling", 12, 12,
       "1:b2000 +50 | 2-5:b2000 | 6:b2000 +1 | 7-8:b2000 | 9:f- b20 +3 w1000 | 10-12:f- b20 +3 | "
       "13:b30 -1 w0 | 14-75:b30 -1 | 76:f1000 end"},
      // The small ヘラブナ: no bait before step 31 only slows it to 500 ms until it eats at 31.
      {"22 from step 9", 22, 8,
       "1:b2000 +50 | 2-5:b2000 | 6:b2000 +1 | 7-8:b2000 | 9-30:f- b500 | 31-81:b30 -1 | 82:f1000 end"},
  };
  for (const NoBaitCase& c : cases) {
    Rest();
    EXPECT_EQ(Walk(c.pattern, 1, c.goneAfter), c.walk) << c.name;
  }
}
}  // namespace
