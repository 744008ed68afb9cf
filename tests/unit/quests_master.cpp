#include <gtest/gtest.h>

#include <algorithm>
#include <climits>
#include <cstring>
#include <deque>
#include <vector>

#include "framework/Desktop.h"
#include "framework/Look.h"
#include "framework/Resources.h"
#include "platform/HeadlessPlatform.h"
#include "quests/Master.h"
#include "state/GameState.h"
#include "state/ProcessValues.h"
#include "state/Reset.h"

namespace {
constexpr int kMasterTemplate = 6;

// A headless platform that looks at the screen whenever the program sleeps.
class WatchingPlatform : public HeadlessPlatform {
 public:
  explicit WatchingPlatform(InputSource source) : HeadlessPlatform(std::move(source)) {}
  void Sleep(unsigned ms) override {
    sleeps.push_back(ms);
    screen = Desktop::Get().Compose();
    if (TWindow* dialog = Desktop::Get().TopmostModal()) {
      roomOrigin = dialog->ClientOrigin();
      roomSize = dialog->ClientSize();
    }
    boxOpenWhileAsleep = boxOpenWhileAsleep || Desktop::Get().TopmostMessageBox() != nullptr;
    HeadlessPlatform::Sleep(ms);
  }
  std::vector<unsigned> sleeps;
  Surface screen;
  TPoint roomOrigin;
  TSize roomSize;
  bool boxOpenWhileAsleep = false;
};

// Runs the master dialog, pressing the given buttons in its boxes; a box more or fewer fails.
class MasterTest : public ::testing::Test {
 protected:
  struct OutOfAnswers {};

  MasterTest()
      : platform_([this](HeadlessPlatform&) -> std::optional<InputEvent> {
          if (answers_.empty()) throw OutOfAnswers{};
          InputEvent e;
          e.kind = InputEvent::Kind::AnswerBox;
          e.id = answers_.front();
          answers_.pop_front();
          return e;
        }),
        savedState_(gameState),
        savedMaster_(selectedMaster) {
    Desktop::Get().Install(platform_, {600, 443});
    ResetGameState();
  }
  ~MasterTest() override {
    Desktop::Get().Uninstall();
    gameState = savedState_;
    selectedMaster = savedMaster_;
  }

  // Returns the dialog's result.
  int Visit(int master, std::deque<int> answers) {
    selectedMaster = master;
    answers_ = std::move(answers);
    TPro dialog(nullptr, kMasterTemplate);
    int result = 0;
    try {
      result = dialog.Execute();
    } catch (const OutOfAnswers&) {
      ADD_FAILURE() << "a box was left open";
    }
    EXPECT_TRUE(answers_.empty()) << "not every answer was asked for";
    return result;
  }

  WatchingPlatform platform_;
  std::deque<int> answers_;
  GameState savedState_;
  int32_t savedMaster_;
};
}  // namespace

TEST_F(MasterTest, TheRoomAndTheGreetingAreOnScreenDuringThePauseBeforeTheFirstBox) {
  EXPECT_EQ(Visit(3, {IDNO, IDOK}), IDCANCEL);

  ASSERT_EQ(platform_.sleeps, std::vector<unsigned>{1000});
  EXPECT_FALSE(platform_.boxOpenWhileAsleep);
  const TPoint origin = platform_.roomOrigin;
  const Surface& room = BitmapResource(33);
  // The picture as far as the dialog's client area shows it.
  const int width = std::min(room.Width(), platform_.roomSize.cx);
  for (int y = 0; y < room.Height(); y += 9)
    for (int x = 0; x < width; x += 7)
      ASSERT_EQ(platform_.screen.Pixel(origin.x + x, origin.y + y), room.Pixel(x, y)) << x << "," << y;
  int inked = 0;  // the greeting's letters under the picture
  for (int y = 200; y < 216; ++y)
    for (int x = 10; x < 190; ++x) inked += platform_.screen.Pixel(origin.x + x, origin.y + y) != kFaceGrey;
  EXPECT_GT(inked, 50);
}

TEST_F(MasterTest, ANumberOutsideOneToFiveShowsTheRoomAndClosesWithoutAWord) {
  for (int master : {0, 6, -1, INT_MIN, INT_MAX}) {
    SCOPED_TRACE(master);
    // A fish in hand everywhere, so that any talk would change something.
    for (auto& held : gameState.nushiHeld) held = 1;
    for (auto& present : gameState.nushiPresent) present = 0;
    const GameState before = gameState;
    platform_.sleeps.clear();
    EXPECT_EQ(Visit(master, {}), IDCANCEL);
    EXPECT_EQ(platform_.sleeps, std::vector<unsigned>{1000});
    EXPECT_EQ(std::memcmp(&before, &gameState, sizeof before), 0);
  }
}

TEST_F(MasterTest, EachMasterTradesHisLegendaryItemForHisLakesFishAndEquipsItWhenAsked) {
  struct Trade {
    int master;         // also his lake
    int givenIndex;     // catalog index of the item he gives
    int category;       // the equipped slot it goes to
    int equippedAfter;  // its item number there
  };
  const Trade trades[] = {{1, 11, 1, 5}, {2, 21, 2, 3}, {3, 31, 3, 2}, {4, 41, 4, 2}, {5, 51, 5, 4}};
  for (const Trade& t : trades) {
    for (const bool equip : {true, false}) {
      SCOPED_TRACE(testing::Message() << "master " << t.master << (equip ? ", equipped" : ", not equipped"));
      ResetGameState();
      gameState.nushiPresent[t.master] = 0;
      gameState.nushiHeld[t.master] = 1;
      for (int c = 1; c <= 5; ++c) gameState.equipped[c] = 1;
      const GameState before = gameState;
      // Landed it? Yes. Give it? Yes. The thanks. Equip it?
      Visit(t.master, {IDYES, IDYES, IDOK, equip ? IDYES : IDNO});
      std::vector<int> owned;
      for (int i = 0; i < kCatalogSlots; ++i)
        if (gameState.items[i].owned != before.items[i].owned) owned.push_back(i);
      EXPECT_EQ(owned, std::vector<int>{t.givenIndex}) << "the items whose owned flag changed";
      EXPECT_EQ(gameState.items[t.givenIndex].owned, 1);
      std::vector<int> equipped(std::begin(before.equipped), std::end(before.equipped));
      if (equip) equipped[static_cast<std::size_t>(t.category)] = t.equippedAfter;
      EXPECT_EQ(std::vector<int>(std::begin(gameState.equipped), std::end(gameState.equipped)), equipped);
      EXPECT_EQ(gameState.nushiHeld[t.master], 0);
    }
  }
}
