#include "framework/DC.h"

#include "framework/Desktop.h"
#include "framework/Fonts.h"
#include "framework/UiObserver.h"
#include "framework/Window.h"

void TDC::BitBlt(int x, int y, int w, int h, const TDC& src, int sx, int sy, Rop rop) {
  if (!target_ || !src.target_) return;
  target_->Blit(x, y, w, h, *src.target_, sx, sy, rop, clip_);
  if (window_) Desktop::Get().MarkDirty();
}

TSize TDC::TextOut(int x, int y, std::string_view cp932) {
  if (window_) {
    if (UiObserver* observer = Desktop::Get().Observer()) observer->TextDrawn(*window_, x, y, cp932);
    Desktop::Get().MarkDirty();
  }
  if (!target_) return {};
  std::optional<TColor> background;
  if (bkMode_ == BkMode::Opaque) background = bkColor_;
  return Fonts::Get().Draw(*target_, clip_, x, y, cp932, FontFace::Mono16, textColor_, background);
}

void TDC::FillRect(const TRect& r, TColor c) {
  if (!target_) return;
  target_->Fill(r.Intersect(clip_), c);
  if (window_) Desktop::Get().MarkDirty();
}

TColor TDC::GetPixel(int x, int y) const {
  if (!target_ || !target_->Bounds().Contains({x, y})) return kBlack;
  return target_->Pixel(x, y);
}

TClientDC::TClientDC(TWindow& window) : TDC(&window.ClientSurface(), window.ClientSurface().Bounds(), &window) {}

TPaintDC::TPaintDC(TWindow& window, const TRect& rect)
    : TDC(&window.ClientSurface(), rect.Intersect(window.ClientSurface().Bounds()), &window) {}

TMemoryDC::TMemoryDC(const TDC&) : TDC(nullptr, {}, nullptr) {}
TMemoryDC::TMemoryDC() : TDC(nullptr, {}, nullptr) {}

void TMemoryDC::SelectObject(TBitmap& bitmap) {
  target_ = &bitmap.Pixels();
  clip_ = bitmap.Pixels().Bounds();
}

void DrawBitmap(TDC& dc, TBitmap& bitmap, int x, int y) {
  TMemoryDC memory(dc);
  memory.SelectObject(bitmap);
  dc.BitBlt(x, y, bitmap.Width(), bitmap.Height(), memory, 0, 0, Rop::SrcCopy);
}
