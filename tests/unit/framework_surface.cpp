#include <gtest/gtest.h>

#include "framework/Surface.h"

namespace {
Surface Pattern(int w, int h) {
  Surface s(w, h);
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x) s.SetPixel(x, y, Rgb(x * 10, y * 10, 7));
  return s;
}
}  // namespace

TEST(SurfaceBlit, CopyAndOrCombinePixelByPixel) {
  Surface dst(4, 1);
  const TColor d[] = {0x00FF00F0, 0x0000FFFF, 0x00123456, 0x00FFFFFF};
  for (int x = 0; x < 4; ++x) dst.SetPixel(x, 0, d[x]);
  Surface src(4, 1);
  const TColor s[] = {0x000F0F0F, 0x00FFFFFF, 0x00000000, 0x00ABCDEF};
  for (int x = 0; x < 4; ++x) src.SetPixel(x, 0, s[x]);

  Surface anded = dst;
  anded.Blit(0, 0, 4, 1, src, 0, 0, Rop::SrcAnd, anded.Bounds());
  Surface ored = dst;
  ored.Blit(0, 0, 4, 1, src, 0, 0, Rop::SrcPaint, ored.Bounds());
  Surface copied = dst;
  copied.Blit(0, 0, 4, 1, src, 0, 0, Rop::SrcCopy, copied.Bounds());
  for (int x = 0; x < 4; ++x) {
    EXPECT_EQ(anded.Pixel(x, 0), d[x] & s[x]) << x;
    EXPECT_EQ(ored.Pixel(x, 0), d[x] | s[x]) << x;
    EXPECT_EQ(copied.Pixel(x, 0), s[x]) << x;
  }
}

TEST(SurfaceBlit, MaskThenSpriteKeepsTheSceneAroundThePicture) {
  Surface scene = Pattern(8, 8);
  Surface mask(8, 8, kWhite), sprite(8, 8, kBlack);
  mask.Fill({2, 2, 5, 5}, kBlack);
  sprite.Fill({2, 2, 5, 5}, Rgb(200, 10, 10));
  Surface drawn = scene;
  drawn.Blit(0, 0, 8, 8, mask, 0, 0, Rop::SrcAnd, drawn.Bounds());
  drawn.Blit(0, 0, 8, 8, sprite, 0, 0, Rop::SrcPaint, drawn.Bounds());
  for (int y = 0; y < 8; ++y)
    for (int x = 0; x < 8; ++x) {
      bool inside = x >= 2 && x < 5 && y >= 2 && y < 5;
      EXPECT_EQ(drawn.Pixel(x, y), inside ? Rgb(200, 10, 10) : scene.Pixel(x, y)) << x << "," << y;
    }
}

TEST(SurfaceBlit, ClipsToTargetSourceAndClipRect) {
  const Surface src = Pattern(10, 10);
  Surface dst(6, 6, kWhite);
  // Partly off the top-left of the target: the source offsets follow the clipping.
  dst.Blit(-2, -3, 5, 5, src, 1, 1, Rop::SrcCopy, dst.Bounds());
  EXPECT_EQ(dst.Pixel(0, 0), src.Pixel(3, 4));
  EXPECT_EQ(dst.Pixel(2, 1), src.Pixel(5, 5));
  EXPECT_EQ(dst.Pixel(3, 0), kWhite);
  EXPECT_EQ(dst.Pixel(0, 2), kWhite);

  // A source area reaching past the source bitmap copies only what exists.
  Surface partial(6, 6, kWhite);
  partial.Blit(0, 0, 6, 6, src, 7, 7, Rop::SrcCopy, partial.Bounds());
  EXPECT_EQ(partial.Pixel(2, 2), src.Pixel(9, 9));
  EXPECT_EQ(partial.Pixel(3, 3), kWhite);
  EXPECT_EQ(partial.Pixel(0, 3), kWhite);

  // The clip rectangle bounds every write.
  Surface clipped(6, 6, kWhite);
  clipped.Blit(0, 0, 6, 6, src, 0, 0, Rop::SrcCopy, {1, 1, 3, 4});
  int written = 0;
  for (int y = 0; y < 6; ++y)
    for (int x = 0; x < 6; ++x)
      if (clipped.Pixel(x, y) != kWhite) {
        ++written;
        EXPECT_TRUE(x >= 1 && x < 3 && y >= 1 && y < 4) << x << "," << y;
      }
  EXPECT_EQ(written, 6);
}
