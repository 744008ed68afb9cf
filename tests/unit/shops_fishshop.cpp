// The fish shop's sale on creels the runner scripts cannot catch, and its one conversation a visit.
#include <algorithm>
#include <climits>
#include <string>
#include <vector>

#include "framework/Resources.h"
#include "framework/UiObserver.h"
#include "shops/FishShop.h"
#include "state/GameState.h"
#include "state/ProcessValues.h"
#include "tests/unit/DesktopFixture.h"

namespace {
class FishShopTest : public DesktopTest, UiObserver {
 protected:
  FishShopTest() : saved_(gameState) { Desktop::Get().SetObserver(this); }
  ~FishShopTest() override {
    Desktop::Get().SetObserver(nullptr);
    gameState = saved_;
    ClearCreel();
  }
  void BoxOpened(std::string_view text, std::string_view, unsigned) override {
    boxes_.emplace_back(text);
    boxTimes_.push_back(Now());
  }
  // Runs one visit; whether the shop closed by itself.
  bool Visit() {
    TSakanaya shop(nullptr, 6);
    shop_ = &shop;
    try {
      shop.Execute();
    } catch (const OutOfSteps&) {
    }
    return !shop.IsCreated();
  }

  GameState saved_;
  TSakanaya* shop_ = nullptr;
  std::vector<std::string> boxes_;
  std::vector<std::uint64_t> boxTimes_;
};

TEST_F(FishShopTest, TheSalePaysExactlyTheOfferShown) {
  struct Case {
    std::initializer_list<CreelEntry> creel;
    int money;
    const char* offer;
    int moneyAfter;
  } cases[] = {
      {{}, 4300, "￥     0でいいかい", 4300},
      {{{1, 9.0, 1.0}, {5, 30.0, 1.0}, {4, 20.0, 1.0}}, 4300, "￥   600でいいかい", 4900},
      {{{5, 10.0, 0.0065}}, 0, "￥     3でいいかい", 3},            // 0.65 + 1.95: truncated parts pay 1
      {{{5, 30.0, 1.2}, {4, 20.0, 0.6}}, 0, "￥   540でいいかい", 540},  // 179.99999999999997 + 360
      {{{5, 30.0, 1.0}}, INT_MAX - 100, "￥   400でいいかい", INT_MAX},
  };
  for (const Case& c : cases) {
    std::fill(std::begin(creel), std::end(creel), CreelEntry{});
    creelCount = 0;
    for (const CreelEntry& f : c.creel) creel[creelCount++] = f;
    gameState.money = c.money;
    boxes_.clear();
    ThenAnswer(IDNO);   // not buying
    ThenAnswer(IDYES);  // selling
    Then([](HeadlessPlatform&) -> std::optional<InputEvent> {
      return CommandEvent(Desktop::Get().TopmostModal(), 117);  // the day result's OK
    });
    ThenAnswer(IDYES);
    EXPECT_TRUE(Visit()) << c.offer;
    ASSERT_EQ(boxes_.size(), 3u) << c.offer;
    EXPECT_EQ(boxes_[2], c.offer);
    EXPECT_EQ(gameState.money, c.moneyAfter) << c.offer;
    EXPECT_EQ(creelCount + todayCarpWeight + creel[0].weightKg, 0.0) << c.offer;
  }
}

TEST_F(FishShopTest, TheShopShowsForASecondAndARepaintDoesNotStartTheTalkAgain) {
  Then([this](HeadlessPlatform& p) -> std::optional<InputEvent> {
    // The welcome is up over the shop's picture: paint the shop again.
    EXPECT_EQ(shop_->ClientSurface().Pixel(100, 100), BitmapResource(18).Pixel(100, 100));
    shop_->Invalidate();
    p.BeginWait(10);
    return std::nullopt;
  });
  ThenAnswer(IDYES);
  ThenAnswer(IDNO);
  ThenAnswer(IDOK);
  EXPECT_TRUE(Visit());
  EXPECT_EQ(boxes_, (std::vector<std::string>{"いらっしゃい！なにしょう！買いに来たの？",
                                              "これは、￥１０００になるよ！買うの？", "からかいかよ！"}));
  EXPECT_EQ(boxTimes_[0], 1000u);
}
}  // namespace
