#include <optional>
#include <vector>

#include "shops/Home.h"
#include "shops/Shop.h"
#include "state/Catalog.h"
#include "state/GameState.h"
#include "state/Reset.h"
#include "tests/unit/DesktopFixture.h"
#include "tests/unit/PictureAsserts.h"

namespace {
constexpr int kShopTemplate = 4, kHomeTemplate = 2;
constexpr int kCmSell = 101, kCmBack = 102;

// The spots of the shop picture (inclusive bounds) and the picture the sales corner then shows.
struct SpotCase {
  int left, right, top, bottom;
  int catalogIndex, picture;
};
constexpr SpotCase kSpots[] = {
    {15, 27, 197, 320, 12, 2},    {43, 53, 197, 320, 13, 3},    {71, 83, 197, 320, 14, 4},
    {98, 111, 197, 320, 15, 5},   {24, 36, 34, 159, 22, 9},     {53, 65, 34, 159, 23, 10},
    {273, 299, 30, 59, 32, 14},   {273, 299, 113, 143, 42, 17}, {195, 234, 37, 96, 52, 20},
    {195, 234, 142, 198, 53, 21}, {195, 234, 239, 293, 54, 22}, {260, 379, 192, 228, 61, 23},
    {113, 181, 267, 312, 62, 24}, {260, 379, 274, 326, 63, 25},
};

class ShopTest : public DesktopTest {
 protected:
  ShopTest() : saved_(gameState) {}
  ~ShopTest() override { gameState = saved_; }

  // What the next click on the shop opened: the selection and the sales corner's pixels, or
  // nothing when no corner opened.
  struct Opened {
    int selection;
    Surface corner;
  };

  // Clicks the shop at p; when a sales corner opens, records it, presses button command there and
  // answers the boxes that follow.
  std::optional<Opened> ClickShop(TShop& shop, TPoint p, int command = kCmBack, std::vector<int> answers = {}) {
    std::optional<Opened> opened;
    Then([&](HeadlessPlatform&) -> std::optional<InputEvent> {
      TWindow* top = Desktop::Get().TopmostModal();
      if (!dynamic_cast<TShop2*>(top)) return std::nullopt;
      top->UpdateWindow();
      opened = Opened{shopSelection, top->ClientSurface()};
      for (int answer : answers) ThenAnswer(answer);
      return CommandEvent(top, command);
    });
    Message m;
    m.kind = Msg::LButtonDown;
    m.point = p;
    shop.Dispatch(m);
    steps_.clear();
    return opened;
  }
  GameState saved_;
};
}  // namespace

TEST_F(ShopTest, EverySpotOpensItsItemInsideItsInclusiveBoundsOnly) {
  TShop shop(nullptr, kShopTemplate);
  for (const SpotCase& c : kSpots) {
    SCOPED_TRACE(c.catalogIndex);
    for (TPoint p : {TPoint{c.left, c.top}, TPoint{c.right, c.bottom}}) {
      std::optional<Opened> opened = ClickShop(shop, p);
      ASSERT_TRUE(opened) << p.x << "," << p.y;
      EXPECT_EQ(opened->selection, c.catalogIndex);
      // The picture is centred on (120, 70).
      const Surface& picture = BitmapResource(c.picture);
      EXPECT_TRUE(PictureAt(opened->corner, c.picture, 120 - picture.Width() / 2, 70 - picture.Height() / 2));
    }
    for (TPoint p : {TPoint{c.left - 1, c.top}, TPoint{c.left, c.top - 1}, TPoint{c.right + 1, c.bottom},
                     TPoint{c.right, c.bottom + 1}}) {
      EXPECT_FALSE(ClickShop(shop, p)) << p.x << "," << p.y;
      EXPECT_EQ(shopSelection, 0) << "a click outside every spot picks nothing";
    }
  }
}

TEST_F(ShopTest, SellingTheEquippedRodLeavesTheHomesRodSlotBlank) {
  ResetGameState();
  gameState.items[14].owned = 1;
  gameState.equipped[1] = 2;
  TShop shop(nullptr, kShopTemplate);
  ASSERT_TRUE(ClickShop(shop, {77, 250}, kCmSell, {IDYES}));
  EXPECT_EQ(int{gameState.equipped[1]}, 0);
  EXPECT_EQ(int32_t{gameState.money}, 4300 + 500);
  THome home(nullptr, kHomeTemplate);
  home.Create();
  home.UpdateWindow();
  EXPECT_TRUE(PictureAt(home.ClientSurface(), 11, 10, 160));
  home.Destroy();
}
