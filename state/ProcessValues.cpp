#include "state/ProcessValues.h"

#include <algorithm>

int32_t tripLevel = 0;
int32_t selectedWater = 0;
int32_t selectedMaster = 0;
CreelEntry creel[kCreelSlots] = {};
int32_t creelCount = 0;
uint8_t nushiCaughtToday[kWaterCount] = {};
double todayCarpWeight = 0.0;

int32_t CountedCreelEntries() { return std::clamp<int32_t>(creelCount, 0, kCreelMaxCount); }

double CreelWeight() {
  double total = 0.0;
  const int32_t count = CountedCreelEntries();
  for (int32_t i = 0; i < count; ++i) total += creel[i].weightKg;
  return total;
}
