#include "quests/Master.h"

#include "framework/DC.h"
#include "state/ProcessValues.h"

namespace {
// How each master introduces himself, by master number 1..5.
constexpr const char* kIntroductions[] = {
    "私は竿名人、ヌポだ", "私は浮き名人、ザミだ", "私は針名人、ロクベだ", "私は糸名人、従兄弟だ", "私は餌名人、ミゴロだ",
};
}  // namespace

TPro::TPro(TWindow* parent, int templateId) : TDialog(parent, templateId), room_(33) {}

void TPro::Paint(TDC& dc, bool, const TRect&) {
  DrawBitmap(dc, room_, 0, 0);
  if (selectedMaster >= 1 && selectedMaster <= 5) dc.TextOut(10, 200, kIntroductions[selectedMaster - 1]);
}
