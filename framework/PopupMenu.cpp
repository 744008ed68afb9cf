#include "framework/PopupMenu.h"

#include <algorithm>
#include <cctype>

#include "framework/DC.h"
#include "framework/Desktop.h"
#include "framework/Fonts.h"
#include "framework/Look.h"

namespace {
constexpr int kItemHeight = 20;
constexpr int kSeparatorHeight = 8;
constexpr int kPadX = 20;

bool IsSeparator(const MenuItemTemplate& item) { return item.command == 0; }
}  // namespace

TPopupMenu::TPopupMenu(TWindow* owner, const MenuPopupTemplate& popup, TPoint screenTopLeft, bool byKeyboard,
                       bool buttonHeld)
    : TWindow(owner), popup_(popup), buttonHeld_(buttonHeld) {
  int width = 120;
  int height = 4;
  for (const MenuItemTemplate& item : popup_.items) {
    width = std::max(width, look::MnemonicTextWidth(item.text) + 2 * kPadX);
    height += IsSeparator(item) ? kSeparatorHeight : kItemHeight;
  }
  SetChildPosition({screenTopLeft.x + 2, screenTopLeft.y + 2});
  SetClientSize({width, height});
  if (byKeyboard)
    for (int i = 0; i < static_cast<int>(popup_.items.size()) && highlighted_ < 0; ++i)
      if (!IsSeparator(popup_.items[i])) highlighted_ = i;
}

void TPopupMenu::SetMenuBar(TitleAt titleAt, int ownTitle) {
  titleAt_ = std::move(titleAt);
  ownTitle_ = ownTitle;
}

int TPopupMenu::TitleUnder(TPoint p) const {
  if (!titleAt_) return -1;
  const TPoint o = ClientOrigin();
  return titleAt_({p.x + o.x, p.y + o.y});
}

void TPopupMenu::Highlight(int index) {
  if (index == highlighted_) return;
  highlighted_ = index;
  Invalidate(false);
}

TRect TPopupMenu::ScreenOuterRect() const {
  TRect c = ScreenClientRect();
  return {c.left - 2, c.top - 2, c.right + 2, c.bottom + 2};
}

TRect TPopupMenu::ItemRect(int index) const {
  int y = 2;
  for (int i = 0; i < static_cast<int>(popup_.items.size()); ++i) {
    int h = IsSeparator(popup_.items[i]) ? kSeparatorHeight : kItemHeight;
    if (i == index) return {2, y, ClientSize().cx - 2, y + h};
    y += h;
  }
  return {};
}

int TPopupMenu::ItemAt(TPoint p) const {
  for (int i = 0; i < static_cast<int>(popup_.items.size()); ++i)
    if (!IsSeparator(popup_.items[i]) && ItemRect(i).Contains(p)) return i;
  return -1;
}

int TPopupMenu::Track() {
  Create();
  Desktop::Get().RunLoop([this] { return done_; });
  Destroy();
  return result_;
}

void TPopupMenu::Choose(int index) {
  result_ = index >= 0 ? popup_.items[index].command : 0;
  done_ = true;
}

void TPopupMenu::ComposeInto(Surface& screen) const {
  TRect outer = ScreenOuterRect();
  screen.Fill(outer.Intersect(screen.Bounds()), kFaceGrey);
  look::RaisedEdge(screen, screen.Bounds(), outer, false);
  TWindow::ComposeInto(screen);
}

void TPopupMenu::Paint(TDC&, bool, const TRect&) {
  Surface& s = ClientSurface();
  const TRect all = s.Bounds();
  s.Fill(all, kFaceGrey);
  for (int i = 0; i < static_cast<int>(popup_.items.size()); ++i) {
    TRect r = ItemRect(i);
    if (IsSeparator(popup_.items[i])) {
      int y = r.top + r.Height() / 2 - 1;
      look::HLine(s, all, 1, all.right - 1, y, kShadowGrey);
      look::HLine(s, all, 1, all.right - 1, y + 1, kWhite);
      continue;
    }
    bool lit = i == highlighted_;
    if (lit) s.Fill(r, look::kActiveCaption);
    look::MnemonicText(s, all, kPadX, r.top + (kItemHeight - Fonts::Get().LineHeight(FontFace::Prop12)) / 2,
                       popup_.items[i].text, lit ? kWhite : kBlack);
  }
}

void TPopupMenu::MouseInput(Msg kind, TPoint p) {
  const bool inside = ClientSurface().Bounds().Contains(p);
  const int title = inside ? -1 : TitleUnder(p);
  switch (kind) {
    case Msg::MouseMove:
      if (inside) {
        Highlight(ItemAt(p));
      } else if (title >= 0 && title != ownTitle_) {
        switchTo_ = title;  // moving onto another title opens its menu
        Choose(-1);
      }
      break;
    case Msg::LButtonDown:
    case Msg::RButtonDown:
      buttonHeld_ = kind == Msg::LButtonDown;
      if (inside) {
        if (int i = ItemAt(p); i >= 0) Choose(i);
      } else {
        if (title >= 0 && title != ownTitle_) switchTo_ = title;
        Choose(-1);  // a click elsewhere, or on its own title, closes the popup
      }
      break;
    case Msg::LButtonUp: {
      const bool held = buttonHeld_;
      buttonHeld_ = false;
      if (inside) {
        if (int i = ItemAt(p); i >= 0) Choose(i);  // press, drag, release
      } else if (held && title < 0) {
        Choose(-1);  // a drag that ends off the menu
      }
      break;
    }
    default:
      break;
  }
}

void TPopupMenu::KeyInput(const Message& m) {
  if (m.kind != Msg::KeyDown) return;
  const int n = static_cast<int>(popup_.items.size());
  auto step = [&](int delta) {
    for (int k = 0; k < n; ++k) {
      highlighted_ = ((highlighted_ < 0 && delta < 0 ? 0 : highlighted_) + delta + n) % n;
      if (!IsSeparator(popup_.items[highlighted_])) break;
    }
    Invalidate(false);
  };
  switch (m.key) {
    case Key::Escape:
      Choose(-1);
      break;
    case Key::Down:
      step(1);
      break;
    case Key::Up:
      step(-1);
      break;
    case Key::Left:
    case Key::Right:
      move_ = m.key == Key::Left ? -1 : 1;
      Choose(-1);
      break;
    case Key::Enter:
    case Key::Space:
      if (highlighted_ >= 0 && !m.alt) Choose(highlighted_);
      break;
    case Key::Alt:
    case Key::F10:
      Choose(-1);
      break;
    case Key::Letter:
      for (int i = 0; i < n; ++i) {
        const std::string& t = popup_.items[i].text;
        std::size_t amp = t.find('&');
        if (amp != std::string::npos && amp + 1 < t.size() &&
            std::tolower(static_cast<unsigned char>(t[amp + 1])) == m.letter) {
          Choose(i);
          return;
        }
      }
      break;
    default:
      break;
  }
}
