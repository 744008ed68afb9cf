#include "quests/Master.h"

#include "framework/DC.h"
#include "framework/Desktop.h"
#include "quests/MasterLines.h"
#include "state/GameState.h"
#include "state/ProcessValues.h"

namespace {
constexpr int kRoomPicture = 33;
constexpr unsigned kPauseMs = 1000;

enum class Quest { NotLanded, Held, HandedOver };

// Only the master's own lake counts. A damaged flag other than 0 counts as set, as the tournament
// house reads nushiPresent; a held flag of any other value can still be handed over.
Quest QuestOf(int lake) {
  if (gameState.nushiPresent[lake] != 0) return Quest::NotLanded;
  return gameState.nushiHeld[lake] != 0 ? Quest::Held : Quest::HandedOver;
}
}  // namespace

TPro::TPro(TWindow* parent, int templateId) : TDialog(parent, templateId), room_(kRoomPicture) {}

void TPro::Paint(TDC& dc, bool, const TRect&) {
  if (masterTalkDone_) {
    PaintRoom(dc);
    return;
  }
  masterTalkDone_ = true;
  {
    TClientDC whole(*this);  // the room in full view during the pause, whatever part is being painted
    PaintRoom(whole);
  }
  Desktop::Get().Sleep(kPauseMs);
  // The map only sends masters 1..5; with any other number there is nobody to talk to.
  if (const MasterLines* master = FindMaster(selectedMaster)) Converse(*master, selectedMaster);
  CloseWindow();
}

void TPro::PaintRoom(TDC& dc) {
  DrawBitmap(dc, room_, 0, 0);
  if (const MasterLines* master = FindMaster(selectedMaster)) dc.TextOut(10, 200, master->introduction);
}

void TPro::Converse(const MasterLines& master, int lake) {
  switch (QuestOf(lake)) {
    case Quest::NotLanded:
      if (Ask(master.askSeen, master) != IDYES) {
        Say(kGoAndSee, master);
        return;
      }
      Say(master.wish, master);
      Say(master.promise, master);
      return;
    case Quest::Held: {
      if (Ask(master.askLanded, master) != IDYES) {
        Say(kPleaseLandIt, master);
        return;
      }
      if (Ask(master.askGive, master) != IDYES) {
        Say(master.refusal, master);
        return;
      }
      Say(master.thanks, master);
      // The fish changes hands once the thanks are said.
      gameState.nushiHeld[lake] = 0;
      gameState.items[LegendaryItemIndex(master)].owned = 1;
      if (MessageBox(kEquipQuestion, kEquipCaption, MB_YESNO) == IDYES)
        gameState.equipped[master.category] = static_cast<uint8_t>(master.itemNumber);
      return;
    }
    case Quest::HandedOver:
      Say(master.after, master);
      return;
  }
}

int TPro::Ask(const char* text, const MasterLines& master) {
  return MessageBox(text, master.caption, MB_YESNO | MB_ICONQUESTION);
}

// The masters' plain statements carry the question icon too.
void TPro::Say(const char* text, const MasterLines& master) {
  MessageBox(text, master.caption, MB_OK | MB_ICONQUESTION);
}
