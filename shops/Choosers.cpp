#include "shops/Choosers.h"

#include "framework/DC.h"
#include "state/Catalog.h"
#include "state/GameState.h"

namespace {
constexpr int kEmptyBox = 6, kTickedBox = 7;

// Rods and floats stand in a row, each marked below; their regions serve both buttons.
constexpr ChooserPlace kRods[] = {
    {5, {10, 10}, {10, 150}, {11, 25, 11, 165}, {11, 25, 11, 165}},
    {4, {40, 10}, {40, 150}, {41, 55, 11, 165}, {41, 55, 11, 165}},
    {3, {70, 10}, {70, 150}, {71, 85, 11, 165}, {71, 85, 11, 165}},
    {2, {100, 10}, {100, 150}, {101, 115, 11, 165}, {101, 115, 11, 165}},
    {1, {130, 10}, {130, 150}, {131, 145, 11, 165}, {131, 145, 11, 165}},
};
constexpr ChooserPlace kFloats[] = {
    {3, {10, 10}, {10, 150}, {11, 25, 11, 165}, {11, 25, 11, 165}},
    {2, {70, 10}, {70, 150}, {71, 85, 11, 165}, {71, 85, 11, 165}},
    {1, {130, 10}, {130, 150}, {131, 145, 11, 165}, {131, 145, 11, 165}},
};
// Hooks and lines: the right button's regions reach 30 pixels higher than the left button's.
constexpr ChooserPlace kHooks[] = {
    {2, {10, 40}, {20, 100}, {11, 41, 41, 115}, {11, 41, 11, 115}},
    {1, {60, 40}, {70, 100}, {61, 91, 41, 115}, {61, 91, 11, 115}},
};
constexpr ChooserPlace kLines[] = {
    {2, {10, 40}, {20, 100}, {11, 41, 41, 115}, {11, 41, 11, 115}},
    {1, {60, 40}, {70, 100}, {61, 91, 41, 115}, {61, 91, 11, 115}},
};
// Baits in two rows of two, each marked beside its picture.
constexpr ChooserPlace kBaits[] = {
    {4, {10, 10}, {65, 39}, {11, 80, 11, 73}, {11, 80, 11, 73}},
    {3, {90, 10}, {145, 39}, {91, 160, 11, 73}, {91, 160, 11, 73}},
    {2, {10, 90}, {65, 119}, {11, 80, 91, 153}, {11, 80, 91, 153}},
    {1, {90, 90}, {145, 119}, {91, 160, 91, 153}, {91, 160, 91, 153}},
};

bool Owns(int category, int itemNumber) {
  const int index = CatalogIndexOfItem(category, itemNumber);
  return index >= 0 && IsOwned(gameState.items[index]);
}

// The other gear: catalog index and where its picture goes (the rod rest is clipped at the top).
struct GearPlace {
  int catalogIndex;
  TPoint picture;
};
constexpr GearPlace kGear[] = {{61, {20, -10}}, {62, {74, 50}}, {63, {20, 114}}};
}  // namespace

const ChooserLayout kRodChooser{1, kRods}, kFloatChooser{2, kFloats}, kHookChooser{3, kHooks},
    kLineChooser{4, kLines}, kBaitChooser{5, kBaits};

DEFINE_RESPONSE_TABLE(TToolChooser, TDialog,
                      RT::LButtonDown(&TToolChooser::Equip),
                      RT::RButtonDown(&TToolChooser::Unequip))

TToolChooser::TToolChooser(TWindow* parent, int templateId, const ChooserLayout& layout)
    : TDialog(parent, templateId), layout_(layout), emptyBox_(kEmptyBox), tickedBox_(kTickedBox) {
  for (const ChooserPlace& place : layout_.places) pictures_.emplace_back(ItemPicture(layout_.category, place.itemNumber));
}

void TToolChooser::Paint(TDC& dc, bool, const TRect&) {
  const int equipped = gameState.equipped[layout_.category];
  for (std::size_t i = 0; i < layout_.places.size(); ++i) {
    const ChooserPlace& place = layout_.places[i];
    if (!Owns(layout_.category, place.itemNumber)) continue;
    DrawBitmap(dc, pictures_[i], place.picture.x, place.picture.y);
    DrawBitmap(dc, equipped == place.itemNumber ? tickedBox_ : emptyBox_, place.marker.x, place.marker.y);
  }
}

// The items shown, and an equipped one that is not (only the right button acts on it).
std::vector<TRect> TToolChooser::LiveSpots() const {
  std::vector<TRect> spots;
  for (const ChooserPlace& place : layout_.places)
    if (Owns(layout_.category, place.itemNumber) || gameState.equipped[layout_.category] == place.itemNumber)
      spots.push_back(place.equipRegion.Rect());
  return spots;
}

void TToolChooser::Equip(const TPoint& point) {
  for (const ChooserPlace& place : layout_.places) {
    if (!place.equipRegion.Contains(point)) continue;
    if (Owns(layout_.category, place.itemNumber)) gameState.equipped[layout_.category] = static_cast<uint8_t>(place.itemNumber);
    break;
  }
  Invalidate(true);
}

void TToolChooser::Unequip(const TPoint& point) {
  for (const ChooserPlace& place : layout_.places) {
    if (!place.unequipRegion.Contains(point)) continue;
    // Only the equipped item can be taken off; whether it is owned does not matter.
    if (gameState.equipped[layout_.category] == place.itemNumber) gameState.equipped[layout_.category] = 0;
    break;
  }
  Invalidate(true);
}

TSao::TSao(TWindow* parent, int templateId) : TToolChooser(parent, templateId, kRodChooser) {}
TFloat::TFloat(TWindow* parent, int templateId) : TToolChooser(parent, templateId, kFloatChooser) {}
THook::THook(TWindow* parent, int templateId) : TToolChooser(parent, templateId, kHookChooser) {}
TLine::TLine(TWindow* parent, int templateId) : TToolChooser(parent, templateId, kLineChooser) {}
TBait::TBait(TWindow* parent, int templateId) : TToolChooser(parent, templateId, kBaitChooser) {}

TSonota::TSonota(TWindow* parent, int templateId) : TDialog(parent, templateId) {
  for (const GearPlace& gear : kGear) pictures_.emplace_back(OtherGearPicture(gear.catalogIndex));
}

void TSonota::Paint(TDC& dc, bool, const TRect&) {
  for (std::size_t i = 0; i < std::size(kGear); ++i)
    if (IsOwned(gameState.items[kGear[i].catalogIndex])) DrawBitmap(dc, pictures_[i], kGear[i].picture.x, kGear[i].picture.y);
}
