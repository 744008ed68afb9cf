#pragma once
#include <string_view>

class FishingScene;

// The four window timers of the fishing dialog; their ids are fixed.
enum FishingTimer : int {
  kFloatTimer = 1,   // bait sinking and dissolving
  kBiteTimer = 2,    // bite rolls and bite pattern steps
  kClockTimer = 3,   // one-second clock
  kActionTimer = 4,  // pictures of the button actions and the fight
};

// The fishing dialog as the fishing model sees it. The model keeps its own state in the trip
// variables; through this it only moves the dialog's timers, draws, and tells the player.
class FishingDialog {
 public:
  virtual void StartTimer(int id, int periodMs) = 0;  // replaces a running timer of that id
  virtual void StopTimer(int id) = 0;
  virtual FishingScene& Scene() = 0;
  // A message box with an OK button, owned by the dialog; returns when it is dismissed.
  virtual void Tell(std::string_view text, std::string_view caption) = 0;
  // Opens a catch result window beside the trip; the trip goes on at once.
  virtual void ShowCatch() = 0;

 protected:
  ~FishingDialog() = default;
};
