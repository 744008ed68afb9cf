#include "framework/Dialog.h"

#include <algorithm>

#include "framework/Desktop.h"
#include "framework/Fonts.h"
#include "framework/Look.h"
#include "framework/Resources.h"
#include "framework/UiObserver.h"

namespace {
std::vector<Control> ControlsFromTemplate(const DialogTemplate& t) {
  std::vector<Control> controls;
  for (const ControlTemplate& c : t.controls) {
    TRect r = TRect::FromSize(DluToPixelsX(c.x), DluToPixelsY(c.y), DluToPixelsX(c.cx), DluToPixelsY(c.cy));
    controls.push_back({c.kind, c.id, c.text, r, c.iconResource});
  }
  return controls;
}

bool IsButton(const Control& c) { return c.kind == ControlKind::PushButton || c.kind == ControlKind::DefPushButton; }
}  // namespace

TDialog::TDialog(TWindow* parent, int templateId) : TWindow(parent), templateId_(templateId) {
  const DialogTemplate& t = DialogResource(templateId);
  SetTitle(t.caption);
  SetClientSize({DluToPixelsX(t.cx), DluToPixelsY(t.cy)});
  controls_ = ControlsFromTemplate(t);
  centreOnScreen_ = t.centreOnScreen;
}

TDialog::TDialog(TWindow* parent, std::string_view caption, TSize clientSize, std::vector<Control> controls)
    : TWindow(parent, caption), controls_(std::move(controls)) {
  SetClientSize(clientSize);
}

TDialog::~TDialog() {
  if (IsCreated()) Destroy(IDCANCEL);
}

void TDialog::CentreOn(const TWindow* parent, bool onScreen) {
  TSize screen = Desktop::Get().ScreenSize();
  TRect around = (parent && !onScreen) ? parent->ScreenClientRect() : TRect{0, 0, screen.cx, screen.cy};
  TRect outer = ScreenOuterRect();
  int x = around.left + (around.Width() - outer.Width()) / 2;
  int y = around.top + (around.Height() - outer.Height()) / 2;
  // Keep the caption on the screen so the dialog can always be moved and closed.
  x = std::max(0, std::min(x, screen.cx - outer.Width()));
  y = std::max(0, std::min(y, screen.cy - outer.Height()));
  outerTopLeft_ = {x, y};
  SetChildPosition({x + metrics::kBorder, y + metrics::kBorder + metrics::kCaption});
}

void TDialog::Show() {
  ended_ = false;
  PlaceOnScreen();
  // The focus starts on the default button, or else on the first button that can be pressed, so
  // that Enter does something in every dialog.
  focusedButton_ = -1;
  for (std::size_t i = 0; i < controls_.size() && focusedButton_ < 0; ++i)
    if (controls_[i].kind == ControlKind::DefPushButton) focusedButton_ = static_cast<int>(i);
  for (std::size_t i = 0; i < controls_.size() && focusedButton_ < 0; ++i)
    if (IsButton(controls_[i]) && controls_[i].enabled) focusedButton_ = static_cast<int>(i);
  if (focusedButton_ >= 0) spotFocus_.FocusOn(controls_[static_cast<std::size_t>(focusedButton_)].rect);
  TWindow::Create();
  if (!IsMessageBox())
    if (UiObserver* o = Desktop::Get().Observer()) o->DialogOpened(*this);
}

int TDialog::Execute() {
  modal_ = true;
  Show();
  Desktop::Get().RunLoop([this] { return ended_; });
  modal_ = false;
  return result_;
}

void TDialog::Create() {
  SetOwnedByFramework();
  Show();
}

void TDialog::Destroy(int result) {
  if (!IsCreated()) return;
  result_ = result;
  ended_ = true;
  TWindow::Destroy();
  if (!IsMessageBox())
    if (UiObserver* o = Desktop::Get().Observer()) o->DialogClosed(*this);
}

void TDialog::CloseWindow(int result) {
  if (CanClose()) Destroy(result);
}

