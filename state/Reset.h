#pragma once

// The new-game reset. Keeps the tournament progression, today's ぬし flags, the map selections,
// the reserved byte, the unused catalog entries and the creel's fish (only their weights go to 0).
void ResetGameState();
