#include <functional>
#include <memory>

#include "framework/DC.h"
#include "shops/Choosers.h"
#include "state/GameState.h"
#include "tests/unit/DesktopFixture.h"
#include "tests/unit/PictureAsserts.h"

namespace {
constexpr int kChooserTemplate = 3, kEmptyBox = 6, kTickedBox = 7;

struct Box {
  int left, right, top, bottom;  // inclusive
};

// Every place of the five choosers, as the player sees them.
struct PlaceCase {
  const char* chooser;
  std::function<std::unique_ptr<TDialog>()> make;
  int category, itemNumber, catalogIndex, picture;
  TPoint picturePos, markerPos;
  Box left, right;
};

template <class T>
std::function<std::unique_ptr<TDialog>()> Make() {
  return [] { return std::make_unique<T>(nullptr, kChooserTemplate); };
}

const PlaceCase kPlaces[] = {
    {"rod", Make<TSao>(), 1, 5, 11, 1, {10, 10}, {10, 150}, {11, 25, 11, 165}, {11, 25, 11, 165}},
    {"rod", Make<TSao>(), 1, 4, 12, 2, {40, 10}, {40, 150}, {41, 55, 11, 165}, {41, 55, 11, 165}},
    {"rod", Make<TSao>(), 1, 3, 13, 3, {70, 10}, {70, 150}, {71, 85, 11, 165}, {71, 85, 11, 165}},
    {"rod", Make<TSao>(), 1, 2, 14, 4, {100, 10}, {100, 150}, {101, 115, 11, 165}, {101, 115, 11, 165}},
    {"rod", Make<TSao>(), 1, 1, 15, 5, {130, 10}, {130, 150}, {131, 145, 11, 165}, {131, 145, 11, 165}},
    {"float", Make<TFloat>(), 2, 3, 21, 8, {10, 10}, {10, 150}, {11, 25, 11, 165}, {11, 25, 11, 165}},
    {"float", Make<TFloat>(), 2, 2, 22, 9, {70, 10}, {70, 150}, {71, 85, 11, 165}, {71, 85, 11, 165}},
    {"float", Make<TFloat>(), 2, 1, 23, 10, {130, 10}, {130, 150}, {131, 145, 11, 165}, {131, 145, 11, 165}},
    {"hook", Make<THook>(), 3, 2, 31, 13, {10, 40}, {20, 100}, {11, 41, 41, 115}, {11, 41, 11, 115}},
    {"hook", Make<THook>(), 3, 1, 32, 14, {60, 40}, {70, 100}, {61, 91, 41, 115}, {61, 91, 11, 115}},
    {"line", Make<TLine>(), 4, 2, 41, 16, {10, 40}, {20, 100}, {11, 41, 41, 115}, {11, 41, 11, 115}},
    {"line", Make<TLine>(), 4, 1, 42, 17, {60, 40}, {70, 100}, {61, 91, 41, 115}, {61, 91, 11, 115}},
    {"bait", Make<TBait>(), 5, 4, 51, 19, {10, 10}, {65, 39}, {11, 80, 11, 73}, {11, 80, 11, 73}},
    {"bait", Make<TBait>(), 5, 3, 52, 20, {90, 10}, {145, 39}, {91, 160, 11, 73}, {91, 160, 11, 73}},
    {"bait", Make<TBait>(), 5, 2, 53, 21, {10, 90}, {65, 119}, {11, 80, 91, 153}, {11, 80, 91, 153}},
    {"bait", Make<TBait>(), 5, 1, 54, 22, {90, 90}, {145, 119}, {91, 160, 91, 153}, {91, 160, 91, 153}},
};

std::vector<TPoint> Corners(const Box& b) {
  return {{b.left, b.top}, {b.right, b.top}, {b.left, b.bottom}, {b.right, b.bottom}};
}
std::vector<TPoint> JustOutside(const Box& b) {
  return {{b.left - 1, b.top}, {b.left, b.top - 1}, {b.right + 1, b.bottom}, {b.right, b.bottom + 1}};
}

class ChooserTest : public DesktopTest {
 protected:
  ChooserTest() : saved_(gameState) {
    gameState = GameState{};
    for (const PlaceCase& c : kPlaces) gameState.items[c.catalogIndex].owned = 1;
  }
  ~ChooserTest() override { gameState = saved_; }

  static void Click(TDialog& d, Msg button, TPoint p) {
    Message m;
    m.kind = button;
    m.point = p;
    d.Dispatch(m);
  }
  static int Equipped(int category) { return gameState.equipped[category]; }
  static void Equip(int category, int n) { gameState.equipped[category] = static_cast<uint8_t>(n); }

  GameState saved_;
};
}  // namespace

