#pragma once
#include <gtest/gtest.h>

#include <cstring>
#include <map>
#include <string>
#include <vector>

#include "fishing/FishingDialog.h"
#include "fishing/FishingScene.h"
#include "fishing/TripVariables.h"
#include "framework/Window.h"
#include "state/GameState.h"
#include "state/ProcessValues.h"
#include "state/Random.h"
#include "state/Reset.h"

// The fishing model's view of its dialog, without a desktop: timers are only recorded, the scene
// draws on a plain window, and what the player would be told is kept.
class FakeFishingDialog : public FishingDialog {
 public:
  FakeFishingDialog() : scene_(window_) { window_.SetClientSize({362, 225}); }

  void StartTimer(int id, int periodMs) override {
    timers[id] = periodMs;
    log.push_back("start " + std::to_string(id) + " " + std::to_string(periodMs));
  }
  void StopTimer(int id) override {
    timers.erase(id);
    log.push_back("stop " + std::to_string(id));
  }
  FishingScene& Scene() override { return scene_; }
  void Tell(std::string_view text, std::string_view caption) override {
    told.push_back(std::string(text) + " / " + std::string(caption));
  }
  void ShowCatch() override { ++catchWindows; }
  const Surface& Screen() const { return window_.ClientSurface(); }

  std::map<int, int> timers;      // running timers: id -> period
  std::vector<std::string> log;   // every start and stop, in order
  std::vector<std::string> told;  // message boxes: "text / caption"
  int catchWindows = 0;

 private:
  TWindow window_;
  FishingScene scene_;
};

// A new game, an empty creel and the trip variables as at program start, for one test; the
// process-wide values are put back as they were afterwards.
class FreshTrip {
 public:
  FreshTrip() : savedGame_(gameState), savedRandom_(RandomState()) {
    ResetGameState();
    creelCount = 0;
    std::memset(nushiCaughtToday, 0, sizeof nushiCaughtToday);
    selectedWater = 1;
    tripLevel = 0;
    castPhase = baitOnHook = lureTicks = baitThrown = biteType = biteStep = floatShown = biteRoll = 0;
    strikeWindow = actionState = busyAction = elapsedSeconds = fatigueSeconds = pondWaitArmed = pondRunDone = 0;
    sinkLimit = 80;
    dissolvePeriod = 1000;
    biteRollRange = 30;
    dipPeriod = 20;
    returnPeriod = 100;
    SetRandomState(1);
  }
  ~FreshTrip() {
    gameState = savedGame_;
    SetRandomState(savedRandom_);
    creelCount = 0;
  }
  FreshTrip(const FreshTrip&) = delete;
  FreshTrip& operator=(const FreshTrip&) = delete;

 private:
  GameState savedGame_;
  uint64_t savedRandom_;
};

inline void Equip(int rod, int floatItem, int hook, int line, int bait) {
  const int items[] = {rod, floatItem, hook, line, bait};
  for (int category = 1; category <= 5; ++category) gameState.equipped[category] = static_cast<uint8_t>(items[category - 1]);
}

class FishingTest : public ::testing::Test {
 protected:
  FreshTrip fresh_;
  FakeFishingDialog dialog;
};
