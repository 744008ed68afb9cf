#pragma once
#include <functional>

#include "framework/Template.h"
#include "framework/Window.h"

// A popup of the menu bar. Track runs a nested loop until an item is chosen (its command is
// returned) or the popup is dismissed (0). While it is open it takes every click, move and key.
class TPopupMenu : public TWindow {
 public:
  // Which title of the menu bar is at a screen point, -1 for none.
  using TitleAt = std::function<int(TPoint screenPoint)>;

  // byKeyboard: the first item starts highlighted. buttonHeld: the popup opens under a pressed
  // mouse button, so releasing it over an item chooses the item.
  TPopupMenu(TWindow* owner, const MenuPopupTemplate& popup, TPoint screenTopLeft, bool byKeyboard = false,
             bool buttonHeld = false);
  int Track();
  // The menu bar this popup hangs from, and its own title there.
  void SetMenuBar(TitleAt titleAt, int ownTitle);

  bool IsModal() const override { return true; }
  bool IsPopupMenu() const override { return true; }
  TRect ScreenOuterRect() const override;
  TColor Background() const override { return kFaceGrey; }
  void Paint(TDC& dc, bool erase, const TRect& rect) override;
  void ComposeInto(Surface& screen) const override;
  void MouseInput(Msg kind, TPoint clientPoint) override;
  void KeyInput(const Message& m) override;
  // Result of a tracked popup opening its neighbour by keyboard: -1 left, +1 right.
  int MoveRequest() const { return move_; }
  // Result of a tracked popup left for another title by the mouse: that title, or -1.
  int SwitchRequest() const { return switchTo_; }
  // Whether the mouse button was still held as the popup closed.
  bool ButtonHeld() const { return buttonHeld_; }
  int Highlighted() const { return highlighted_; }

 private:
  int ItemAt(TPoint clientPoint) const;
  TRect ItemRect(int index) const;
  int TitleUnder(TPoint clientPoint) const;
  void Highlight(int index);
  void Choose(int index);
  const MenuPopupTemplate& popup_;
  TitleAt titleAt_;
  int ownTitle_ = -1;
  int highlighted_ = -1;
  int result_ = 0;
  int move_ = 0;
  int switchTo_ = -1;
  bool buttonHeld_ = false;
  bool done_ = false;
};
