#include "state/Reset.h"

#include "state/Catalog.h"
#include "state/GameState.h"
#include "state/ProcessValues.h"

void ResetGameState() {
  InitTackleCatalog();
  for (const CatalogEntry& entry : kTackleCatalog) gameState.items[entry.index].owned = 0;
  for (uint8_t& slot : gameState.equipped) slot = 0;
  for (uint8_t& flag : gameState.nushiPresent) flag = 1;
  for (uint8_t& flag : gameState.nushiHeld) flag = 0;
  gameState.money = 4300;
  tripLevel = 0;
  gameState.bestLevel = 0;
  gameState.dayCount = 0;
  // The fish stay in the creel but weigh nothing, so the status bar reads 0.0 after a start over.
  const int32_t count = CountedCreelEntries();
  for (int32_t i = 0; i < count; ++i) creel[i].weightKg = 0.0;
}
