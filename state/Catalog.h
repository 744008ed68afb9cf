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
