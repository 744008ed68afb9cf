#pragma once
#include <string>

#include "state/GameState.h"

class TWindow;

// The save file, opened by this relative name in the current directory. It holds exactly the bytes
// of GameState, nothing else.
inline constexpr const char* kSaveFileName = "tavo2.dat";

enum class LoadOutcome {
  Loaded,      // exactly one record's bytes were read
  Missing,     // nothing at all has that name: a first start
  Damaged,     // a readable file that is not exactly one record
  Unreadable,  // something has that name but cannot be read
};

// Why an existing save could not be read.
enum class ReadProblem {
  None,
  Permission,    // not permitted to read it
  Folder,        // a folder has the name
  NotAFile,      // a FIFO, socket or device has the name
  DanglingLink,  // a symbolic link to nothing
  LinkLoop,      // symbolic links that lead round in a circle
  Error,         // any other error; see error
};

struct LoadResult {
  LoadOutcome outcome = LoadOutcome::Missing;
  // For Damaged and Unreadable: where it was moved to keep it; empty if it could not be moved.
  std::string keptAs;
  ReadProblem problem = ReadProblem::None;
  int error = 0;  // errno (on Windows its own error code), for ReadProblem::Error
};

// Reads the record from path into `into`; only a complete record changes it. A symbolic link is
// followed. A damaged or unreadable save is renamed to the first free "<stem>-damaged-N<ext>"
// beside it (a link is moved itself, never its target), so a new game's save cannot overwrite it.
LoadResult ReadSaveFile(GameState& into, const std::string& path);

enum class WriteOutcome {
  Written,
  OldKept,  // nothing was written: the file at path is as it was
  Torn,     // an in-place rewrite failed part-way: the file is shorter than a record
};

// Replaces the file at path (or at the end of its symbolic links) with the record: written to
// "<target>.tmp" beside it, flushed to disk, then renamed over it, keeping the old file's
// permissions. Where that temporary file cannot be made (a folder the player may not write), an
// existing file is rewritten in place: cut to nothing, written and flushed, so an interrupted
// rewrite leaves a short file that the loader takes for damaged.
WriteOutcome WriteSaveFile(const GameState& from, const std::string& path);

// The one temporary name of a save at path (through its links); a save in progress owns it, so
// only the holder of the save lock may clear it.
std::string SaveTempName(const std::string& path);

// Start-up, with the save lock held: removes the temporary file an interrupted save left behind.
void RemoveStaleSaveTemp(const std::string& path);

// Start-up: loads gameState from the save file, or tells the player and starts a new game.
void LoadGameState();

// Saves gameState to the save file; on failure tells the player and returns false.
bool SaveGameState(TWindow* owner = nullptr);
