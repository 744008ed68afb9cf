// The catch result: its seven texts from the creel and the day's master-fish flags, and its OK.
#include <cstring>
#include <string>

#include "results/CatchTexts.h"
#include "results/Kekka.h"
#include "state/ProcessValues.h"
#include "tests/unit/DesktopFixture.h"

namespace {
class CatchResultTest : public DesktopTest {
 protected:
  ~CatchResultTest() override {
    creelCount = 0;
    std::memset(nushiCaughtToday, 0, sizeof nushiCaughtToday);
  }
  static void Set(std::initializer_list<CreelEntry> fish, std::initializer_list<int> masters) {
    creelCount = 0;
    for (const CreelEntry& f : fish) creel[creelCount++] = f;
    std::memset(nushiCaughtToday, 0, sizeof nushiCaughtToday);
    for (int water : masters) nushiCaughtToday[water] = 1;
  }
};

// Names are 11 bytes of CP932, blank padded.
std::string Name(const char* cp932, int blanks) {
  std::string s = std::string(cp932) + std::string(blanks, ' ');
  EXPECT_EQ(s.size(), 11u) << cp932;
  return s;
}

TEST_F(CatchResultTest, TheTextsFollowTheCreelAndTheMasterFlags) {
  const std::string none(11, ' '), noMaster(13, ' '), blank(6, ' ');
  struct Case {
    const char* name;
    std::initializer_list<CreelEntry> creel;
    std::initializer_list<int> masters;
    CatchTexts want;
  } cases[] = {
      {"the last of three", {{1, 9.9, 0.4}, {2, 12.9, 0.3}, {5, 27.3, 1.2}}, {},
       {Name("ヘラブナ", 3), noMaster, "   1.2", "  27.3", "     3", "   1.9"}},
      {"a lake master, creel untouched", {{3, 7.9, 0.2}, {6, 40.0, 2.0}}, {3},
       {Name("ぬし", 7), "三角湖のぬし", "60.0", "80.0", "     2", "   2.2"}},
      {"the pond master", {{4, 20.0, 0.5}}, {0}, {Name("ぬし", 7), "幻の池のぬし", "80.0", "100.0", "     1", "   0.5"}},
      {"a lake and the pond: the pond last", {}, {5, 0},
       {Name("ぬし", 7), "幻の池のぬし", "80.0", "100.0", "     0", "   0.0"}},
      {"two lakes: the later water names it", {}, {4, 2},
       {Name("ぬし", 7), "出島湖のぬし", "60.0", "80.0", "     0", "   0.0"}},
      {"a carp", {{6, 55.5, 3.3}}, {}, {Name("コイ", 7), noMaster, "   3.3", "  55.5", "     1", "   3.3"}},
      {"an unknown species", {{9, 11.0, 0.5}}, {}, {none, noMaster, "   0.5", "  11.0", "     1", "   0.5"}},
      {"nothing caught yet", {}, {}, {none, noMaster, blank, blank, "     0", "   0.0"}},
  };
  for (const Case& c : cases) {
    Set(c.creel, c.masters);
    const CatchTexts got = CurrentCatchTexts();
    EXPECT_EQ(got.kind, c.want.kind) << c.name;
    EXPECT_EQ(got.masterName, c.want.masterName) << c.name;
    EXPECT_EQ(got.weight, c.want.weight) << c.name;
    EXPECT_EQ(got.size, c.want.size) << c.name;
    EXPECT_EQ(got.count, c.want.count) << c.name;
    EXPECT_EQ(got.totalWeight, c.want.totalWeight) << c.name;
  }
  // A full creel: its 99th fish and the totals of 99, never the spare hundredth slot.
  for (int i = 0; i < kCreelSlots; ++i) creel[i] = {i == 98 ? 2 : 4, 20.0, i == 99 ? 50.0 : 1.0};
  creelCount = 99;
  std::memset(nushiCaughtToday, 0, sizeof nushiCaughtToday);
  const CatchTexts full = CurrentCatchTexts();
  EXPECT_EQ(full.kind, Name("カワムツ", 3));
  EXPECT_EQ(full.count + full.totalWeight, "    99  99.0");
}

TEST_F(CatchResultTest, EveryWaterNamesItsMasterFishAndEverySpeciesItsName) {
  const char* masters[kWaterCount] = {"幻の池のぬし", "丸湖のぬし", "扇湖のぬし", "三角湖のぬし", "出島湖のぬし", "三日月湖のぬし"};
  for (int water = 0; water < kWaterCount; ++water) {
    Set({}, {water});
    EXPECT_EQ(CurrentCatchTexts().masterName, masters[water]) << "water " << water;
  }
  const std::string species[] = {Name("ブルーギル", 1), Name("カワムツ", 3), Name("タナゴ", 5),
                                 Name("フナ", 7),       Name("ヘラブナ", 3), Name("コイ", 7)};
  for (int code = 1; code <= 6; ++code) {
    Set({{code, 10.0, 1.0}}, {});
    EXPECT_EQ(CurrentCatchTexts().kind, species[code - 1]) << "species " << code;
  }
}

TEST_F(CatchResultTest, OnlyOkClearsTheMasterFlags) {
  Set({}, {1, 4});
  TKekka* viaEsc = new TKekka(nullptr, 8);
  viaEsc->Create();
  Message esc;
  esc.kind = Msg::KeyDown;
  esc.key = Key::Escape;
  viaEsc->KeyInput(esc);
  EXPECT_FALSE(viaEsc->IsCreated());
  EXPECT_EQ(nushiCaughtToday[1] + nushiCaughtToday[4], 2);

  TKekka* viaOk = new TKekka(nullptr, 8);
  viaOk->Create();
  EXPECT_TRUE(viaOk->PressButton(116));
  EXPECT_FALSE(viaOk->IsCreated());
  for (int water = 0; water < kWaterCount; ++water) EXPECT_EQ(nushiCaughtToday[water], 0) << water;
}
}  // namespace
