#include "fishing/Turistart.h"

#include <algorithm>

#include "fishing/Actions.h"
#include "fishing/BiteTimer.h"
#include "fishing/FloatTimer.h"
#include "fishing/StatusLine.h"
#include "fishing/TackleSettings.h"
#include "fishing/Trace.h"
#include "fishing/TripVariables.h"
#include "fishing/Venue.h"
#include "fishing/WindowPlaces.h"
#include "framework/DC.h"
#include "framework/Desktop.h"
#include "framework/UiObserver.h"
#include "results/Kekka.h"
#include "state/ProcessValues.h"
#include "state/Saturate.h"

namespace {
constexpr int kCmCast = 111, kCmLure = 112, kCmStrike = 113, kCmLift = 114, kCmEnd = 115;
constexpr unsigned kClockMs = 1000;
constexpr int kCatchResultTemplate = 8;

// The float and bite timers work only while no button action is running, or while a strike
// waits out the rod's delay.
bool FloatAndBitesRun() { return actionState == kIdle || actionState == kStrikeDelay; }
}  // namespace

DEFINE_RESPONSE_TABLE(TTuristart, TDialog,
                      RT::Command(kCmCast, &TTuristart::CmCast),
                      RT::Command(kCmLure, &TTuristart::CmLure),
                      RT::Command(kCmStrike, &TTuristart::CmStrike),
                      RT::Command(kCmLift, &TTuristart::CmLift),
                      RT::Command(kCmEnd, &TTuristart::CmEnd),
                      RT::Timer(&TTuristart::EvTimer),
                      RT::KeyDownDefault(),
                      RT::KeyUpDefault())

TTuristart::TTuristart(TWindow* parent, int templateId) : TDialog(parent, templateId), scene_(*this) {
  // The other trip variables keep what the last trip's stop routine left.
  elapsedSeconds = 0;
  fatigueSeconds = 0;
  baitThrown = StartingBaitThrown();
  busyAction = 0;
  tripLevel = 0;
}

void TTuristart::PlaceOnScreen() {
  const TRect outer = ScreenOuterRect();
  MoveTo(FishingDialogPlace({outer.Width(), outer.Height()}, Desktop::Get().ScreenSize()));
}

void TTuristart::Paint(TDC& dc, bool, const TRect&) {
  scene_.PaintScene(dc);
  if (castPhase == 1 || castPhase == 2) scene_.PaintFloat(dc, baitOnHook);
  SetTimer(kClockTimer, kClockMs);  // so a repaint delays the next tick
  PaintStatusLine(dc);
}

void TTuristart::CmCast() {
  Cast(*this);
  Trace("cast");
}

void TTuristart::CmLure() {
  Lure(*this);
  Trace("lure");
}

void TTuristart::CmStrike() {
  Strike(*this);
  Trace("strike");
}

void TTuristart::CmLift() {
  Lift(*this);
  Trace("lift");
}

void TTuristart::CmEnd() {
  if (IsTournament()) {
    MessageBox("大会中で終了出来ません。", "最後までする", MB_OK);
    return;
  }
  StopTrip();
  MessageBox("終了します。", "もう終わりますか", MB_OK);
  Destroy(IDCANCEL);
}

bool TTuristart::CanClose() {
  // Also in tournaments: the close box always ends the trip.
  StopTrip();
  MessageBox("終了します。", "もう終わりますか", MB_OK);
  return true;
}

void TTuristart::EvTimer(int id) {
  switch (id) {
    case kFloatTimer:
      if (FloatAndBitesRun()) FloatTick(*this);
      Trace("float");
      break;
    case kBiteTimer:
      if (castPhase == 2 && FloatAndBitesRun()) BiteTick(*this);
      Trace("bite");
      break;
    case kClockTimer:
      ClockTick();
      break;
    case kActionTimer:
      ActionTick(*this);
      Trace("action");
      break;
    default:
      break;
  }
}

void TTuristart::ClockTick() {
  elapsedSeconds = SaturatingAdd(elapsedSeconds, 1);
  {
    TClientDC dc(*this);
    TickStatusLine(dc);
  }
  if (IsTournament() && elapsedSeconds >= kTournamentSeconds) {
    KillTimer(kClockTimer);
    MessageBox("大会終了です。", "おわっちゃった", MB_OK);
    StopTrip();
    Destroy(IDCANCEL);
    return;
  }
  // Holding the rod tires the arms; a rod rest holds it instead.
  if (!OwnsRodRest() && castPhase != 0) fatigueSeconds = SaturatingAdd(fatigueSeconds, 1);
}

void TTuristart::StopTrip() {
  for (int id : {kFloatTimer, kBiteTimer, kClockTimer, kActionTimer}) KillTimer(id);
  castPhase = 0;
  baitOnHook = 0;
  baitThrown = 0;
  lureTicks = 0;
  biteType = 0;
  floatShown = 0;
  biteStep = 0;
  strikeWindow = 0;
  actionState = 0;
}

void TTuristart::Trace(const char* event) {
  UiObserver* observer = Desktop::Get().Observer();
  if (observer && observer->Tracing()) observer->TraceLine(TraceLine(event));
}

void TTuristart::StartTimer(int id, int periodMs) { SetTimer(id, static_cast<unsigned>(std::max(periodMs, 1))); }

void TTuristart::StopTimer(int id) { KillTimer(id); }

void TTuristart::Tell(std::string_view text, std::string_view caption) { MessageBox(text, caption, MB_OK); }

void TTuristart::ShowCatch() {
  // Modeless: the framework owns it and it goes with this dialog.
  (new TKekka(this, kCatchResultTemplate))->Create();
}
