#include "framework/Frame.h"

#include "framework/DC.h"
#include "framework/Desktop.h"
#include "framework/Fonts.h"
#include "framework/Look.h"
#include "framework/PopupMenu.h"
#include "framework/Resources.h"
#include "framework/UiObserver.h"

namespace {
constexpr int kMenuTitlePad = 7;
}

TDecoratedFrame::TDecoratedFrame(TWindow* parent, std::string_view caption, TWindow* clientWnd, bool)
    : TWindow(parent, caption), client_(clientWnd) {
  client_->MakeChildOf(this);
}

TDecoratedFrame::~TDecoratedFrame() { Destroy(); }

void TDecoratedFrame::AssignMenu(std::string_view menuName) { menu_ = &MenuResource(menuName); }

void TDecoratedFrame::Insert(TStatusBar& bar, Location) { statusBar_ = &bar; }

void TDecoratedFrame::Layout() {
  TSize screen = Desktop::Get().ScreenSize();
  SetChildPosition({0, 0});
  SetClientSize(screen);
  const int top = menu_ ? kMenuBarHeight : 0;
  const int bottom = statusBar_ ? TStatusBar::kHeight : 0;
  client_->SetChildPosition({0, top});
  client_->SetClientSize({screen.cx, screen.cy - top - bottom});
  if (statusBar_) {
    statusBar_->SetChildPosition({0, screen.cy - bottom});
    statusBar_->SetClientSize({screen.cx, bottom});
  }
}

void TDecoratedFrame::Create() {
  Layout();
  TWindow::Create();
}

bool TDecoratedFrame::CanClose() { return client_->CanClose(); }

bool TDecoratedFrame::Dispatch(const Message& m) {
  // Menu commands go to the client window first, as they are its commands.
  if (m.kind == Msg::Command) return client_->Dispatch(m);
  return false;
}

TRect TDecoratedFrame::MenuTitleRect(int index) const {
  int x = 2;
  for (int i = 0; menu_ && i < static_cast<int>(menu_->popups.size()); ++i) {
    int w = look::MnemonicTextWidth(menu_->popups[i].text) + 2 * kMenuTitlePad;
    if (i == index) return TRect::FromSize(x, 0, w, kMenuBarHeight);
    x += w;
  }
  return {};
}

int TDecoratedFrame::MenuTitleAt(TPoint p) const {
  for (int i = 0; menu_ && i < static_cast<int>(menu_->popups.size()); ++i)
    if (MenuTitleRect(i).Contains(p)) return i;
  return -1;
}

void TDecoratedFrame::InvalidateMenuBar() { InvalidateRect({0, 0, ClientSize().cx, kMenuBarHeight}, false); }

void TDecoratedFrame::SetHotTitle(int index) {
  if (index == hotTitle_) return;
  hotTitle_ = index;
  InvalidateMenuBar();
}

void TDecoratedFrame::SelectTitle(int index) {
  if (index == selectedTitle_) return;
  selectedTitle_ = index;
  InvalidateMenuBar();
}

void TDecoratedFrame::Paint(TDC&, bool, const TRect&) {
  if (!menu_) return;
  Surface& s = ClientSurface();
  const TRect bar{0, 0, s.Width(), kMenuBarHeight};
  s.Fill(bar, kFaceGrey);
  look::HLine(s, bar, 0, s.Width(), kMenuBarHeight - 1, kShadowGrey);
  for (int i = 0; i < static_cast<int>(menu_->popups.size()); ++i) {
    TRect r = MenuTitleRect(i);
    const bool lit = i == openPopup_ || i == selectedTitle_;
    if (lit) {
      s.Fill({r.left, r.top + 1, r.right, r.bottom - 2}, look::kActiveCaption);
    } else if (i == hotTitle_) {
      // The title under the pointer stands out as a thin raised button.
      look::HLine(s, bar, r.left, r.right, r.top + 1, kWhite);
      look::VLine(s, bar, r.left, r.top + 1, r.bottom - 2, kWhite);
      look::HLine(s, bar, r.left, r.right, r.bottom - 3, kShadowGrey);
      look::VLine(s, bar, r.right - 1, r.top + 1, r.bottom - 2, kShadowGrey);
    }
    look::MnemonicText(s, bar, r.left + kMenuTitlePad, 3, menu_->popups[i].text, lit ? kWhite : kBlack);
  }
}

