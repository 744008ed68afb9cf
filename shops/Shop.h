#pragma once
#include <cstdint>
#include <vector>

#include "framework/Bitmap.h"
#include "framework/Dialog.h"

// The item picked last on the shop picture; kept for the rest of the run.
extern int32_t shopSelection;   // catalog index, 0 = nothing picked
extern int32_t shopCategory;    // 1..5 for equippable items; other gear leaves it as it was
extern uint8_t shopItemNumber;  // the item number that goes into equipped

// The tackle shop: its interior, where every piece of tackle for sale has its spot. A click on a
// spot opens the sales corner for that item.
class TShop : public TDialog {
 public:
  TShop(TWindow* parent, int templateId);
  void Paint(TDC& dc, bool erase, const TRect& rect) override;

  DECLARE_RESPONSE_TABLE(TShop);

 protected:
  std::vector<TRect> LiveSpots() const override;

 private:
  void ShopClick(const TPoint& point);

  TBitmap interior_;
};

// The sales corner: the picked item's picture and catalog lines, and buy, sell and back. Each of
// them ends by closing the corner.
class TShop2 : public TDialog {
 public:
  TShop2(TWindow* parent, int templateId);
  void Paint(TDC& dc, bool erase, const TRect& rect) override;

  DECLARE_RESPONSE_TABLE(TShop2);

 private:
  void CmBuy();
  void CmSell();
  void CmBack();
  void OfferToEquip();

  std::vector<TBitmap> pictures_;  // one per shop spot
};
