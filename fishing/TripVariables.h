#pragma once
#include <cstdint>

// The fishing-trip variables: process-lifetime values that carry over from one trip to the next.
// Their values here are those at program start.
extern std::int32_t castPhase;       // 0 no line out, 1 bait sinking, 2 float settled
extern std::int32_t baitOnHook;      // bait left on the hook = the float's resting depth (px)
extern std::int32_t sinkLimit;
extern std::int32_t sinkPeriod;      // ms
extern std::int32_t dissolvePeriod;  // ms
extern std::int32_t biteRollRange;
extern std::int32_t dipPeriod;       // ms
extern std::int32_t returnPeriod;    // ms
extern std::int32_t lureTicks;
extern std::int32_t baitThrown;      // shown as 投入量
extern std::int32_t biteType;
extern std::int32_t biteStep;
extern std::int32_t floatShown;
extern std::int32_t biteRoll;
extern std::int32_t strikeWindow;
extern std::int32_t actionState;
extern std::int32_t busyAction;
extern std::int32_t elapsedSeconds;
extern std::int32_t fatigueSeconds;
extern std::int32_t pondWaitArmed;
extern std::int32_t pondRunDone;

// Name and value of every trip variable, in this order, for the runner's state block.
struct TripVariable {
  const char* name;
  const std::int32_t* value;
};
extern const TripVariable kTripVariables[21];
