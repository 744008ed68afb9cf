#include "fishing/FloatTimer.h"

#include "fishing/FishingDialog.h"
#include "fishing/FishingScene.h"
#include "fishing/TackleSettings.h"
#include "fishing/TripVariables.h"

namespace {
constexpr int kLureUnits = 10;
}

void FloatTick(FishingDialog& dialog) {
  if (castPhase == 1) {
    sinkLimit = SinkLimitForBait();
    if (baitOnHook <= sinkLimit) {
      baitOnHook += 1;
      if (baitOnHook > sinkLimit) {
        baitOnHook = sinkLimit;
        castPhase = 2;
        dissolvePeriod = DissolvePeriodMs();
        biteRollRange = BiteRollRangeForBait();
        dialog.StartTimer(kFloatTimer, dissolvePeriod);
      }
    }
  }
  // Also in the tick that just settled the float.
  if (castPhase == 2 && baitOnHook > 0) {
    if (lureTicks > 0) {
      dialog.StartTimer(kFloatTimer, returnPeriod);
      lureTicks += 1;
      if (lureTicks > kLureUnits) {
        lureTicks = 0;
        dialog.StartTimer(kFloatTimer, dissolvePeriod);
      }
    }
    baitOnHook -= 1;
    baitThrown += 1;
  }
  dialog.Scene().Float(baitOnHook);
}