TEST_F(ChooserTest, TheLeftButtonEquipsAnOwnedItemInsideItsRegionOnly) {
  for (const PlaceCase& c : kPlaces) {
    SCOPED_TRACE(std::string(c.chooser) + " " + std::to_string(c.itemNumber));
    auto chooser = c.make();
    for (TPoint p : Corners(c.left)) {
      Equip(c.category, 0);
      Click(*chooser, Msg::LButtonDown, p);
      EXPECT_EQ(Equipped(c.category), c.itemNumber) << p.x << "," << p.y;
    }
    for (TPoint p : JustOutside(c.left)) {
      Equip(c.category, 0);
      Click(*chooser, Msg::LButtonDown, p);
      EXPECT_EQ(Equipped(c.category), 0) << p.x << "," << p.y;
    }
    gameState.items[c.catalogIndex].owned = 0;
    Click(*chooser, Msg::LButtonDown, {c.left.left, c.left.top});
    EXPECT_EQ(Equipped(c.category), 0) << "an item not owned";
    gameState.items[c.catalogIndex].owned = 1;
  }
}

TEST_F(ChooserTest, TheRightButtonTakesOffOnlyTheEquippedItemInsideItsRegion) {
  for (const PlaceCase& c : kPlaces) {
    SCOPED_TRACE(std::string(c.chooser) + " " + std::to_string(c.itemNumber));
    auto chooser = c.make();
    for (TPoint p : Corners(c.right)) {
      Equip(c.category, c.itemNumber);
      Click(*chooser, Msg::RButtonDown, p);
      EXPECT_EQ(Equipped(c.category), 0) << p.x << "," << p.y;
    }
    for (TPoint p : JustOutside(c.right)) {
      Equip(c.category, c.itemNumber);
      Click(*chooser, Msg::RButtonDown, p);
      EXPECT_EQ(Equipped(c.category), c.itemNumber) << p.x << "," << p.y;
    }
    const int other = c.itemNumber == 1 ? 2 : 1;
    Equip(c.category, other);
    Click(*chooser, Msg::RButtonDown, {c.right.left, c.right.top});
    EXPECT_EQ(Equipped(c.category), other) << "another item is equipped";
    // Taking off does not ask whether the item is owned.
    gameState.items[c.catalogIndex].owned = 0;
    Equip(c.category, c.itemNumber);
    Click(*chooser, Msg::RButtonDown, {c.right.left, c.right.top});
    EXPECT_EQ(Equipped(c.category), 0) << "not owned";
    gameState.items[c.catalogIndex].owned = 1;
  }
}

TEST_F(ChooserTest, OwnedItemsShowTheirPictureAndTheTickMovesAtOnce) {
  for (const PlaceCase& c : kPlaces) {
    SCOPED_TRACE(std::string(c.chooser) + " " + std::to_string(c.itemNumber));
    Equip(c.category, 0);
    auto chooser = c.make();
    chooser->Create();
    chooser->UpdateWindow();
    const Surface& s = chooser->ClientSurface();
    EXPECT_TRUE(PictureAt(s, c.picture, c.picturePos.x, c.picturePos.y));
    EXPECT_TRUE(PictureAt(s, kEmptyBox, c.markerPos.x, c.markerPos.y));
    // Equipping repaints before anything else happens, so the tick is there while the chooser is open.
    Click(*chooser, Msg::LButtonDown, {c.left.left, c.left.top});
    chooser->UpdateWindow();
    EXPECT_TRUE(PictureAt(s, kTickedBox, c.markerPos.x, c.markerPos.y));
    // An item not owned leaves its place empty.
    const TColor empty = s.Pixel(1, 1);
    gameState.items[c.catalogIndex].owned = 0;
    chooser->Invalidate(true);
    chooser->UpdateWindow();
    EXPECT_EQ(s.Pixel(c.markerPos.x + 8, c.markerPos.y + 8), empty);
    EXPECT_EQ(s.Pixel(c.picturePos.x + 8, c.picturePos.y + 20), empty);
    gameState.items[c.catalogIndex].owned = 1;
    chooser->Destroy();
  }
}

TEST_F(ChooserTest, TheOtherGearShowsWhatIsOwnedAndTheRodRestIsClippedAtTheTop) {
  gameState.items[61].owned = 1;
  gameState.items[63].owned = 1;
  TSonota gear(nullptr, kChooserTemplate);
  gear.Create();
  gear.UpdateWindow();
  const Surface& s = gear.ClientSurface();
  const Surface& rodRest = BitmapResource(23);
  for (int x = 0; x < rodRest.Width(); x += 5) EXPECT_EQ(s.Pixel(20 + x, 0), rodRest.Pixel(x, 10)) << x;
  EXPECT_TRUE(PictureAt(s, 25, 20, 114));
  EXPECT_EQ(s.Pixel(74 + 32, 50 + 32), s.Pixel(1, 1)) << "the tackle box is not owned";
  // Clicks change nothing.
  Click(gear, Msg::LButtonDown, {30, 130});
  Click(gear, Msg::RButtonDown, {30, 130});
  EXPECT_EQ(std::string(reinterpret_cast<const char*>(gameState.equipped), 7), std::string(7, '\0'));
  gear.Destroy();
}
