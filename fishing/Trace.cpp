#include "fishing/Trace.h"

#include <cinttypes>
#include <cstdio>

#include "fishing/TripVariables.h"
#include "framework/Desktop.h"
#include "state/ProcessValues.h"

std::string TraceLine(const char* event) {
  char line[320];
  std::snprintf(line, sizeof line,
                "trace t=%" PRIu64
                " ev=%s castPhase=%d baitOnHook=%d baitThrown=%d biteType=%d biteStep=%d floatShown=%d"
                " strikeWindow=%d actionState=%d busyAction=%d tripLevel=%d creelCount=%d",
                Desktop::Get().Now(), event, castPhase, baitOnHook, baitThrown, biteType, biteStep, floatShown,
                strikeWindow, actionState, busyAction, tripLevel, creelCount);
  return line;
}
