#include "results/Kekka.h"

#include "framework/DC.h"
#include "results/CatchTexts.h"
#include "state/ProcessValues.h"

namespace {
constexpr int kCmOk = 116;
}

DEFINE_RESPONSE_TABLE(TKekka, TDialog, RT::Command(kCmOk, &TKekka::CmOk))

void TKekka::Paint(TDC& dc, bool, const TRect&) {
  const CatchTexts texts = CurrentCatchTexts();
  dc.SetBkColor(kFaceGrey);
  dc.TextOut(130, 9, texts.kind);
  dc.TextOut(80, 170, texts.masterName);
  dc.TextOut(140, 39, texts.weight);
  dc.TextOut(140, 69, texts.size);
  dc.TextOut(140, 99, texts.count);
  dc.TextOut(140, 129, texts.totalWeight);
}

// Seeing the result acknowledges the day's master fish; other ways of closing leave the flags.
void TKekka::CmOk() {
  for (uint8_t& flag : nushiCaughtToday) flag = 0;
  CloseWindow(IDOK);
}
