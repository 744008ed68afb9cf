#pragma once
#include "framework/Dialog.h"

// A fishing trip at the water in selectedWater (a tournament venue when it is 10 or more).
class TTuristart : public TDialog {
 public:
  TTuristart(TWindow* parent, int templateId) : TDialog(parent, templateId) {}
};
