// Fuzz target: the runner's script parser on any text. The whole game runs headless from it, as
// tavo2-script does, in a private folder holding a new game's save. Every run starts from the
// values a fresh process has. Inputs that would write a picture outside that folder, or wait for
// more than a day of game time, are passed over.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include <unistd.h>

#include "fishing/TripVariables.h"
#include "shops/Shop.h"
#include "state/GameState.h"
#include "state/ProcessValues.h"
#include "state/Random.h"
#include "state/Reset.h"
#include "tools/ScriptRunner.h"

namespace fs = std::filesystem;

namespace {
fs::path folder;
std::string newGameSave;

// The process-wide values as a fresh process has them.
struct Fresh {
  GameState state;
  int32_t tripLevel, selectedWater, selectedMaster, creelCount;
  CreelEntry creel[kCreelSlots];
  uint8_t nushiCaughtToday[kWaterCount];
  double todayCarpWeight;
  int32_t trip[std::size(kTripVariables)];
  int32_t shopSelection, shopCategory;
  uint8_t shopItemNumber;
} fresh;

void Capture() {
  fresh.state = gameState;
  fresh.tripLevel = tripLevel;
  fresh.selectedWater = selectedWater;
  fresh.selectedMaster = selectedMaster;
  fresh.creelCount = creelCount;
  std::copy(std::begin(creel), std::end(creel), fresh.creel);
  std::copy(std::begin(nushiCaughtToday), std::end(nushiCaughtToday), fresh.nushiCaughtToday);
  fresh.todayCarpWeight = todayCarpWeight;
  for (size_t i = 0; i < std::size(kTripVariables); ++i) fresh.trip[i] = *kTripVariables[i].value;
  fresh.shopSelection = shopSelection;
  fresh.shopCategory = shopCategory;
  fresh.shopItemNumber = shopItemNumber;
}

void Restore() {
  gameState = fresh.state;
  tripLevel = fresh.tripLevel;
  selectedWater = fresh.selectedWater;
  selectedMaster = fresh.selectedMaster;
  creelCount = fresh.creelCount;
  std::copy(std::begin(fresh.creel), std::end(fresh.creel), creel);
  std::copy(std::begin(fresh.nushiCaughtToday), std::end(fresh.nushiCaughtToday), nushiCaughtToday);
  todayCarpWeight = fresh.todayCarpWeight;
  for (size_t i = 0; i < std::size(kTripVariables); ++i) *const_cast<int32_t*>(kTripVariables[i].value) = fresh.trip[i];
  shopSelection = fresh.shopSelection;
  shopCategory = fresh.shopCategory;
  shopItemNumber = fresh.shopItemNumber;
  SetRandomState(1);
}

bool Acceptable(const std::string& script) {
  std::istringstream lines(script);
  long long waited = 0;
  for (std::string line; std::getline(lines, line);) {
    std::istringstream words(line);
    std::string command, argument;
    words >> command >> argument;
    if ((command == "shot" || command == "sleepshot") && argument.find('/') != std::string::npos) return false;
    if (command == "wait") {
      waited += std::strtoll(argument.c_str(), nullptr, 10);
      if (waited > 24LL * 3600 * 1000) return false;
    }
  }
  return true;
}
}  // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
  Capture();
  ResetGameState();
  newGameSave.assign(reinterpret_cast<const char*>(&gameState), sizeof gameState);
  gameState = fresh.state;
  char pattern[] = "/tmp/tavo2-fuzz-script-XXXXXX";
  if (!::mkdtemp(pattern)) std::abort();
  folder = pattern;
  fs::current_path(folder);
  std::atexit([] { fs::remove_all(folder); });
  return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string script(reinterpret_cast<const char*>(data), size);
  if (!Acceptable(script)) return -1;  // not added to the corpus
  for (const auto& entry : fs::directory_iterator(folder)) fs::remove_all(entry.path());
  std::ofstream("tavo2.dat", std::ios::binary) << newGameSave;
  Restore();
  std::istringstream in(script);
  std::ostringstream out, err;
  ScriptRunner(in, out, err).Run();
  return 0;
}
