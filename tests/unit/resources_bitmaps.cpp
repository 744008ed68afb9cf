#include <gtest/gtest.h>

#include <set>
#include <vector>

#include "framework/Resources.h"

namespace {

// Numbers and sizes as the screens that draw them expect, typed independently of the resource
// table: {first id, last id, width, height, colours}.
struct Range {
  int first, last, width, height, colors;
};
constexpr Range kExpected[] = {
    {1, 5, 16, 128, 256},    {6, 7, 16, 16, 256},     {8, 11, 16, 128, 256},   {12, 14, 32, 32, 256},
    {15, 15, 48, 64, 256},   {16, 17, 32, 32, 256},   {18, 18, 200, 200, 256}, {19, 22, 48, 64, 256},
    {23, 23, 128, 64, 256},  {24, 24, 64, 64, 256},   {25, 25, 128, 64, 256},  {26, 26, 600, 400, 256},
    {27, 28, 16, 16, 256},   {29, 29, 400, 300, 256}, {30, 30, 200, 100, 2},   {31, 31, 100, 50, 2},
    {32, 32, 400, 350, 256}, {33, 33, 200, 200, 256}, {34, 40, 256, 128, 256}, {41, 41, 600, 400, 256},
    {42, 42, 32, 32, 16},    {43, 43, 118, 75, 256},  {44, 44, 65, 65, 256},   {45, 45, 600, 400, 256},
    {46, 46, 256, 128, 256}, {70, 70, 256, 128, 256}, {71, 71, 8, 96, 256},    {72, 73, 32, 96, 256},
    {74, 77, 96, 96, 256},
};

std::set<TColor> Colours(const Surface& s) {
  std::set<TColor> c;
  for (int y = 0; y < s.Height(); ++y) c.insert(s.Row(y), s.Row(y) + s.Width());
  return c;
}

TEST(ResourcesBitmaps, EveryNumberHasItsSizeAndDepth) {
  const auto table = BitmapResourceTable();
  std::size_t i = 0;
  for (const Range& r : kExpected)
    for (int id = r.first; id <= r.last; ++id, ++i) {
      SCOPED_TRACE(id);
      ASSERT_LT(i, table.size());
      EXPECT_EQ(table[i].id, id);
      EXPECT_EQ(std::tie(table[i].width, table[i].height, table[i].colors), std::tie(r.width, r.height, r.colors));
      const Surface& s = BitmapResource(id);
      EXPECT_EQ(s.Bounds(), TRect::FromSize(0, 0, r.width, r.height));
      EXPECT_EQ(&BitmapResource(id), &s) << "not cached";
      const auto colours = Colours(s);
      EXPECT_GE(colours.size(), 2u) << "a plain fill shows nothing";
      EXPECT_LE(colours.size(), static_cast<std::size_t>(r.colors));
      if (r.colors == 2) {
        EXPECT_EQ(colours, (std::set<TColor>{kBlack, kWhite}));
      }
    }
  EXPECT_EQ(i, 54u);
  EXPECT_EQ(table.size(), 54u);
}

TEST(ResourcesBitmaps, PicturesOfEqualSizeCanBeToldApart) {
  const auto table = BitmapResourceTable();
  for (std::size_t i = 0; i < table.size(); ++i)
    for (std::size_t j = i + 1; j < table.size(); ++j) {
      if (table[i].width != table[j].width || table[i].height != table[j].height) continue;
      EXPECT_FALSE(BitmapResource(table[i].id) == BitmapResource(table[j].id)) << table[i].id << ", " << table[j].id;
    }
}

// Drawn as mask AND, then sprite OR: where the mask is white the scene must come through unchanged.
TEST(ResourcesBitmaps, SpritesLeaveTheSceneAloneOutsideTheirMask) {
  const Surface& scene = BitmapResource(70);
  for (int sprite : {72, 74, 76}) {
    SCOPED_TRACE(sprite);
    const Surface& picture = BitmapResource(sprite);
    const Surface& mask = BitmapResource(sprite + 1);
    ASSERT_EQ(picture.Bounds(), mask.Bounds());
    EXPECT_EQ(Colours(mask), (std::set<TColor>{kBlack, kWhite}));
    Surface out(picture.Width(), picture.Height());
    out.Blit(0, 0, out.Width(), out.Height(), scene, 10, 0, Rop::SrcCopy, out.Bounds());
    out.Blit(0, 0, out.Width(), out.Height(), mask, 0, 0, Rop::SrcAnd, out.Bounds());
    out.Blit(0, 0, out.Width(), out.Height(), picture, 0, 0, Rop::SrcPaint, out.Bounds());
    int shown = 0;
    for (int y = 0; y < out.Height(); ++y)
      for (int x = 0; x < out.Width(); ++x) {
        if (mask.Pixel(x, y) == kWhite) {
          ASSERT_EQ(out.Pixel(x, y), scene.Pixel(x + 10, y)) << x << "," << y;
        }
        shown += mask.Pixel(x, y) == kBlack && picture.Pixel(x, y) != kBlack;
      }
    // Line drawings of a rod and a float: a tenth of the square is plenty to be seen.
    EXPECT_GT(shown, out.Width() * out.Height() / 10) << "the sprite should be clearly visible";
  }
}

// The lure picture is cut to the float's height above the water: with the bait settled (depth 80)
// only its top 16 rows are drawn, and they must still show the twitch.
TEST(ResourcesBitmaps, LureShowsAboveASettledFloat) {
  const Surface& mask = BitmapResource(73);
  int shown = 0;
  for (int y = 0; y < 16; ++y)
    for (int x = 0; x < mask.Width(); ++x) shown += mask.Pixel(x, y) == kBlack;
  EXPECT_GT(shown, 16 * mask.Width() / 8);
}

TEST(ResourcesBitmaps, SceneHasNoSeamUnderTheFloatStrip) {
  const Surface& scene = BitmapResource(70);
  for (int y = 0; y < 96; ++y)
    for (int x = 0; x < 8; ++x) ASSERT_EQ(scene.Pixel(122 + x, y), scene.Pixel(132 + x, y)) << x << "," << y;
}

// The lure's repair copies scene columns 122..153 over 130..161, and the float is drawn with its own
// background over columns 132..139 at any depth: both need one plain colour there, the float's.
TEST(ResourcesBitmaps, FloatAndLureLeaveNoStripInTheScene) {
  const Surface& scene = BitmapResource(70);
  const Surface& floatPicture = BitmapResource(71);
  const TColor sky = floatPicture.Pixel(0, 0);
  EXPECT_EQ(floatPicture.Pixel(7, 0), sky);
  for (int y = 0; y < 96; ++y)
    for (int x = 122; x < 162; ++x) ASSERT_EQ(scene.Pixel(x, y), sky) << x << "," << y;
  EXPECT_NE(scene.Pixel(135, 96), sky) << "the water line is at row 96";
}

TEST(ResourcesBitmapsDeathTest, UnknownNumbersAbort) {
  for (int id : {0, 47, 69, 78}) EXPECT_DEATH(BitmapResource(id), std::to_string(id));
}

}  // namespace
