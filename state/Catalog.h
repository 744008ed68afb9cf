#pragma once
#include <cstdint>
#include <string_view>

#include "state/GameState.h"

// One item the tackle catalog defines: where it goes in GameState::items, its prices and its five
// display lines (CP932).
struct CatalogEntry {
  int32_t index;
  int32_t price;
  int32_t sellPrice;
  std::string_view lines[kItemLineCount];
};

constexpr int kCatalogEntryCount = 19;
extern const CatalogEntry kTackleCatalog[kCatalogEntryCount];

// Writes the catalog's entries into gameState.items, each not owned. Other entries and the
// reserved tail bytes are left alone.
void InitTackleCatalog();

// Item numbers: within each equippable category (1 rod .. 5 bait) the cheapest item is number 1
// and the highest number is the legendary item a master gives; GameState::equipped holds them.
constexpr int kEquippableCategories = 5;
constexpr int kOtherGearCategory = 6;

// How many item numbers category has; 0 for a category that is not equippable.
int ItemCount(int category);
// The catalog index of item number n of category, or -1 when n is not one of its numbers.
int CatalogIndexOfItem(int category, int n);
// The legendary item of an equippable category: its highest item number.
inline int LegendaryItemNumber(int category) { return ItemCount(category); }

// Whether the player owns the item (any non-zero flag, as fishing reads it).
inline bool IsOwned(const TackleItem& item) { return item.owned != 0; }
