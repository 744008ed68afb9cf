#pragma once
#include "framework/Dialog.h"

// The fish shop, where the day's catch is sold.
class TSakanaya : public TDialog {
 public:
  TSakanaya(TWindow* parent, int templateId) : TDialog(parent, templateId) {}
};
