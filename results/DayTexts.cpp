#include "results/DayTexts.h"

#include <cstdio>

#include "results/CatchTexts.h"
#include "state/ProcessValues.h"

namespace {
constexpr int kHerabuna = 5;

std::string Weight(double value) {
  char text[400];  // "%6.1f" of any double fits
  std::snprintf(text, sizeof text, "%6.1f", value);
  return text;
}

std::string Count(int value) {
  char text[32];
  std::snprintf(text, sizeof text, "%6d", value);
  return text;
}
}  // namespace

DayTexts CurrentDayTexts() {
  int carpCount = 0;
  double carpWeight = 0.0, carpLargest = 0.0, totalWeight = 0.0, largest = 0.0;
  int largestSpecies = 0;  // no fish: no kind
  const int count = CountedCreelEntries();
  for (int i = 0; i < count; ++i) {
    const CreelEntry& fish = creel[i];
    if (fish.species == kHerabuna) {
      ++carpCount;
      carpWeight += fish.weightKg;
      if (fish.sizeCm > carpLargest) carpLargest = fish.sizeCm;
    }
    totalWeight += fish.weightKg;
    // Strictly larger: of two fish of the same size the earlier one stays the largest.
    if (fish.sizeCm > largest) {
      largest = fish.sizeCm;
      largestSpecies = fish.species;
    }
  }

  DayTexts texts;
  texts.carpCount = Count(carpCount);
  texts.carpWeight = Weight(carpWeight);
  texts.carpLargest = Weight(carpLargest);
  texts.count = Count(count);
  texts.totalWeight = Weight(totalWeight);
  // A master fish is never in the creel: it takes the kind, while the size stays the creel's.
  texts.largestKind = MasterFishCaughtToday() ? MasterFishKind() : SpeciesName(largestSpecies);
  texts.largestSize = Weight(largest);
  texts.masterName = MasterFishLine();
  texts.carpWeightKg = carpWeight;
  return texts;
}