TRect TDialog::ScreenOuterRect() const {
  TRect c = ScreenClientRect();
  return {c.left - metrics::kBorder, c.top - metrics::kBorder - metrics::kCaption, c.right + metrics::kBorder,
          c.bottom + metrics::kBorder};
}

void TDialog::MoveTo(TPoint outerTopLeft) {
  TRect before = ScreenOuterRect();
  outerTopLeft_ = outerTopLeft;
  SetChildPosition({outerTopLeft.x + metrics::kBorder, outerTopLeft.y + metrics::kBorder + metrics::kCaption});
  if (!IsCreated() || ScreenOuterRect() == before) return;
  Desktop::Get().RepaintBelow(before, this);
}

void TDialog::PlaceOnScreen() { CentreOn(Parent(), centreOnScreen_); }

TPoint KeepCaptionGrip(TPoint outerTopLeft, TSize outerSize, TSize screen) {
  // Enough of the caption bar stays inside the screen to take hold of it again: the bar itself
  // never goes above the top or below the bottom, and a grip of it stays inside either side.
  constexpr int kGrip = 48;
  const int grip = std::min(kGrip, outerSize.cx);
  const int x = std::clamp(outerTopLeft.x, grip - outerSize.cx, screen.cx - grip);
  const int y = std::clamp(outerTopLeft.y, 0, std::max(0, screen.cy - metrics::kBorder - metrics::kCaption));
  return {x, y};
}

Control* TDialog::FindControl(int id) {
  for (Control& c : controls_)
    if (c.id == id && id != IDC_STATIC) return &c;
  return nullptr;
}

bool TDialog::PressButton(int id) {
  Control* c = FindControl(id);
  if (!c || !IsButton(*c) || !c->enabled) return false;
  SendCommand(id);
  return true;
}

const Control* TDialog::DefaultButton() const {
  if (focusedButton_ >= 0 && focusedButton_ < static_cast<int>(controls_.size())) return &controls_[focusedButton_];
  for (const Control& c : controls_)
    if (c.kind == ControlKind::DefPushButton) return &c;
  return nullptr;
}

bool TDialog::Dispatch(const Message& m) {
  if (m.kind != Msg::Command) return false;
  if (m.id == IDOK) {
    CmOk();
    return true;
  }
  if (m.id == IDCANCEL) {
    CmCancel();
    return true;
  }
  return false;
}

TDialog::FocusStops TDialog::Stops() const {
  FocusStops stops;
  stops.rects = LiveSpots();
  stops.spots = stops.rects.size();
  stops.buttonOf.assign(stops.spots, -1);
  if (stops.spots == 0) return stops;
  for (std::size_t i = 0; i < controls_.size(); ++i)
    if (IsButton(controls_[i]) && controls_[i].enabled) {
      stops.rects.push_back(controls_[i].rect);
      stops.buttonOf.push_back(static_cast<int>(i));
    }
  return stops;
}

bool TDialog::SpotHasFocus() const {
  const FocusStops stops = Stops();
  const int at = spotFocus_.Focused(stops.rects);
  return at >= 0 && static_cast<std::size_t>(at) < stops.spots;
}

// The keys of a picture with spots; a focused button takes Enter and Space as in any dialog.
bool TDialog::SpotKey(const Message& m) {
  const FocusStops stops = Stops();
  if (stops.spots == 0) return false;
  const int at = spotFocus_.Focused(stops.rects);
  const bool onButton = at >= 0 && static_cast<std::size_t>(at) >= stops.spots;
  const bool enter = m.key == Key::Enter || m.key == Key::Space;
  const bool remove = m.key == Key::Delete || m.key == Key::Backspace;
  if ((enter || remove) && onButton) return false;
  if (remove && !RightClickKeys()) return false;
  // Until a key shows the mark, Enter stays with the button that is drawn as taking it.
  if ((enter || remove) && !spotFocus_.MarkShown() && DefaultButton()) return false;
  const SpotFocus::Answer answer = spotFocus_.Key(stops.rects, m);
  if (answer.request == SpotFocus::Request::None) return false;
  if (answer.stop >= 0) focusedButton_ = stops.buttonOf[static_cast<std::size_t>(answer.stop)];
  const TPoint middle = answer.stop >= 0 ? Middle(stops.rects[static_cast<std::size_t>(answer.stop)]) : TPoint{};
  if (answer.request == SpotFocus::Request::Press) ClickAt(*this, middle, Msg::LButtonDown);
  if (answer.request == SpotFocus::Request::Remove) ClickAt(*this, middle, Msg::RButtonDown);
  return true;
}

