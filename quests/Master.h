#pragma once
#include "framework/Bitmap.h"
#include "framework/Dialog.h"

struct MasterLines;

// A lake master's room; the master is the one in selectedMaster. The first paint holds his
// conversation in message boxes, after a pause with the room in view, and then closes the dialog.
class TPro : public TDialog {
 public:
  TPro(TWindow* parent, int templateId);
  void Paint(TDC& dc, bool erase, const TRect& rect) override;

 private:
  void PaintRoom(TDC& dc);
  void Converse(const MasterLines& master, int lake);
  int Ask(const char* text, const MasterLines& master);
  void Say(const char* text, const MasterLines& master);

  TBitmap room_;
  // Set by the first paint: the repaints while a box is open must not start the talk again.
  bool masterTalkDone_ = false;
};
