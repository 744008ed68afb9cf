#include "shops/Shop.h"

#include "framework/DC.h"
#include "shops/TacklePictures.h"
#include "state/Catalog.h"
#include "state/GameState.h"
#include "state/Saturate.h"

int32_t shopSelection = 0;
int32_t shopCategory = 0;
uint8_t shopItemNumber = 0;

namespace {
constexpr int kInteriorPicture = 32;
constexpr int kSalesCornerTemplate = 5;
constexpr int kCmBuy = 1, kCmSell = 101, kCmBack = 102;
constexpr TPoint kPictureCentre{120, 70};
constexpr int kLinesX = 10, kFirstLineY = 140, kLineStep = 16;

// A spot of the shop picture: the item it sells, its category and item number (0 for other gear,
// which is never equipped) and the picture the sales corner shows.
struct ShopSpot {
  Region region;
  int catalogIndex;
  int category;
  int itemNumber;
  int picture;
};
// Tested in this order; they do not overlap. The legendary items have no spot.
constexpr ShopSpot kSpots[] = {
    {{15, 27, 197, 320}, 12, 1, 4, 2},
    {{43, 53, 197, 320}, 13, 1, 3, 3},
    {{71, 83, 197, 320}, 14, 1, 2, 4},
    {{98, 111, 197, 320}, 15, 1, 1, 5},
    {{24, 36, 34, 159}, 22, 2, 2, 9},
    {{53, 65, 34, 159}, 23, 2, 1, 10},
    {{273, 299, 30, 59}, 32, 3, 1, 14},
    {{273, 299, 113, 143}, 42, 4, 1, 17},
    {{195, 234, 37, 96}, 52, 5, 3, 20},
    {{195, 234, 142, 198}, 53, 5, 2, 21},
    {{195, 234, 239, 293}, 54, 5, 1, 22},
    {{260, 379, 192, 228}, 61, 0, 0, 23},
    {{113, 181, 267, 312}, 62, 0, 0, 24},
    {{260, 379, 274, 326}, 63, 0, 0, 25},
};

const ShopSpot* SelectedSpot() {
  for (const ShopSpot& spot : kSpots)
    if (spot.catalogIndex == shopSelection) return &spot;
  return nullptr;
}

bool SelectionIsEquippable() { return shopSelection / 10 >= 1 && shopSelection / 10 <= kEquippableCategories; }
}  // namespace

DEFINE_RESPONSE_TABLE(TShop, TDialog, RT::LButtonDown(&TShop::ShopClick))

TShop::TShop(TWindow* parent, int templateId) : TDialog(parent, templateId), interior_(kInteriorPicture) {}

void TShop::Paint(TDC& dc, bool, const TRect&) { DrawBitmap(dc, interior_, 0, 0); }

// Every piece of tackle for sale can always be picked.
std::vector<TRect> TShop::LiveSpots() const {
  std::vector<TRect> spots;
  for (const ShopSpot& spot : kSpots) spots.push_back(spot.region.Rect());
  return spots;
}

void TShop::ShopClick(const TPoint& point) {
  shopSelection = 0;
  for (const ShopSpot& spot : kSpots) {
    if (!spot.region.Contains(point)) continue;
    shopSelection = spot.catalogIndex;
    if (spot.category != 0) {
      shopCategory = spot.category;
      shopItemNumber = static_cast<uint8_t>(spot.itemNumber);
    }
  }
  if (shopSelection == 0) return;
  TShop2 corner(this, kSalesCornerTemplate);
  corner.Execute();
}

DEFINE_RESPONSE_TABLE(TShop2, TDialog,
                      RT::Command(kCmBuy, &TShop2::CmBuy),
                      RT::Command(kCmSell, &TShop2::CmSell),
                      RT::Command(kCmBack, &TShop2::CmBack))

TShop2::TShop2(TWindow* parent, int templateId) : TDialog(parent, templateId) {
  for (const ShopSpot& spot : kSpots) pictures_.emplace_back(spot.picture);
}

void TShop2::Paint(TDC& dc, bool, const TRect&) {
  const ShopSpot* spot = SelectedSpot();
  if (!spot) return;
  TBitmap& picture = pictures_[static_cast<std::size_t>(spot - kSpots)];
  DrawBitmap(dc, picture, kPictureCentre.x - picture.Width() / 2, kPictureCentre.y - picture.Height() / 2);
  dc.SetBkMode(BkMode::Transparent);
  const TackleItem& item = gameState.items[shopSelection];
  for (int line = 0; line < kItemLineCount; ++line)
    dc.TextOut(kLinesX, kFirstLineY + kLineStep * line, ItemLine(item, line));
}

void TShop2::CmBuy() {
  if (MessageBox("本当に買いますか?", "買っちゃう", MB_YESNO | MB_ICONQUESTION) == IDYES) {
    TackleItem& item = gameState.items[shopSelection];
    // The money comes first: an owned item the player cannot afford is refused for the money.
    if (item.price > gameState.money) {
      MessageBox("お金が足りません", "買っちゃう", MB_OK | MB_ICONQUESTION);
    } else if (IsOwned(item)) {
      MessageBox("すでにこの道具は持っています", "買っちゃう", MB_OK | MB_ICONQUESTION);
    } else {
      item.owned = 1;
      gameState.money = SaturatingSub(gameState.money, item.price);
      if (SelectionIsEquippable()) OfferToEquip();
    }
  }
  CloseWindow(IDCANCEL);
}

void TShop2::OfferToEquip() {
  uint8_t& slot = gameState.equipped[shopCategory];
  if (slot == 0 || MessageBox("この道具を装備しますか？", "買っちゃった", MB_YESNO) == IDYES) slot = shopItemNumber;
}

void TShop2::CmSell() {
  if (MessageBox("本当に売りますか?", "売っちゃう", MB_YESNO | MB_ICONQUESTION) == IDYES) {
    TackleItem& item = gameState.items[shopSelection];
    if (IsOwned(item)) {
      item.owned = 0;
      gameState.money = SaturatingAdd(gameState.money, item.sellPrice);
      if (SelectionIsEquippable() && gameState.equipped[shopCategory] == shopItemNumber) gameState.equipped[shopCategory] = 0;
    } else {
      MessageBox("この道具を持っていません", "売っちゃう", MB_OK | MB_ICONQUESTION);
    }
  }
  CloseWindow(IDCANCEL);
}

void TShop2::CmBack() { CloseWindow(IDCANCEL); }
