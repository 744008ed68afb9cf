#include "fishing/TripVariables.h"

std::int32_t castPhase = 0;
std::int32_t baitOnHook = 0;
std::int32_t sinkLimit = 80;
std::int32_t sinkPeriod = 20;
std::int32_t dissolvePeriod = 1000;
std::int32_t biteRollRange = 30;
std::int32_t dipPeriod = 20;
std::int32_t returnPeriod = 100;
std::int32_t lureTicks = 0;
std::int32_t baitThrown = 0;
std::int32_t biteType = 0;
std::int32_t biteStep = 0;
std::int32_t floatShown = 0;
std::int32_t biteRoll = 0;
std::int32_t strikeWindow = 0;
std::int32_t actionState = 0;
std::int32_t busyAction = 0;
std::int32_t elapsedSeconds = 0;
std::int32_t fatigueSeconds = 0;
std::int32_t pondWaitArmed = 0;
std::int32_t pondRunDone = 0;

const TripVariable kTripVariables[21] = {
    {"castPhase", &castPhase},         {"baitOnHook", &baitOnHook},       {"sinkLimit", &sinkLimit},
    {"sinkPeriod", &sinkPeriod},       {"dissolvePeriod", &dissolvePeriod}, {"biteRollRange", &biteRollRange},
    {"dipPeriod", &dipPeriod},         {"returnPeriod", &returnPeriod},   {"lureTicks", &lureTicks},
    {"baitThrown", &baitThrown},       {"biteType", &biteType},           {"biteStep", &biteStep},
    {"floatShown", &floatShown},       {"biteRoll", &biteRoll},           {"strikeWindow", &strikeWindow},
    {"actionState", &actionState},     {"busyAction", &busyAction},       {"elapsedSeconds", &elapsedSeconds},
    {"fatigueSeconds", &fatigueSeconds}, {"pondWaitArmed", &pondWaitArmed}, {"pondRunDone", &pondRunDone},
};
