// The day result: its eight texts from one pass over the creel, the ヘラブナ weight its paint
// leaves behind, and its OK.
#include <cstring>
#include <string>

#include "results/CatchTexts.h"
#include "results/DayTexts.h"
#include "results/Kekka2.h"
#include "state/ProcessValues.h"
#include "tests/unit/DesktopFixture.h"

namespace {
void Set(std::initializer_list<CreelEntry> fish, std::initializer_list<int> masters) {
  creelCount = 0;
  for (const CreelEntry& f : fish) creel[creelCount++] = f;
  std::memset(nushiCaughtToday, 0, sizeof nushiCaughtToday);
  for (int water : masters) nushiCaughtToday[water] = 1;
}

class DayResultTest : public DesktopTest {
 protected:
  ~DayResultTest() override { Set({}, {}); }
};

TEST_F(DayResultTest, TheTextsSumUpTheCreel) {
  // ヘラブナ count, weight, largest | count, total | kind, largest | master line
  struct Case {
    std::initializer_list<CreelEntry> creel;
    std::initializer_list<int> masters;
    const char* want;
    double carpKg;
  } cases[] = {
      {{}, {}, "     0   0.0   0.0|     0   0.0|              0.0|             ", 0.0},
      {{{1, 9.0, 0.3}, {5, 30.1, 1.2}, {6, 52.0, 3.0}, {5, 41.7, 2.5}}, {},
       "     2   3.7  41.7|     4   7.0|コイ         52.0|             ", 3.7},
      {{{1, 9.0, 0.3}, {4, 25.5, 0.8}}, {}, "     0   0.0   0.0|     2   1.1|フナ         25.5|             ", 0.0},
      {{{3, 14.0, 0.2}, {5, 14.0, 0.4}}, {}, "     1   0.4  14.0|     2   0.6|タナゴ       14.0|             ", 0.4},
      {{{2, 12.0, 0.3}, {4, 20.5, 0.6}}, {2, 0}, "     0   0.0   0.0|     2   0.9|ぬし         20.5|幻の池のぬし", 0.0},
  };
  for (const Case& c : cases) {
    Set(c.creel, c.masters);
    const DayTexts t = CurrentDayTexts();
    EXPECT_EQ(t.carpCount + t.carpWeight + t.carpLargest + "|" + t.count + t.totalWeight + "|" + t.largestKind +
                  t.largestSize + "|" + t.masterName,
              c.want);
    EXPECT_DOUBLE_EQ(t.carpWeightKg, c.carpKg) << c.want;
  }
}

TEST_F(DayResultTest, ItsPaintStoresTheCarpWeightAndOnlyOkClearsTheMasterFlags) {
  Set({{5, 30.0, 1.5}, {5, 28.0, 1.25}}, {3});
  TKekka2* viaEsc = new TKekka2(nullptr, 9);
  viaEsc->Create();
  viaEsc->UpdateWindow();
  EXPECT_DOUBLE_EQ(todayCarpWeight, 2.75);
  Message esc;
  esc.kind = Msg::KeyDown;
  esc.key = Key::Escape;
  viaEsc->KeyInput(esc);
  EXPECT_FALSE(viaEsc->IsCreated());
  EXPECT_EQ(nushiCaughtToday[3], 1);

  TKekka2* viaOk = new TKekka2(nullptr, 9);
  viaOk->Create();
  EXPECT_TRUE(viaOk->PressButton(117));
  EXPECT_EQ(std::string(nushiCaughtToday, nushiCaughtToday + kWaterCount), std::string(kWaterCount, '\0'));
  // The catch result seen afterwards names no master fish.
  EXPECT_EQ(CurrentCatchTexts().masterName, std::string(13, ' '));
}
}  // namespace
