#pragma once
#include <gtest/gtest.h>

#include "framework/Resources.h"
#include "framework/Surface.h"

// Whether the visible part of picture id lies with its top-left corner at (x, y) of s (sampled).
inline ::testing::AssertionResult PictureAt(const Surface& s, int id, int x, int y) {
  const Surface& b = BitmapResource(id);
  for (int by = 0; by < b.Height(); by += 3)
    for (int bx = 0; bx < b.Width(); bx += 3) {
      if (!s.Bounds().Contains({x + bx, y + by})) continue;
      if (s.Pixel(x + bx, y + by) != b.Pixel(bx, by))
        return ::testing::AssertionFailure() << "picture " << id << " differs at " << bx << "," << by;
    }
  return ::testing::AssertionSuccess();
}
