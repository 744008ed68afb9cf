#include <gtest/gtest.h>

#include <map>
#include <optional>
#include <span>

#include "framework/Resources.h"

// Every place a player clicks on a picture must show the thing it opens. The rectangles are
// typed here as the screens use them, independently of the code that tests the clicks.
namespace {

// Places as {left, top, right, bottom}, all four bounds inside the place.
struct Place {
  const char* name;
  int left, top, right, bottom;
};

// The map's rectangles have strict bounds: a place is the inside of its rectangle.
Place Inside(const char* name, int left, int right, int top, int bottom) {
  return {name, left + 1, top + 1, right - 1, bottom - 1};
}

const Place kMapShops[] = {Inside("home", 14, 113, 300, 372), Inside("tackle shop", 134, 245, 267, 383),
                           Inside("fish shop", 256, 343, 297, 375)};
const Place kMapMasters[] = {Inside("rod master", 146, 185, 12, 51), Inside("float master", 246, 279, 48, 86),
                             Inside("hook master", 332, 369, 140, 176), Inside("line master", 449, 487, 179, 217),
                             Inside("bait master", 534, 573, 204, 241)};
const Place kMapWaters[] = {Inside("pond", 456, 578, 20, 117),   Inside("丸湖", 14, 103, 21, 107),
                            Inside("扇湖", 137, 246, 78, 163),   Inside("三角湖", 271, 327, 187, 232),
                            Inside("出島湖", 384, 483, 243, 320), Inside("三日月湖", 521, 579, 271, 364)};
constexpr TPoint kMarkers[] = {{546, 32}, {55, 55}, {180, 120}, {290, 200}, {425, 285}, {555, 320}};

// The five slots first, then the spots drawn straight on the wall.
const Place kHouseSpots[] = {
    {"rod slot", 12, 166, 23, 285},  {"float slot", 45, 166, 58, 285}, {"hook slot", 84, 179, 102, 204},
    {"line slot", 79, 246, 106, 266}, {"bait slot", 136, 163, 172, 223}, {"other gear", 125, 248, 182, 283},
    {"skill", 195, 168, 240, 209},    {"money", 202, 249, 229, 274}};
// Where the equipped pictures are drawn: {x, y, blank picture}.
struct Slot {
  int x, y, blank;
};
constexpr Slot kHouseSlots[] = {{10, 160, 11}, {45, 160, 11}, {77, 178, 12}, {78, 245, 12}, {130, 160, 15}};

const Place kShopItems[] = {
    {"rod 4", 15, 197, 27, 320},     {"rod 3", 43, 197, 53, 320},      {"rod 2", 71, 197, 83, 320},
    {"rod 1", 98, 197, 111, 320},    {"float 2", 24, 34, 36, 159},     {"float 1", 53, 34, 65, 159},
    {"hook 1", 273, 30, 299, 59},    {"line 1", 273, 113, 299, 143},   {"bait 3", 195, 37, 234, 96},
    {"bait 2", 195, 142, 234, 198},  {"bait 1", 195, 239, 234, 293},   {"rod rest", 260, 192, 379, 228},
    {"tackle box", 113, 267, 181, 312}, {"landing net", 260, 274, 379, 326}};

double Share(const Surface& s, const Place& p, auto&& counts) {
  int n = 0, hits = 0;
  for (int y = p.top; y <= p.bottom; ++y)
    for (int x = p.left; x <= p.right; ++x, ++n) hits += counts(s.Pixel(x, y)) ? 1 : 0;
  return static_cast<double>(hits) / n;
}

// The colour of most pixels outside the given places: the picture's plain ground.
TColor Ground(const Surface& s, std::span<const TRect> skip = {}, std::optional<TColor> other = {}) {
  std::map<TColor, int> count;
  for (int y = 0; y < s.Height(); ++y)
    for (int x = 0; x < s.Width(); ++x) {
      bool skipped = s.Pixel(x, y) == other;
      for (const TRect& r : skip) skipped |= r.Contains({x, y});
      if (!skipped) ++count[s.Pixel(x, y)];
    }
  return std::max_element(count.begin(), count.end(), [](auto& a, auto& b) { return a.second < b.second; })->first;
}

// Most of each place is drawn on, not bare ground.
void ExpectDrawn(const Surface& s, std::span<const Place> places, TColor ground, double share) {
  for (const Place& p : places)
    EXPECT_GE(Share(s, p, [&](TColor c) { return c != ground; }), share) << p.name;
}

// The world button's corners are the maps' grass.
TColor Grass() { return BitmapResource(44).Pixel(0, 0); }

TEST(ResourcesArt, HomeMapShowsEveryPlaceInItsRectangle) {
  const Surface& map = BitmapResource(26);
  EXPECT_EQ(Ground(map), Grass());
  ExpectDrawn(map, kMapShops, Grass(), 0.5);
  ExpectDrawn(map, kMapMasters, Grass(), 0.5);
  ExpectDrawn(map, kMapWaters, Grass(), 0.4);
}

TEST(ResourcesArt, WorldMapKeepsTheWatersAndShopsInTheSamePlaces) {
  const Surface& map = BitmapResource(45);
  ExpectDrawn(map, kMapShops, Grass(), 0.5);
  ExpectDrawn(map, kMapWaters, Grass(), 0.4);
}

// A marker is drawn with its square ground, so that ground must be the water it lands on; the
// water takes up a good part of each water's place.
TEST(ResourcesArt, MarkersLandOnPlainWater) {
  for (int id : {26, 45}) {
    const Surface& map = BitmapResource(id);
    for (int water = 0; water < 6; ++water) {
      SCOPED_TRACE(testing::Message() << "map " << id << ", water " << water);
      const TColor ground = BitmapResource(water == 0 ? 27 : 28).Pixel(0, 0);
      for (int y = 0; y < 16; ++y)
        for (int x = 0; x < 16; ++x) ASSERT_EQ(map.Pixel(kMarkers[water].x + x, kMarkers[water].y + y), ground);
      EXPECT_GE(Share(map, kMapWaters[water], [&](TColor c) { return c == ground; }), 0.2);
    }
  }
}

TEST(ResourcesArt, WorldButtonSitsOnOpenGrass) {
  const Surface& map = BitmapResource(26);
  for (int y = 195; y < 195 + 65; ++y)
    for (int x = 140; x < 140 + 65; ++x) ASSERT_EQ(map.Pixel(x, y), Grass()) << x << "," << y;
}

TEST(ResourcesArt, HouseShowsItsSpotsSlotsAndPrintFrames) {
  const Surface& house = BitmapResource(29);
  const TRect prints[] = {TRect::FromSize(40, 15, 200, 100), TRect::FromSize(295, 5, 100, 50),
                          TRect::FromSize(295, 65, 100, 50), TRect::FromSize(295, 125, 100, 50),
                          TRect::FromSize(295, 185, 100, 50), TRect::FromSize(295, 245, 100, 50)};
  // Neither bare wall nor, for the spots on the wall, the bare grey of the rack the slots hang on.
  const TColor wall = Ground(house, prints, kFaceGrey);
  ExpectDrawn(house, kHouseSpots, wall, 0.6);
  for (const Place& spot : std::span(kHouseSpots).subspan(5))
    EXPECT_GE(Share(house, spot, [&](TColor c) { return c != kFaceGrey; }), 0.6) << spot.name;
  // A print covers its frame's inside exactly: the ring around it is all frame.
  for (const TRect& r : prints) {
    const TColor frame = house.Pixel(r.left - 1, r.top - 1);
    EXPECT_NE(frame, wall);
    for (int x = r.left - 1; x <= r.right; ++x) {
      EXPECT_EQ(house.Pixel(x, r.top - 1), frame) << x;
      EXPECT_EQ(house.Pixel(x, r.bottom), frame) << x;
    }
    for (int y = r.top; y < r.bottom; ++y) {
      EXPECT_EQ(house.Pixel(r.left - 1, y), frame) << y;
      EXPECT_EQ(house.Pixel(r.right, y), frame) << y;
    }
  }
  // An equipped picture hangs on the rack: its grey ground meets the rack's grey all round.
  for (const Slot& slot : kHouseSlots) {
    const Surface& blank = BitmapResource(slot.blank);
    const TRect r = TRect::FromSize(slot.x, slot.y, blank.Width(), blank.Height());
    SCOPED_TRACE(slot.blank);
    for (int x = r.left - 1; x <= r.right; ++x) {
      EXPECT_EQ(house.Pixel(x, r.top - 1), kFaceGrey) << x;
      EXPECT_EQ(house.Pixel(x, r.bottom), kFaceGrey) << x;
    }
    for (int y = r.top; y < r.bottom; ++y) {
      EXPECT_EQ(house.Pixel(r.left - 1, y), kFaceGrey) << y;
      EXPECT_EQ(house.Pixel(r.right, y), kFaceGrey) << y;
    }
  }
}

TEST(ResourcesArt, TackleShopShowsEveryItemInItsRegion) {
  const Surface& shop = BitmapResource(32);
  ExpectDrawn(shop, kShopItems, Ground(shop), 0.6);
}

// The tackle pictures are drawn on the dialogs' grey (choosers, sales corner, home rack).
TEST(ResourcesArt, TacklePicturesStandOnDialogGrey) {
  for (int id = 1; id <= 25; ++id) {
    if (id == 18) continue;  // the fish shop
    const Surface& s = BitmapResource(id);
    EXPECT_EQ(s.Pixel(0, s.Height() - 1), kFaceGrey) << id;
    EXPECT_EQ(s.Pixel(s.Width() - 1, s.Height() - 1), kFaceGrey) << id;
  }
}

}  // namespace
