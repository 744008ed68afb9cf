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

void TDecoratedFrame::Paint(TDC&, bool, const TRect&) {
  if (!menu_) return;
  Surface& s = ClientSurface();
  const TRect bar{0, 0, s.Width(), kMenuBarHeight};
  s.Fill(bar, kFaceGrey);
  look::HLine(s, bar, 0, s.Width(), kMenuBarHeight - 1, kShadowGrey);
  for (int i = 0; i < static_cast<int>(menu_->popups.size()); ++i) {
    TRect r = MenuTitleRect(i);
    if (i == openPopup_) s.Fill({r.left, r.top + 1, r.right, r.bottom - 2}, look::kActiveCaption);
    look::MnemonicText(s, bar, r.left + kMenuTitlePad, 3, menu_->popups[i].text,
                       i == openPopup_ ? kWhite : kBlack);
  }
}

void TDecoratedFrame::TrackMenu(int index) {
  while (menu_ && index >= 0 && index < static_cast<int>(menu_->popups.size())) {
    openPopup_ = index;
    InvalidateRect({0, 0, ClientSize().cx, kMenuBarHeight}, false);
    TRect title = MenuTitleRect(index);
    TPopupMenu popup(this, menu_->popups[index], {title.left, title.bottom});
    int command = popup.Track();
    openPopup_ = -1;
    InvalidateRect({0, 0, ClientSize().cx, kMenuBarHeight}, false);
    if (command) {
      SendCommand(command);
      return;
    }
    if (!popup.MoveRequest()) return;
    const int n = static_cast<int>(menu_->popups.size());
    index = (index + popup.MoveRequest() + n) % n;
  }
}

void TDecoratedFrame::MouseInput(Msg kind, TPoint p) {
  if (kind != Msg::LButtonDown || !menu_ || p.y >= kMenuBarHeight) return;
  for (int i = 0; i < static_cast<int>(menu_->popups.size()); ++i)
    if (MenuTitleRect(i).Contains(p)) TrackMenu(i);
}

void TDecoratedFrame::KeyInput(const Message& m) {
  if (m.kind != Msg::KeyDown || !m.alt || m.key != Key::Letter || !menu_) {
    client_->KeyInput(m);
    return;
  }
  // Alt+letter opens the popup whose title has that mnemonic.
  for (int i = 0; i < static_cast<int>(menu_->popups.size()); ++i) {
    const std::string& t = menu_->popups[i].text;
    std::size_t amp = t.find('&');
    if (amp != std::string::npos && amp + 1 < t.size() && std::tolower(static_cast<unsigned char>(t[amp + 1])) == m.letter) {
      TrackMenu(i);
      return;
    }
  }
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
