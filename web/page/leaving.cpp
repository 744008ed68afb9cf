// What the page asks before it is left: the game's own closing questions cannot stop a tab from
// closing, so while a trip is on or the day is unsaved the browser's "leave this page?" is asked.
#include <emscripten.h>

#include "fishing/Turistart.h"
#include "framework/Desktop.h"
#include "state/ProcessValues.h"
#include "state/SaveFile_web.h"

extern "C" EMSCRIPTEN_KEEPALIVE int tavo2_page_unsaved() {
  if (creelCount > 0 || DiffersFromStoredRecord(gameState)) return 1;
  for (TWindow* window : Desktop::Get().TopLevels())
    if (dynamic_cast<TTuristart*>(window) != nullptr) return 1;
  return 0;
}
