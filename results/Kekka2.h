#pragma once
#include "framework/Dialog.h"

// The day result: the creel summed up, shown modally by the fish shop and the tournaments. Its
// paint is also where the creel's ヘラブナ weight is stored for them (todayCarpWeight).
class TKekka2 : public TDialog {
 public:
  TKekka2(TWindow* parent, int templateId) : TDialog(parent, templateId) {}

  void Paint(TDC& dc, bool erase, const TRect& rect) override;

  DECLARE_RESPONSE_TABLE(TKekka2);

 private:
  void CmOk() override;
};
