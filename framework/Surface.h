#pragma once
#include <cstdint>
#include <vector>

#include "framework/Geometry.h"

// 0x00RRGGBB
using TColor = std::uint32_t;
constexpr TColor Rgb(int r, int g, int b) {
  return (static_cast<TColor>(r & 0xFF) << 16) | (static_cast<TColor>(g & 0xFF) << 8) | static_cast<TColor>(b & 0xFF);
}
constexpr TColor kBlack = Rgb(0, 0, 0);
constexpr TColor kWhite = Rgb(255, 255, 255);
constexpr TColor kFaceGrey = Rgb(192, 192, 192);   // dialog faces
constexpr TColor kShadowGrey = Rgb(128, 128, 128);

// Raster operations of a bit-block copy.
enum class Rop { SrcCopy, SrcAnd, SrcPaint };

// A 32-bit pixel buffer. Every window draws into one of these; bitmaps are one too.
class Surface {
 public:
  Surface() = default;
  Surface(int width, int height, TColor fill = kBlack);

  int Width() const { return width_; }
  int Height() const { return height_; }
  TRect Bounds() const { return {0, 0, width_, height_}; }

  TColor Pixel(int x, int y) const { return pixels_[static_cast<std::size_t>(y) * width_ + x]; }
  void SetPixel(int x, int y, TColor c) {
    if (x >= 0 && y >= 0 && x < width_ && y < height_) pixels_[static_cast<std::size_t>(y) * width_ + x] = c;
  }
  const TColor* Row(int y) const { return pixels_.data() + static_cast<std::size_t>(y) * width_; }
  TColor* Row(int y) { return pixels_.data() + static_cast<std::size_t>(y) * width_; }

  void Fill(const TRect& r, TColor c);
  // Copies w×h pixels from src at (sx,sy) to (dx,dy) combined by rop, clipped to both surfaces and to clip.
  void Blit(int dx, int dy, int w, int h, const Surface& src, int sx, int sy, Rop rop, const TRect& clip);
  void Blit(int dx, int dy, const Surface& src) { Blit(dx, dy, src.Width(), src.Height(), src, 0, 0, Rop::SrcCopy, Bounds()); }

  friend bool operator==(const Surface&, const Surface&) = default;

 private:
  int width_ = 0;
  int height_ = 0;
  std::vector<TColor> pixels_;
};
