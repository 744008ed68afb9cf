#pragma once
#include "framework/Template.h"
#include "framework/Window.h"

// A popup of the menu bar. Track runs a nested loop until an item is chosen (its command is
// returned) or the popup is dismissed (0). While it is open it takes every click and key.
class TPopupMenu : public TWindow {
 public:
  TPopupMenu(TWindow* owner, const MenuPopupTemplate& popup, TPoint screenTopLeft);
  int Track();

  bool IsModal() const override { return true; }
  bool IsPopupMenu() const override { return true; }
  TRect ScreenOuterRect() const override;
  TColor Background() const override { return kFaceGrey; }
  void Paint(TDC& dc, bool erase, const TRect& rect) override;
  void ComposeInto(Surface& screen) const override;
  void MouseInput(Msg kind, TPoint clientPoint) override;
  void KeyInput(const Message& m) override;
  // Result of a tracked popup opening its neighbour: -1 left, +1 right.
  int MoveRequest() const { return move_; }

 private:
  int ItemAt(TPoint clientPoint) const;
  TRect ItemRect(int index) const;
  void Choose(int index);
  const MenuPopupTemplate& popup_;
  int highlighted_ = -1;
  int result_ = 0;
  int move_ = 0;
  bool done_ = false;
};
