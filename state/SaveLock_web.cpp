// One tab plays: the Web Locks API's lock on the save's name, held until the tab ends.
#include "platform/WebPage.h"
#include "state/SaveLock.h"

SaveLock::Outcome SaveLock::Acquire(const std::string& savePath) {
  Release();
  switch (tavo2_page_lock(savePath.c_str())) {
    case 0:
      handle_ = 1;
      return Outcome::Held;
    case 1:
      return Outcome::HeldByOther;
    default:
      return Outcome::Unavailable;
  }
}

// The lock ends with the tab; a game that ended leaves nothing else to guard.
void SaveLock::Release() { handle_ = -1; }
