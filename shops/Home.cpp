#include "shops/Home.h"

#include "framework/DC.h"
#include "state/GameState.h"

namespace {
constexpr int kHousePicture = 29, kLargePrint = 30, kSmallPrint = 31;
constexpr int kLastTacklePicture = 22;

// A tackle slot of the house: which picture shows item number n of its category, and where.
struct Slot {
  int category;
  int items;            // item numbers 1..items
  int pictureOfItemOne; // the picture of item n is pictureOfItemOne + 1 - n
  int blank;            // shown when nothing (or nothing valid) is equipped
  int x, y;
};
constexpr Slot kSlots[] = {
    {1, 5, 5, 11, 10, 160},   // rod
    {2, 3, 10, 11, 45, 160},  // float
    {3, 2, 14, 12, 77, 178},  // hook
    {4, 2, 17, 12, 78, 245},  // line
    {5, 4, 22, 15, 130, 160}, // bait
};

int SlotPicture(const Slot& slot) {
  const int n = gameState.equipped[slot.category];
  return n >= 1 && n <= slot.items ? slot.pictureOfItemOne + 1 - n : slot.blank;
}
}  // namespace

THome::THome(TWindow* parent, int templateId)
    : TDialog(parent, templateId), house_(kHousePicture), largePrint_(kLargePrint), smallPrint_(kSmallPrint) {
  pictures_.reserve(kLastTacklePicture + 1);
  pictures_.emplace_back(Surface());
  for (int id = 1; id <= kLastTacklePicture; ++id) pictures_.emplace_back(id);
}

void THome::Paint(TDC& dc, bool, const TRect&) {
  DrawBitmap(dc, house_, 0, 0);
  for (const Slot& slot : kSlots) DrawBitmap(dc, pictures_[SlotPicture(slot)], slot.x, slot.y);
  if (gameState.nushiPresent[0] == 0) DrawBitmap(dc, largePrint_, 40, 15);
  for (int lake = 1; lake <= 5; ++lake)
    if (gameState.nushiPresent[lake] == 0) DrawBitmap(dc, smallPrint_, 295, 5 + 60 * (lake - 1));
}
