#pragma once
#include "framework/Bitmap.h"
#include "framework/Dialog.h"

// The tackle shop: its interior, where every piece of tackle for sale has its spot.
class TShop : public TDialog {
 public:
  TShop(TWindow* parent, int templateId);
  void Paint(TDC& dc, bool erase, const TRect& rect) override;

 private:
  TBitmap interior_;
};
