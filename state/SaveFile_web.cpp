// The save file of the game in a page: the record in the browser's IndexedDB (web/page/
// library_tavo2.js), replaced in one transaction, so it is never half-written. A stored record
// that cannot be read is kept aside under another key and named, as a damaged file is on the
// desktop; what the player is told is SaveFile.cpp's.
#include <cstring>
#include <string>

#include "platform/WebPage.h"
#include "state/SaveFile.h"
#include "state/SaveFile_web.h"

namespace {

// The record as the browser holds it, to tell whether the day is unsaved.
GameState stored;
bool anyStored = false;

std::string DamagedName(const std::string& path, int n) {
  const std::size_t dot = path.rfind('.');
  const std::string stem = dot == std::string::npos ? path : path.substr(0, dot);
  const std::string extension = dot == std::string::npos ? "" : path.substr(dot);
  return stem + "-damaged-" + std::to_string(n) + extension;
}

// Keeps the stored record under the first free damaged name; empty when it cannot be kept.
std::string KeepAside(const std::string& path) {
  for (int n = 1; n < 1000; ++n) {
    const std::string name = DamagedName(path, n);
    const int kept = tavo2_page_save_keep_aside(name.c_str());
    if (kept == 0) return name;
    if (kept != 1) return {};  // 1: the name is taken
  }
  return {};
}

}  // namespace

LoadResult ReadSaveFile(GameState& into, const std::string& path) {
  LoadResult result;
  GameState record;
  int length = 0;
  switch (tavo2_page_save_read(&record, sizeof record, &length)) {
    case 0:
      if (length == static_cast<int>(sizeof record)) {
        std::memcpy(&into, &record, sizeof record);
        stored = record;
        anyStored = true;
        result.outcome = LoadOutcome::Loaded;
        return result;
      }
      result.outcome = LoadOutcome::Damaged;
      break;
    case 1:
      result.outcome = LoadOutcome::Missing;
      return result;
    case 2:
      // The browser keeps its storage from the page (blocked, or a private window that has none).
      result.outcome = LoadOutcome::Unreadable;
      result.problem = ReadProblem::Permission;
      return result;
    default:
      result.outcome = LoadOutcome::Unreadable;
      result.problem = ReadProblem::NotAFile;
      break;
  }
  result.keptAs = KeepAside(path);
  return result;
}

WriteOutcome WriteSaveFile(const GameState& from, const std::string&) {
  if (tavo2_page_save_write(&from, sizeof from) != 0) return WriteOutcome::OldKept;
  stored = from;
  anyStored = true;
  return WriteOutcome::Written;
}

// There is no temporary record: a transaction replaces the record whole or not at all.
std::string SaveTempName(const std::string& path) { return path + ".tmp"; }

void RemoveStaleSaveTemp(const std::string&) {}

bool DiffersFromStoredRecord(const GameState& state) {
  return !anyStored || std::memcmp(&state, &stored, sizeof state) != 0;
}
