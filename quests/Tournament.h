#pragma once
#include "framework/Dialog.h"

// The tournament house: the ladder of five tournaments.
class TTaikai : public TDialog {
 public:
  TTaikai(TWindow* parent, int templateId) : TDialog(parent, templateId) {}
};
