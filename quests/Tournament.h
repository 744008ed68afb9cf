#pragma once
#include "framework/Bitmap.h"
#include "framework/Dialog.h"

struct Tournament;

// The tournament house: the ladder of five tournaments from the district to the national one, a
// crown beside each one won, and the rules.
class TTaikai : public TDialog {
 public:
  TTaikai(TWindow* parent, int templateId);
  void Paint(TDC& dc, bool erase, const TRect& rect) override;

  DECLARE_RESPONSE_TABLE(TTaikai);

 private:
  template <int ButtonId>
  void CmTournament();
  void CmRules();
  void Play(const Tournament& tournament);

  TBitmap crown_;
};
