#include "results/Kekka.h"

#include <vector>

#include "fishing/WindowPlaces.h"
#include "framework/DC.h"
#include "framework/Desktop.h"
#include "results/CatchTexts.h"
#include "state/ProcessValues.h"

namespace {
constexpr int kCmOk = 116;
}

DEFINE_RESPONSE_TABLE(TKekka, TDialog, RT::Command(kCmOk, &TKekka::CmOk))

void TKekka::PlaceOnScreen() {
  const TWindow* trip = Parent();
  if (!trip) {
    TDialog::PlaceOnScreen();
    return;
  }
  std::vector<TPoint> open;
  for (const TWindow* w : Desktop::Get().TopLevels())
    if (w != this && dynamic_cast<const TKekka*>(w)) open.push_back(w->ScreenOuterRect().TopLeft());
  const TRect outer = ScreenOuterRect();
  MoveTo(CatchResultPlace({outer.Width(), outer.Height()}, trip->ScreenOuterRect(), Desktop::Get().ScreenSize(), open));
}

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

// Other ways of closing leave the day's master-fish flags.
void TKekka::CmOk() {
  AcknowledgeMasterFish();
  CloseWindow(IDOK);
}
