#include "fishing/Actions.h"

#include "fishing/BitePatterns.h"
#include "fishing/Catch.h"
#include "fishing/FightTable.h"
#include "fishing/FishingDialog.h"
#include "fishing/FishingScene.h"
#include "fishing/TackleChecks.h"
#include "fishing/TackleSettings.h"
#include "fishing/TripVariables.h"
#include "state/ProcessValues.h"
#include "state/Saturate.h"

namespace {
constexpr int kPictureMs = 500;
constexpr int kFirstBiteRollMs = 2000;
constexpr int kCastSinkLimit = 80;  // the first float tick sets the bait's own

// busyAction: which button's action runs.
enum Busy : int { kNotBusy = 0, kBusyCasting = 1, kBusyLuring = 2, kBusyStriking = 3, kBusyLifting = 4 };

void Finish(FishingDialog& dialog) {
  busyAction = kNotBusy;
  dialog.StopTimer(kActionTimer);
  actionState = kIdle;
}

void CastDone(FishingDialog& dialog) {
  FishingScene& scene = dialog.Scene();
  castPhase = 1;
  baitOnHook = 0;
  scene.CastDone();
  dialog.StartTimer(kFloatTimer, sinkPeriod);
  sinkLimit = kCastSinkLimit;
  dialog.StartTimer(kBiteTimer, kFirstBiteRollMs);
  dipPeriod = DipPeriodMs();
  returnPeriod = ReturnPeriodMs();
  Finish(dialog);
}

void LureDone(FishingDialog& dialog) {
  dialog.Scene().LureDone(baitOnHook);
  if (baitOnHook > 0) lureTicks = 1;
  Finish(dialog);
}

// The rod's delay is over: whatever the float shows now is what the strike hooks.
void StrikeNow(FishingDialog& dialog) {
  if (castPhase == 0) return;
  dialog.StopTimer(kFloatTimer);
  dialog.Scene().StrikePicture();
  baitThrown += baitOnHook;
  castPhase = 0;
  baitOnHook = 0;
  biteStep = 0;
  // From here on strikeWindow holds the catch code.
  if (strikeWindow == kHooksOwnFish)
    strikeWindow = biteType;
  else if (strikeWindow > kHooksOwnFish && strikeWindow <= kHooksOwnFish + 3)
    strikeWindow -= kHooksOwnFish;
  biteType = 0;
  dialog.StartTimer(kActionTimer, kPictureMs);
  actionState = kFightFirstState;
}

void Missed(FishingDialog& dialog) {
  dialog.Scene().StrikeDone();
  strikeWindow = 0;
  castPhase = 0;
  baitOnHook = 0;
  biteStep = 0;
  biteType = 0;
  Finish(dialog);
  if (tripLevel > 0) tripLevel -= 1;
}

void FightPicture(FishingDialog& dialog) {
  if (actionState == kFightFirstState) tripLevel = SaturatingAdd(tripLevel, 1);
  const FightStep step = NextFightStep(actionState, strikeWindow, OwnsLandingNet());
  dialog.Scene().FightPicture(step.picture);
  dialog.StartTimer(kActionTimer, kPictureMs);
  actionState = step.nextState;
}
}  // namespace

void Cast(FishingDialog& dialog) {
  if (std::optional<CastRefusal> refusal = FirstCastRefusal()) {
    dialog.Tell(refusal->text, refusal->caption);
    return;
  }
  if (busyAction != kNotBusy || castPhase != 0) return;
  busyAction = kBusyCasting;
  if (actionState != kIdle) return;
  dialog.Scene().CastPicture();
  dialog.StartTimer(kActionTimer, kPictureMs);
  actionState = kCasting;
}

void Lure(FishingDialog& dialog) {
  if (busyAction != kNotBusy || castPhase != 2) return;
  busyAction = kBusyLuring;
  dialog.Scene().LurePicture(baitOnHook);
  dialog.StartTimer(kActionTimer, kPictureMs);
  actionState = kLuring;
}

void Strike(FishingDialog& dialog) {
  if (busyAction != kNotBusy || castPhase != 2) return;
  busyAction = kBusyStriking;
  dialog.StartTimer(kActionTimer, StrikeDelayMs());
  actionState = kStrikeDelay;
}

void Lift(FishingDialog& dialog) {
  if (castPhase == 0 || actionState != kIdle) return;
  busyAction = kBusyLifting;
  dialog.StopTimer(kFloatTimer);
  dialog.Scene().StrikePicture();
  // The bait on the hook comes out with it: it never counts as thrown in.
  castPhase = 0;
  baitOnHook = 0;
  strikeWindow = 0;
  biteStep = 0;
  biteType = 0;
  dialog.StartTimer(kActionTimer, kPictureMs);
  actionState = kLifting;
}

void ActionTick(FishingDialog& dialog) {
  switch (actionState) {
    case kCasting:
      CastDone(dialog);
      break;
    case kLuring:
      LureDone(dialog);
      break;
    case kStrikeDelay:
      StrikeNow(dialog);
      break;
    case kFightFirstState:
      if (strikeWindow == kHooksNothing)
        Missed(dialog);
      else
        FightPicture(dialog);
      break;
    case kLifting:
      dialog.Scene().StrikeDone();
      Finish(dialog);
      break;
    case kLandingState:
      Landing(dialog);
      Finish(dialog);
      break;
    case kEscapeState:
      Escape(dialog);
      Finish(dialog);
      break;
    default:
      // The fight's later pictures.
      if (actionState > kFightFirstState && actionState < kLandingState) FightPicture(dialog);
      break;
  }
}
