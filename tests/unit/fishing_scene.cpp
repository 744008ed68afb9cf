// Where the fishing pictures land: the float strip and its repair, sprites through their masks.
#include "fishing/FishingScene.h"
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
}  // namespace
