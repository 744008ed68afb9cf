#pragma once
#include <string_view>

#include "framework/Bitmap.h"
#include "framework/Surface.h"

class TWindow;

enum class BkMode { Opaque, Transparent };

// A device context: where drawing goes, clipped. Drawing through a window's DC lands on the
// window's client surface; a memory DC draws into (or copies from) the bitmap selected into it.
class TDC {
 public:
  TDC(const TDC&) = delete;
  TDC& operator=(const TDC&) = delete;
  virtual ~TDC() = default;

  void BitBlt(int x, int y, int w, int h, const TDC& src, int sx, int sy, Rop rop = Rop::SrcCopy);
  // Draws CP932 text with its top-left corner at (x, y) in the default 16-px monospace font.
  TSize TextOut(int x, int y, std::string_view cp932);
  void SetBkColor(TColor c) { bkColor_ = c; }
  void SetTextColor(TColor c) { textColor_ = c; }
  void SetBkMode(BkMode m) { bkMode_ = m; }
  void FillRect(const TRect& r, TColor c);
  TColor GetPixel(int x, int y) const;
  const Surface* Target() const { return target_; }

 protected:
  TDC(Surface* target, TRect clip, TWindow* window) : target_(target), clip_(clip), window_(window) {}
  Surface* target_;
  TRect clip_;
  TWindow* window_;  // set for window DCs: their texts are reported to the desktop's observer
  TColor bkColor_ = kWhite;
  TColor textColor_ = kBlack;
  BkMode bkMode_ = BkMode::Opaque;
};

// The client area of a window, unclipped within it.
class TClientDC : public TDC {
 public:
  explicit TClientDC(TWindow& window);
};

// The DC a paint handler gets: the client area clipped to the part being painted.
class TPaintDC : public TDC {
 public:
  TPaintDC(TWindow& window, const TRect& rect);
};

// A memory DC compatible with another DC; it draws on the bitmap selected into it.
class TMemoryDC : public TDC {
 public:
  explicit TMemoryDC(const TDC& compatible);
  TMemoryDC();
  void SelectObject(TBitmap& bitmap);
};

// Copies a whole bitmap with its top-left corner at (x, y), through a memory DC compatible with dc.
void DrawBitmap(TDC& dc, TBitmap& bitmap, int x, int y);
