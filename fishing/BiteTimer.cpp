#include "fishing/BiteTimer.h"

#include "fishing/BiteBands.h"
#include "fishing/BitePatterns.h"
#include "fishing/TripVariables.h"
#include "fishing/Venue.h"
#include "state/Random.h"

void BiteTick(FishingDialog& dialog) {
  const int water = WaterFished();
  if (biteType != 0) {
    RunBiteStep(dialog, biteType, water);
    return;
  }
  biteRoll = biteRollRange > 0 ? Random() % biteRollRange : 0;
  const bool masterMayBite = IsWater(water) && (gameState.nushiPresent[water] == 1 || IsTournament());
  const int pattern = PatternForRoll(baitThrown, biteRoll, masterMayBite);
  if (pattern == kMasterPattern) {
    // Set after the first step, so a first step that abandons it is followed by one more.
    RunBiteStep(dialog, kMasterPattern, water);
    biteType = kMasterPattern;
  } else if (pattern != 0) {
    biteType = pattern;
    RunBiteStep(dialog, pattern, water);
  }
}
