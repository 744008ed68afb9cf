#pragma once
#include <vector>

#include "framework/Bitmap.h"
#include "framework/Dialog.h"

// The player's house, where tackle is equipped: the equipped tackle hangs in five slots and a
// print of every master fish caught is on the wall.
class THome : public TDialog {
 public:
  THome(TWindow* parent, int templateId);
  void Paint(TDC& dc, bool erase, const TRect& rect) override;

 private:
  TBitmap house_;
  TBitmap largePrint_;
  TBitmap smallPrint_;
  std::vector<TBitmap> pictures_;  // by bitmap number 1..22 (index 0 unused)
};
