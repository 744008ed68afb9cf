#pragma once
#include "framework/Dialog.h"

// The catch result: a small modeless window opened at each landing. It keeps nothing of its own;
// every paint shows the creel's last fish and totals as they are then.
class TKekka : public TDialog {
 public:
  TKekka(TWindow* parent, int templateId) : TDialog(parent, templateId) {}

  void Paint(TDC& dc, bool erase, const TRect& rect) override;
  // Opens beside the trip without taking its keys: the next Enter still strikes.
  bool TakesFocusWhenShown() const override { return false; }

  DECLARE_RESPONSE_TABLE(TKekka);

 protected:
  void PlaceOnScreen() override;

 private:
  void CmOk() override;
};
