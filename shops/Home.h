#pragma once
#include <vector>

#include "framework/Bitmap.h"
#include "framework/Dialog.h"

// The player's house, where tackle is equipped: the equipped tackle hangs in five slots and a
// print of every master fish caught is on the wall. The slots open the tool choosers; an arm shows
// the fishing skill and a coin the balance.
class THome : public TDialog {
 public:
  THome(TWindow* parent, int templateId);
  void Paint(TDC& dc, bool erase, const TRect& rect) override;

  DECLARE_RESPONSE_TABLE(THome);

 protected:
  std::vector<TRect> LiveSpots() const override;

 private:
  void HomeClick(const TPoint& point);
  template <class Chooser>
  void Choose();
  void ShowSkill();
  void ShowBalance();

  struct Spot;
  static const Spot kSpots[];

  TBitmap house_;
  TBitmap largePrint_;
  TBitmap smallPrint_;
  std::vector<TBitmap> pictures_;  // by bitmap number 1..22 (index 0 unused)
};
