#pragma once
#include "fishing/FishingDialog.h"
#include "fishing/FishingScene.h"
#include "framework/Dialog.h"

// A fishing trip at the water in selectedWater (a tournament venue when it is 10 or more). The
// trip's state lives in the trip variables; this dialog owns the pictures, the four timers and
// the five buttons, and ends the trip.
class TTuristart : public TDialog, private FishingDialog {
 public:
  TTuristart(TWindow* parent, int templateId);

  bool CanClose() override;
  void Paint(TDC& dc, bool erase, const TRect& rect) override;

  DECLARE_RESPONSE_TABLE(TTuristart);

 protected:
  void PlaceOnScreen() override;

 private:
  void CmCast();
  void CmLure();
  void CmStrike();
  void CmLift();
  void CmEnd();
  void EvTimer(int id);
  void ClockTick();
  void StopTrip();
  void Trace(const char* event);

  // FishingDialog
  void StartTimer(int id, int periodMs) override;
  void StopTimer(int id) override;
  FishingScene& Scene() override { return scene_; }
  void Tell(std::string_view text, std::string_view caption) override;
  void ShowCatch() override;

  FishingScene scene_;
};
