#include "results/Kekka2.h"

#include "framework/DC.h"
#include "results/CatchTexts.h"
#include "results/DayTexts.h"
#include "state/ProcessValues.h"

namespace {
constexpr int kCmOk = 117;
}

DEFINE_RESPONSE_TABLE(TKekka2, TDialog, RT::Command(kCmOk, &TKekka2::CmOk))

void TKekka2::Paint(TDC& dc, bool, const TRect&) {
  const DayTexts texts = CurrentDayTexts();
  dc.SetBkColor(kFaceGrey);
  dc.TextOut(130, 9, texts.carpCount);
  dc.TextOut(130, 39, texts.carpWeight);
  todayCarpWeight = texts.carpWeightKg;
  dc.TextOut(130, 69, texts.carpLargest);
  dc.TextOut(130, 99, texts.count);
  dc.TextOut(130, 129, texts.totalWeight);
  dc.TextOut(110, 160, texts.largestKind);
  dc.TextOut(130, 180, texts.largestSize);
  dc.TextOut(80, 220, texts.masterName);
}

// As in the catch result, other ways of closing leave the flags.
void TKekka2::CmOk() {
  AcknowledgeMasterFish();
  CloseWindow(IDOK);
}
