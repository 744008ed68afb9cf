#pragma once
#include "framework/Dialog.h"

// The player's house, where tackle is equipped.
class THome : public TDialog {
 public:
  THome(TWindow* parent, int templateId) : TDialog(parent, templateId) {}
};