void TDialog::DefaultProcessing(const Message& m) {
  if (m.kind != Msg::KeyDown) return;
  if (SpotKey(m)) return;
  std::vector<int> buttons;
  for (std::size_t i = 0; i < controls_.size(); ++i)
    if (IsButton(controls_[i]) && controls_[i].enabled) buttons.push_back(static_cast<int>(i));
  auto step = [&](int delta) {
    if (buttons.empty()) return;
    auto it = std::find(buttons.begin(), buttons.end(), focusedButton_);
    int pos = it == buttons.end() ? 0 : static_cast<int>(it - buttons.begin()) + delta;
    pos = (pos + static_cast<int>(buttons.size())) % static_cast<int>(buttons.size());
    focusedButton_ = buttons[pos];
    Desktop::Get().MarkDirty();
  };
  switch (m.key) {
    case Key::Enter:
    case Key::Space:
      // Alt+Space belongs to the window's system menu, never to a button.
      if (m.alt) break;
      if (const Control* c = DefaultButton(); c && IsButton(*c) && c->enabled) SendCommand(c->id);
      break;
    case Key::Letter:
      // A button's underlined letter presses it, with or without Alt.
      for (int i : buttons)
        if (look::Mnemonic(controls_[static_cast<std::size_t>(i)].text) == m.letter) {
          SendCommand(controls_[static_cast<std::size_t>(i)].id);
          break;
        }
      break;
    case Key::Escape:
      SendCommand(IDCANCEL);
      break;
    case Key::Tab:
      step(m.shift ? -1 : 1);
      break;
    case Key::Right:
    case Key::Down:
      step(1);
      break;
    case Key::Left:
    case Key::Up:
      step(-1);
      break;
    default:
      break;
  }
}

void TDialog::KeyInput(const Message& m) {
  if (!Dispatch(m)) DefaultProcessing(m);
}

void TDialog::MouseInput(Msg kind, TPoint p) {
  if (pressedControl_ >= 0) {
    Control& c = controls_[pressedControl_];
    bool inside = c.rect.Contains(p);
    if (kind == Msg::MouseMove) {
      c.pressed = inside;
      Desktop::Get().MarkDirty();
      return;
    }
    if (kind == Msg::LButtonUp) {
      int id = c.id;
      c.pressed = false;
      pressedControl_ = -1;
      Desktop::Get().SetCapture(nullptr);
      Desktop::Get().MarkDirty();
      if (inside) SendCommand(id);
      return;
    }
  }
  if (kind == Msg::LButtonDown) {
    for (std::size_t i = 0; i < controls_.size(); ++i) {
      Control& c = controls_[i];
      if (IsButton(c) && c.enabled && c.rect.Contains(p)) {
        c.pressed = true;
        pressedControl_ = static_cast<int>(i);
        focusedButton_ = static_cast<int>(i);
        spotFocus_.FocusOn(c.rect);
        Desktop::Get().SetCapture(this);
        Desktop::Get().MarkDirty();
        return;
      }
    }
  }
  if (kind == Msg::LButtonDown || kind == Msg::RButtonDown) {
    const FocusStops stops = Stops();
    spotFocus_.Clicked(std::span(stops.rects).first(stops.spots), p);
  }
  TWindow::MouseInput(kind, p);
}

bool TDialog::InCaption(TPoint p) const {
  TRect outer = ScreenOuterRect();
  TRect bar{outer.left + metrics::kBorder, outer.top + metrics::kBorder, outer.right - metrics::kBorder,
            outer.top + metrics::kBorder + metrics::kCaption};
  return bar.Contains(p) && !InCloseBox(p);
}

