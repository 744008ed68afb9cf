#pragma once
#include <string>

#include "state/GameState.h"

class TWindow;

// The save file, opened by this relative name in the current directory. It holds exactly the bytes
// of GameState, nothing else.
inline constexpr const char* kSaveFileName = "tavo2.dat";

enum class LoadOutcome {
  Loaded,   // exactly one record's bytes were read
  Missing,  // the file could not be opened (absent, not permitted, not a regular file)
  Damaged,  // it opened but is not exactly one record, or reading failed
};

struct LoadResult {
  LoadOutcome outcome = LoadOutcome::Missing;
  // For Damaged: where the damaged file was moved to keep it; empty if it could not be moved.
  std::string keptAs;
};

// Reads the record from path into `into`; only a complete record changes it. A damaged file is
// renamed to the first free "<stem>-damaged-N<ext>" beside it, so a new game's save cannot
// overwrite it.
LoadResult ReadSaveFile(GameState& into, const std::string& path);

// Replaces path with the record: written to a temporary file beside it, flushed to disk, then
// renamed over it. On false the file at path is as it was before.
bool WriteSaveFile(const GameState& from, const std::string& path);

// Start-up: loads gameState from the save file, or tells the player and starts a new game.
void LoadGameState();

// Saves gameState to the save file; on failure tells the player and returns false.
bool SaveGameState(TWindow* owner = nullptr);
