#pragma once
#include "framework/Bitmap.h"
#include "framework/Dialog.h"

// The fish shop, where the day's catch is sold. The fishmonger talks in message boxes, once per
// visit, from the first paint on; the shop closes itself when he is done.
class TSakanaya : public TDialog {
 public:
  TSakanaya(TWindow* parent, int templateId);
  void Paint(TDC& dc, bool erase, const TRect& rect) override;

 private:
  void Converse();
  void Buy();
  void Sell();
  bool Ask(std::string_view question);
  void Remark(std::string_view remark);

  TBitmap shop_;
  bool greeted_ = false;  // the conversation of this visit has started
};

// Empties the creel after a sale: its counted entries are zeroed, and so is the day's ヘラブナ
// weight that was worked out from them.
void ClearCreel();