bool TDialog::InCloseBox(TPoint p) const {
  if (!HasCloseBox()) return false;
  TRect outer = ScreenOuterRect();
  TRect bar{outer.left + metrics::kBorder, outer.top + metrics::kBorder, outer.right - metrics::kBorder,
            outer.top + metrics::kBorder + metrics::kCaption};
  return look::CloseBoxRect(bar).Contains(p);
}

void TDialog::ComposeInto(Surface& screen) const {
  const TRect outer = ScreenOuterRect();
  const TRect all = screen.Bounds();
  screen.Fill(outer, look::kFace);
  look::RaisedEdge(screen, all, outer, false);
  TRect bar{outer.left + metrics::kBorder, outer.top + metrics::kBorder, outer.right - metrics::kBorder,
            outer.top + metrics::kBorder + metrics::kCaption - 1};
  // A flash shows the caption the other way round for a moment.
  bool active = (Desktop::Get().FocusWindow() == this) != Desktop::Get().CaptionFlashedOver(this);
  TRect barClip = bar.Intersect(all);
  Surface& s = screen;
  if (!barClip.IsEmpty()) look::CaptionBar(s, bar, Title(), active, true, HasCloseBox());
  TWindow::ComposeInto(screen);
  const TRect client = ScreenClientRect().Intersect(all);
  const TPoint o = ClientOrigin();
  // While a spot has the focus, Enter is the spot's and no button is marked for it.
  const bool spotFocused = spotFocus_.MarkShown() && SpotHasFocus();
  const Control* enterButton = spotFocused ? nullptr : DefaultButton();
  for (const Control& c : controls_) DrawControl(screen, client, o, c, &c == enterButton);
  // As on the classic desktop, only the window that has the keys shows where its focus is.
  if (spotFocused && Desktop::Get().FocusWindow() == this) spotFocus_.DrawMark(screen, client, o);
}

void DrawControl(Surface& s, const TRect& clip, TPoint o, const Control& c, bool focused) {
  const TRect r = c.rect.Offset(o.x, o.y);
  switch (c.kind) {
    case ControlKind::PushButton:
    case ControlKind::DefPushButton: {
      s.Fill(r.Intersect(clip), look::kFace);
      TRect face = r;
      // The heavy outline marks the button Enter would press: the focused one.
      if (focused) {
        look::HLine(s, clip, r.left, r.right, r.top, look::kDarkShadow);
        look::HLine(s, clip, r.left, r.right, r.bottom - 1, look::kDarkShadow);
        look::VLine(s, clip, r.left, r.top, r.bottom, look::kDarkShadow);
        look::VLine(s, clip, r.right - 1, r.top, r.bottom, look::kDarkShadow);
        face = {r.left + 1, r.top + 1, r.right - 1, r.bottom - 1};
      }
      look::RaisedEdge(s, clip, face, c.pressed);
      TRect text = c.pressed ? face.Offset(1, 1) : face;
      look::CentredText(s, clip, text, c.text, c.enabled ? kBlack : look::kGreyText);
      break;
    }
    case ControlKind::Label: {
      int y = r.top;
      std::string_view rest = c.text;
      while (true) {
        std::size_t nl = rest.find('\n');
        Fonts::Get().Draw(s, clip, r.left, y, rest.substr(0, nl), FontFace::Prop12, kBlack, std::nullopt);
        if (nl == std::string_view::npos) break;
        rest.remove_prefix(nl + 1);
        y += Fonts::Get().LineHeight(FontFace::Prop12);
      }
      break;
    }
    case ControlKind::EtchedFrame:
      look::EtchedRect(s, clip, r);
      break;
    case ControlKind::Icon: {
      const Surface& icon = IconResource(c.iconResource);
      s.Blit(r.left, r.top, icon.Width(), icon.Height(), icon, 0, 0, Rop::SrcCopy, clip);
      break;
    }
  }
}
