#include "shops/Home.h"

#include <cstdio>

#include "framework/DC.h"
#include "shops/Choosers.h"
#include "shops/TacklePictures.h"
#include "state/GameState.h"
#include "state/ProcessValues.h"

namespace {
constexpr int kHousePicture = 29, kLargePrint = 30, kSmallPrint = 31;
constexpr int kLastTacklePicture = 22;
constexpr int kChooserTemplate = 3;

// Where each category's slot hangs in the house.
struct Slot {
  int category;
  int x, y;
};
constexpr Slot kSlots[] = {{1, 10, 160}, {2, 45, 160}, {3, 77, 178}, {4, 78, 245}, {5, 130, 160}};
}  // namespace

// A spot of the house picture and what a click on it does.
struct THome::Spot {
  Region region;
  void (THome::*action)();
};

// Tested in this order; they do not overlap.
const THome::Spot THome::kSpots[] = {
    {{12, 23, 166, 285}, &THome::Choose<TSao>},
    {{45, 58, 166, 285}, &THome::Choose<TFloat>},
    {{84, 102, 179, 204}, &THome::Choose<THook>},
    {{79, 106, 246, 266}, &THome::Choose<TLine>},
    {{136, 172, 163, 223}, &THome::Choose<TBait>},
    {{125, 182, 248, 283}, &THome::Choose<TSonota>},
    {{195, 240, 168, 209}, &THome::ShowSkill},
    {{202, 229, 249, 274}, &THome::ShowBalance},
};

DEFINE_RESPONSE_TABLE(THome, TDialog, RT::LButtonDown(&THome::HomeClick))

THome::THome(TWindow* parent, int templateId)
    : TDialog(parent, templateId), house_(kHousePicture), largePrint_(kLargePrint), smallPrint_(kSmallPrint) {
  pictures_.reserve(kLastTacklePicture + 1);
  pictures_.emplace_back(Surface());
  for (int id = 1; id <= kLastTacklePicture; ++id) pictures_.emplace_back(id);
}

void THome::Paint(TDC& dc, bool, const TRect&) {
  DrawBitmap(dc, house_, 0, 0);
  for (const Slot& slot : kSlots)
    DrawBitmap(dc, pictures_[ItemPicture(slot.category, gameState.equipped[slot.category])], slot.x, slot.y);
  if (gameState.nushiPresent[0] == 0) DrawBitmap(dc, largePrint_, 40, 15);
  for (int lake = 1; lake <= 5; ++lake)
    if (gameState.nushiPresent[lake] == 0) DrawBitmap(dc, smallPrint_, 295, 5 + 60 * (lake - 1));
}

std::vector<TRect> THome::LiveSpots() const {
  std::vector<TRect> spots;
  for (const Spot& spot : kSpots) spots.push_back(spot.region.Rect());
  return spots;
}

void THome::HomeClick(const TPoint& point) {
  for (const Spot& spot : kSpots)
    if (spot.region.Contains(point)) (this->*spot.action)();
  // The slots show whatever the chooser left equipped.
  Invalidate(true);
}

template <class Chooser>
void THome::Choose() {
  Chooser chooser(this, kChooserTemplate);
  chooser.Execute();
}

void THome::ShowSkill() {
  char text[32];
  std::snprintf(text, sizeof text, "レベル%d", static_cast<int>(tripLevel));
  MessageBox(text, "釣りの腕前", MB_OK);
  std::snprintf(text, sizeof text, "最高レベル%d", static_cast<int>(gameState.bestLevel));
  MessageBox(text, "釣りの腕前", MB_OK);
}

void THome::ShowBalance() {
  char text[32];
  std::snprintf(text, sizeof text, "￥%d－", static_cast<int>(gameState.money));
  MessageBox(text, "ただいまの残高", MB_OK);
}
