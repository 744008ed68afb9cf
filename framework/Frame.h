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
  // Opens popup index of the menu bar and sends the chosen command; the runner does not use this.
  void TrackMenu(int popupIndex);
  TRect MenuTitleRect(int popupIndex) const;

 private:
  void Layout();
  TWindow* client_;
  TStatusBar* statusBar_ = nullptr;
  const MenuTemplate* menu_ = nullptr;
  int icon_ = 0;
  int openPopup_ = -1;
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
