#pragma once
#include "framework/Dialog.h"

// The tackle shop.
class TShop : public TDialog {
 public:
  TShop(TWindow* parent, int templateId) : TDialog(parent, templateId) {}
};
