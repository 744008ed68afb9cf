#pragma once
#include <utility>

#include "framework/Surface.h"

// A bitmap loaded from the program's resources by number; it keeps its own pixels.
class TBitmap {
 public:
  explicit TBitmap(int resourceId);
  explicit TBitmap(Surface pixels) : pixels_(std::move(pixels)) {}
  int Width() const { return pixels_.Width(); }
  int Height() const { return pixels_.Height(); }
  Surface& Pixels() { return pixels_; }
  const Surface& Pixels() const { return pixels_; }

 private:
  Surface pixels_;
};
