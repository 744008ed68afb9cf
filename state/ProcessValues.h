#pragma once
#include <cstdint>

#include "state/GameState.h"

// Values that live for the run only and are never saved; all zero at start.

constexpr int kCreelSlots = 100;
constexpr int kCreelMaxCount = 99;  // creelCount never counts the last slot

struct CreelEntry {
  int32_t species;
  double sizeCm;
  double weightKg;
};

extern int32_t tripLevel;
extern int32_t selectedWater;   // 0..5 from the map, 10..14 for a tournament venue
extern int32_t selectedMaster;  // 1..5
extern CreelEntry creel[kCreelSlots];
extern int32_t creelCount;
extern uint8_t nushiCaughtToday[kWaterCount];
extern double todayCarpWeight;

// creelCount clamped to 0..99, for walking the creel safely.
int32_t CountedCreelEntries();

// Total weight in kg of the counted creel entries.
double CreelWeight();
