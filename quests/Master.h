#pragma once
#include "framework/Bitmap.h"
#include "framework/Dialog.h"

// A lake master's room; the master is the one in selectedMaster.
class TPro : public TDialog {
 public:
  TPro(TWindow* parent, int templateId);
  void Paint(TDC& dc, bool erase, const TRect& rect) override;

 private:
  TBitmap room_;
};
