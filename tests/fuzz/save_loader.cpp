// Fuzz target: the save loader on any bytes, then whatever reads a loaded record without a window:
// the status text, every catalog line, the map's places, the tackle's settings and pictures, the
// masters. A record that loads must also write back and read back unchanged.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <string>

#include <unistd.h>

#include "app/MapPlaces.h"
#include "app/StatusText.h"
#include "fishing/BitePatterns.h"
#include "fishing/TackleChecks.h"
#include "fishing/TackleSettings.h"
#include "quests/MasterLines.h"
#include "shops/TacklePictures.h"
#include "state/GameState.h"
#include "state/ProcessValues.h"
#include "state/SaveFile.h"

namespace {
std::string folder;

void ReadEverything() {
  volatile size_t sink = StatusText(gameState.dayCount, CreelWeight()).size();
  for (const TackleItem& item : gameState.items)
    for (int line = 0; line < kItemLineCount; ++line) sink = sink + ItemLine(item, line).size();
  for (const MapPlace& place : MapPlaces()) sink = sink + ConditionHolds(place.condition);
  sink = sink + StrikeDelayMs() + DipPeriodMs() + ReturnPeriodMs() + SinkLimitForBait() + DissolvePeriodMs() +
         BiteRollRangeForBait() + StartingBaitThrown() + OwnsRodRest() + OwnsLandingNet();
  sink = sink + FirstCastRefusal().has_value();
  for (int category = 1; category < kCategorySlots; ++category)
    sink = sink + ItemPicture(category, gameState.equipped[category]) + BlankSlotPicture(category);
  for (int index = 0; index < kCatalogSlots; ++index) sink = sink + OtherGearPicture(index);
  for (int water = 0; water < kWaterCount; ++water) sink = sink + MasterKeyTackleInPlace(water);
  for (int master = 0; master <= 6; ++master) sink = sink + (FindMaster(master) != nullptr);
}
}  // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
  char pattern[] = "/tmp/tavo2-fuzz-save-XXXXXX";
  if (!::mkdtemp(pattern)) std::abort();
  folder = pattern;
  std::atexit([] {
    ::unlink((folder + "/tavo2.dat").c_str());
    ::rmdir(folder.c_str());
  });
  return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string path = folder + "/tavo2.dat";
  std::ofstream(path, std::ios::binary | std::ios::trunc).write(reinterpret_cast<const char*>(data),
                                                                static_cast<std::streamsize>(size));
  gameState = GameState{};
  const LoadResult result = ReadSaveFile(gameState, path);
  if (result.outcome != LoadOutcome::Loaded) {
    if (!result.keptAs.empty()) ::unlink(result.keptAs.c_str());
    return 0;
  }
  if (size != sizeof(GameState) || std::memcmp(&gameState, data, size) != 0) std::abort();
  ReadEverything();
  return 0;
}
