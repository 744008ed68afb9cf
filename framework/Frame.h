#pragma once
#include <string>
#include <string_view>

#include "framework/Template.h"
#include "framework/Window.h"

class TStatusBar;

// The main frame: the whole OS window. Its client area holds the menu bar at the top, the client
// window below it and the status bar at the bottom. The OS draws its caption and close box.
class TDecoratedFrame : public TWindow {
 public:
  static constexpr int kMenuBarHeight = 19;
  enum class Location { Bottom };

  TDecoratedFrame(TWindow* parent, std::string_view caption, TWindow* clientWnd, bool trackMenuSelection = false);
  ~TDecoratedFrame() override;

  void SetOuterPosition(TPoint p) { outerPosition_ = p; }
  void SetOuterSize(TSize s) { outerSize_ = s; }
  TPoint OuterPosition() const { return outerPosition_; }
  TSize OuterSize() const { return outerSize_; }
  void AssignMenu(std::string_view menuName);
  void SetIcon(int iconResource) { icon_ = iconResource; }
  int Icon() const { return icon_; }
  void Insert(TStatusBar& bar, Location where);
  TWindow* GetClientWindow() const { return client_; }
  const MenuTemplate* Menu() const { return menu_; }

  void Create() override;
  bool CanClose() override;
  bool Dispatch(const Message& m) override;
  TColor Background() const override { return kFaceGrey; }
  void Paint(TDC& dc, bool erase, const TRect& rect) override;
  void MouseInput(Msg kind, TPoint clientPoint) override;
  void KeyInput(const Message& m) override;
  void ChildMouseDown() override;
  // Opens popup index of the menu bar and sends the chosen command; the runner does not use this.
  // byKeyboard highlights the popup's first item; buttonHeld lets a release choose an item.
  void TrackMenu(int popupIndex, bool byKeyboard = true, bool buttonHeld = false);
  TRect MenuTitleRect(int popupIndex) const;
  int MenuTitleAt(TPoint clientPoint) const;
  // The command F1 sends (0: none).
  void SetHelpCommand(int id) { helpCommand_ = id; }
  // The title under the pointer, and the title selected by Alt or F10 (-1: none).
  int HotTitle() const { return hotTitle_; }
  int SelectedTitle() const { return selectedTitle_; }

 private:
  void Layout();
  void InvalidateMenuBar();
  void SetHotTitle(int index);
  void SelectTitle(int index);
  bool MenuBarKey(const Message& m);
  TWindow* client_;
  TStatusBar* statusBar_ = nullptr;
  const MenuTemplate* menu_ = nullptr;
  int icon_ = 0;
  int openPopup_ = -1;
  int hotTitle_ = -1;
  int selectedTitle_ = -1;
  bool altAlone_ = false;  // Alt is down and no other key came since
  int helpCommand_ = 0;
  TPoint outerPosition_;
  TSize outerSize_;
};

// A recessed status line at the bottom of the frame.
class TStatusBar : public TWindow {
 public:
  static constexpr int kHeight = 24;
  enum Border { Recessed };
  enum Mode { None };
  explicit TStatusBar(TWindow* parent, Border border = Recessed, unsigned modeIndicators = None);
  void SetText(std::string_view cp932);
  const std::string& Text() const { return text_; }
  TColor Background() const override { return kFaceGrey; }
  void Paint(TDC& dc, bool erase, const TRect& rect) override;

 private:
  std::string text_;
};
