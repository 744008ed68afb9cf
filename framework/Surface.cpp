#include "framework/Surface.h"

Surface::Surface(int width, int height, TColor fill)
    : width_(width), height_(height), pixels_(static_cast<std::size_t>(width) * height, fill) {}

void Surface::Fill(const TRect& r, TColor c) {
  TRect d = r.Intersect(Bounds());
  for (int y = d.top; y < d.bottom; ++y) std::fill(Row(y) + d.left, Row(y) + d.right, c);
}

void Surface::Blit(int dx, int dy, int w, int h, const Surface& src, int sx, int sy, Rop rop, const TRect& clip) {
  // Destination rectangle, clipped; the source offsets follow the clipping.
  TRect dst = TRect::FromSize(dx, dy, w, h).Intersect(Bounds()).Intersect(clip);
  // Parts of the source outside the source bitmap are not copied.
  TRect srcInDst = TRect::FromSize(dx - sx, dy - sy, src.Width(), src.Height());
  dst = dst.Intersect(srcInDst);
  if (dst.IsEmpty()) return;
  for (int y = dst.top; y < dst.bottom; ++y) {
    const TColor* s = src.Row(y - dy + sy) + (dst.left - dx + sx);
    TColor* d = Row(y) + dst.left;
    const int n = dst.Width();
    switch (rop) {
      case Rop::SrcCopy:
        std::copy(s, s + n, d);
        break;
      case Rop::SrcAnd:
        for (int i = 0; i < n; ++i) d[i] &= s[i];
        break;
      case Rop::SrcPaint:
        for (int i = 0; i < n; ++i) d[i] |= s[i];
        break;
    }
  }
}
