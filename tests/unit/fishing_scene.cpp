// Where the fishing pictures land: the float strip and its repair, sprites through their masks.
#include <functional>

#include "fishing/FishingScene.h"
#include "fishing/StatusLine.h"
#include "fishing/TripVariables.h"
#include "framework/Bitmap.h"
#include "framework/DC.h"
#include "framework/Look.h"
#include "state/ProcessValues.h"
#include "framework/Resources.h"
#include "tests/unit/FishingFixture.h"

namespace {
const Surface& Bitmap(int id) { return BitmapResource(id); }

class SceneTest : public FishingTest {};

TEST_F(SceneTest, TheFloatStandsOutOfTheWaterByItsDepthClampedForDrawingOnly) {
  struct DepthCase {
    int depth, drawnAs;
  } cases[] = {{-5, 0}, {0, 0}, {40, 40}, {96, 96}, {100, 96}};
  for (const DepthCase& c : cases) {
    dialog.Scene().Float(c.depth);
    for (int y = 0; y < 96; ++y)
      for (int x = 0; x < 8; ++x) {
        // Above the float the strip is the scene's column 122 onward; below, the float's top.
        const TColor want = y < c.drawnAs ? Bitmap(70).Pixel(122 + x, y) : Bitmap(71).Pixel(x, y - c.drawnAs);
        ASSERT_EQ(dialog.Screen().Pixel(182 + x, 10 + y), want) << "depth " << c.depth << " at " << x << "," << y;
      }
  }
}

TEST_F(SceneTest, TheCastSpriteShowsTheSceneThroughTheWhiteOfItsMask) {
  dialog.Scene().WholeScene();
  dialog.Scene().CastPicture();
  for (int y = 0; y < 96; y += 5)
    for (int x = 0; x < 96; x += 5) {
      const TColor want = (Bitmap(70).Pixel(46 + x, y) & Bitmap(75).Pixel(x, y)) | Bitmap(74).Pixel(x, y);
      ASSERT_EQ(dialog.Screen().Pixel(96 + x, 10 + y), want) << x << "," << y;
    }
  dialog.Scene().CastDone();
  EXPECT_EQ(dialog.Screen().Pixel(96 + 40, 10 + 40), Bitmap(70).Pixel(46 + 40, 40));
}

// The strike and lure sprites are drawn over a float strip repaired from the scene's column 122, so
// the float never shows through the white of their masks; their "done" repairs bring the scene back.
TEST_F(SceneTest, SpritesCoverARepairedFloatStripAndTheirRepairsRestoreTheScene) {
  struct SpriteCase {
    const char* name;
    std::function<void(FishingScene&)> draw, done;
    int x, y, width, height, picture, mask;
    int restoredFromX;  // scene column the repair copies from, at the sprite's x
  } cases[] = {
      {"strike", [](FishingScene& s) { s.StrikePicture(); }, [](FishingScene& s) { s.StrikeDone(); }, 116, 10, 96, 96, 76,
       77, 66},
      {"lure", [](FishingScene& s) { s.LurePicture(30); }, [](FishingScene& s) { s.LureDone(30); }, 180, 40, 32, 66, 72, 73,
       122},
  };
  for (const SpriteCase& c : cases) {
    SCOPED_TRACE(c.name);
    dialog.Scene().WholeScene();
    dialog.Scene().Float(0);  // the float fully up: it would show through a sprite drawn without the repair
    c.draw(dialog.Scene());
    for (int y = 0; y < c.height; ++y)
      for (int x = 0; x < c.width; ++x) {
        const int sx = c.x + x, sy = c.y + y;
        // Under the sprite: the scene, except the float strip, which is the scene's repair column.
        const bool inStrip = sx >= 182 && sx < 190 && sy < 106;
        const TColor under = inStrip ? Bitmap(70).Pixel(122 + sx - 182, sy - 10) : Bitmap(70).Pixel(sx - 50, sy - 10);
        const TColor want = (under & Bitmap(c.mask).Pixel(x, y)) | Bitmap(c.picture).Pixel(x, y);
        ASSERT_EQ(dialog.Screen().Pixel(sx, sy), want) << x << "," << y;
      }
    c.done(dialog.Scene());
    for (int y = 0; y < c.height; y += 3)
      for (int x = 0; x < c.width; x += 7) {
        if (c.x + x >= 182 && c.x + x < 190) continue;  // the lure's repair puts the float back there
        ASSERT_EQ(dialog.Screen().Pixel(c.x + x, c.y + y), Bitmap(70).Pixel(c.restoredFromX + x, c.y - 10 + y)) << x << "," << y;
      }
  }
}
// The clock as the trip draws it, a tick a second with a repaint now and then (a closed result
// window uncovers part of it), always shows what a fresh paint of that second shows: no digit
// drawn without its background, no glyph but its own, with whichever rasterizer the build has.
TEST(StatusLineTest, TheTickedClockAlwaysLooksLikeAFreshPaint) {
  struct Case {
    const char* what;
    int water;
    int lastSecond;
  } cases[] = {{"a trip's time", 0, 1300}, {"a tournament's time left", 10, 1200}};
  for (const Case& c : cases) {
    selectedWater = c.water;
    baitThrown = 0;
    elapsedSeconds = 0;
    TBitmap ticked(Surface(400, 64, kFaceGrey));
    TMemoryDC tickedDc;
    tickedDc.SelectObject(ticked);
    PaintStatusLine(tickedDc);
    for (int second = 1; second <= c.lastSecond; ++second) {
      elapsedSeconds = second;
      TickStatusLine(tickedDc);
      if (second % 97 == 0) {  // a repaint of the clock's left half only
        TBitmap half(Surface(400, 64, kFaceGrey));
        TMemoryDC halfDc;
        halfDc.SelectObject(half);
        PaintStatusLine(halfDc);
        tickedDc.BitBlt(310, 0, 12, 64, halfDc, 310, 0);
      }
      TBitmap fresh(Surface(400, 64, kFaceGrey));
      TMemoryDC freshDc;
      freshDc.SelectObject(fresh);
      PaintStatusLine(freshDc);
      ASSERT_TRUE(ticked.Pixels() == fresh.Pixels()) << c.what << " at second " << second;
    }
  }
  selectedWater = 0;
  elapsedSeconds = 0;
}

}  // namespace