void TDecoratedFrame::TrackMenu(int index, bool byKeyboard, bool buttonHeld) {
  SelectTitle(-1);
  SetHotTitle(-1);
  while (menu_ && index >= 0 && index < static_cast<int>(menu_->popups.size())) {
    openPopup_ = index;
    InvalidateMenuBar();
    TRect title = MenuTitleRect(index);
    TPopupMenu popup(this, menu_->popups[index], {title.left, title.bottom}, byKeyboard, buttonHeld);
    popup.SetMenuBar([this](TPoint screen) {
      const TPoint o = ClientOrigin();
      return MenuTitleAt({screen.x - o.x, screen.y - o.y});
    }, index);
    int command = popup.Track();
    openPopup_ = -1;
    InvalidateMenuBar();
    if (command) {
      SendCommand(command);
      return;
    }
    const int n = static_cast<int>(menu_->popups.size());
    if (popup.SwitchRequest() >= 0) {
      index = popup.SwitchRequest();
      byKeyboard = false;
      buttonHeld = popup.ButtonHeld();
    } else if (popup.MoveRequest()) {
      index = (index + popup.MoveRequest() + n) % n;
      byKeyboard = true;
      buttonHeld = false;
    } else {
      return;
    }
  }
}

void TDecoratedFrame::MouseInput(Msg kind, TPoint p) {
  if (!menu_) return;
  const int title = p.y >= 0 && p.y < kMenuBarHeight ? MenuTitleAt(p) : -1;
  if (kind == Msg::MouseMove) {
    SetHotTitle(title);
    return;
  }
  if (kind != Msg::LButtonDown) return;
  altAlone_ = false;
  SelectTitle(-1);
  if (title >= 0) TrackMenu(title, false, true);
}

// A click on the client or the status bar leaves the menu bar selected by Alt or F10.
void TDecoratedFrame::ChildMouseDown() {
  altAlone_ = false;
  SelectTitle(-1);
}

bool TDecoratedFrame::MenuBarKey(const Message& m) {
  const int n = static_cast<int>(menu_->popups.size());
  switch (m.key) {
    case Key::Left:
    case Key::Right:
      SelectTitle((selectedTitle_ + (m.key == Key::Left ? -1 : 1) + n) % n);
      return true;
    case Key::Enter:
    case Key::Down:
    case Key::Up:
      TrackMenu(selectedTitle_, true);
      return true;
    case Key::Escape:
      SelectTitle(-1);
      return true;
    case Key::Letter:
      for (int i = 0; i < n; ++i)
        if (look::Mnemonic(menu_->popups[i].text) == m.letter) {
          TrackMenu(i, true);
          return true;
        }
      return true;
    default:
      return false;
  }
}

void TDecoratedFrame::KeyInput(const Message& m) {
  if (!menu_) {
    client_->KeyInput(m);
    return;
  }
  // Alt pressed and released alone, or F10, selects the menu bar and its first title.
  if (m.key == Key::Alt) {
    if (m.kind == Msg::KeyDown) altAlone_ = true;
    if (m.kind == Msg::KeyUp && altAlone_) SelectTitle(selectedTitle_ >= 0 ? -1 : 0);
    if (m.kind == Msg::KeyUp) altAlone_ = false;
    return;
  }
  if (m.kind == Msg::KeyDown) altAlone_ = false;
  if (m.kind == Msg::KeyDown && m.key == Key::F10) {
    SelectTitle(selectedTitle_ >= 0 ? -1 : 0);
    return;
  }
  if (m.kind == Msg::KeyDown && selectedTitle_ >= 0 && MenuBarKey(m)) return;
  if (m.kind == Msg::KeyDown && m.key == Key::F1 && helpCommand_) {
    SelectTitle(-1);
    SendCommand(helpCommand_);
    return;
  }
  if (m.kind == Msg::KeyDown && m.alt && m.key == Key::Letter) {
    // Alt+letter opens the popup whose title has that mnemonic.
    for (int i = 0; i < static_cast<int>(menu_->popups.size()); ++i)
      if (look::Mnemonic(menu_->popups[i].text) == m.letter) {
        TrackMenu(i, true);
        return;
      }
    return;
  }
  client_->KeyInput(m);
}

TStatusBar::TStatusBar(TWindow* parent, Border, unsigned) : TWindow(parent) { MakeChildOf(parent); }

void TStatusBar::SetText(std::string_view cp932) {
  text_ = std::string(cp932);
  if (UiObserver* o = Desktop::Get().Observer()) o->StatusTextSet(text_);
  Invalidate(true);
}

void TStatusBar::Paint(TDC&, bool, const TRect&) {
  Surface& s = ClientSurface();
  const TRect all = s.Bounds();
  s.Fill(all, kFaceGrey);
  look::HLine(s, all, 0, all.right, 0, kWhite);
  TRect field{2, 3, all.right - 2, all.bottom - 2};
  look::SunkenEdge(s, all, field);
  TRect inside{field.left + 1, field.top + 1, field.right - 1, field.bottom - 1};
  Fonts::Get().Draw(s, inside, inside.left + 3, inside.top + (inside.Height() - Fonts::Get().LineHeight(FontFace::Mono16)) / 2, text_, FontFace::Mono16,
                    kBlack, std::nullopt);
}
