#pragma once
#include "framework/Dialog.h"

// A lake master's room; the master is the one in selectedMaster.
class TPro : public TDialog {
 public:
  TPro(TWindow* parent, int templateId) : TDialog(parent, templateId) {}
};
