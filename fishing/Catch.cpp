#include "fishing/Catch.h"

#include "fishing/BiteBands.h"
#include "fishing/FishingDialog.h"
#include "fishing/FishingScene.h"
#include "fishing/TripVariables.h"
#include "fishing/Venue.h"
#include "state/Random.h"

namespace {
// A length or weight of (r mod n + b) tenths.
struct TenthsRange {
  int n;
  int b;
  double From(int r) const {
    // Computed in extended precision and stored as a double, as the scales always have.
    return static_cast<double>(static_cast<long double>(r % n + b) * static_cast<long double>(0.1));
  }
};

struct CatchRow {
  int code;
  int species;
  TenthsRange sizeCm;
  TenthsRange weightKg;
};

constexpr CatchRow kCatches[] = {
    {1, 1, {50, 50}, {3, 2}},             // ブルーギル 5.0..9.9 cm, 0.2..0.4 kg
    {2, 2, {70, 60}, {3, 1}},             // カワムツ
    {3, 3, {30, 50}, {2, 1}},             // タナゴ
    {11, 4, {100, 75}, {7, 3}},           // フナ
    {12, 4, {100, 175}, {5, 5}},          // a bigger フナ
    {22, 5, {100, 175}, {5, 10}},         // ヘラブナ
    {23, 5, {100, 275}, {5, 15}},
    {24, 5, {100, 375}, {5, 20}},
    {kMasterPattern, 5, {100, 675}, {5, 60}},  // the giant ヘラブナ of a tournament
};

void ClearLine() {
  strikeWindow = 0;
  castPhase = 0;
  baitOnHook = 0;
  biteStep = 0;
  biteType = 0;
  actionState = 0;
}

// A master fish goes to the player to trade with the water's master, not into the creel.
void KeepMasterFish(int water) {
  if (!IsWater(water)) return;
  gameState.nushiPresent[water] = 0;
  gameState.nushiHeld[water] = 1;
  nushiCaughtToday[water] = 1;
}
}  // namespace

std::optional<CreelEntry> DrawCatch(int code) {
  for (const CatchRow& row : kCatches) {
    if (row.code != code) continue;
    CreelEntry fish{row.species, 0.0, 0.0};
    fish.sizeCm = row.sizeCm.From(Random());
    fish.weightKg = row.weightKg.From(Random());
    return fish;
  }
  return std::nullopt;
}

void Landing(FishingDialog& dialog) {
  bool letGo = false;
  if (strikeWindow == kMasterPattern && !IsTournament()) {
    KeepMasterFish(WaterFished());
  } else if (std::optional<CreelEntry> fish = DrawCatch(strikeWindow)) {
    const int count = CountedCreelEntries();
    if (count < kCreelMaxCount) {
      creel[count] = *fish;
      creelCount = count + 1;
    } else {
      letGo = true;  // no room in the creel; it was weighed all the same, as every landing is
    }
  }
  dialog.Scene().WholeScene();
  ClearLine();
  if (letGo)
    dialog.Tell("びくがいっぱいなので逃がしました", "せっかく釣ったのに");
  else
    dialog.ShowCatch();
  busyAction = 0;
}

void Escape(FishingDialog& dialog) {
  dialog.Scene().WholeScene();
  ClearLine();
  dialog.Tell("玉網を持っていないので逃げられました", "せっかく釣ったのに");
  busyAction = 0;
}
