#include "platform/WebPlatform.h"

#include <iterator>

#include "platform/WebPage.h"

namespace {

// The keys the page reports, by the code web/page/library_tavo2.js gives them.
constexpr Key kKeys[] = {Key::Enter, Key::Escape, Key::Tab,   Key::Left,  Key::Right, Key::Up,  Key::Down,     Key::Space,
                         Key::F4,    Key::Letter, Key::Other, Key::Alt,   Key::F1,    Key::F10, Key::PageUp, Key::PageDown,
                         Key::F6,    Key::Delete, Key::Backspace, Key::Home, Key::End};

}  // namespace

WebPlatform::WebPlatform(TSize screenSize, TPoint, std::string_view, int) : screenSize_(screenSize) {
  tavo2_page_open(screenSize.cx, screenSize.cy);
  startUs_ = NowMicroseconds();
  Fit();
}

WebPlatform::~WebPlatform() { tavo2_page_close(); }

std::uint64_t WebPlatform::Now() { return clock_.Now(); }

std::uint64_t WebPlatform::NowMicroseconds() const { return static_cast<std::uint64_t>(tavo2_page_now_us()); }

void WebPlatform::Fit() {
  presentation_ = FitPicture({tavo2_page_stage_width(), tavo2_page_stage_height()}, screenSize_);
  const TRect& r = presentation_.picture;
  tavo2_page_place(r.left, r.top, presentation_.scale);
}

std::optional<InputEvent> WebPlatform::Next() {
  PageEvent e{};
  while (tavo2_page_next_event(&e) != 0) {
    InputEvent ev;
    switch (e.kind) {
      case PageEvent::kStage:
        Fit();
        ev.kind = InputEvent::Kind::Redraw;
        return ev;
      case PageEvent::kPointer:
        ev.kind = e.phase == 0 ? InputEvent::Kind::MouseDown : e.phase == 1 ? InputEvent::Kind::MouseUp
                                                                            : InputEvent::Kind::MouseMove;
        ev.button = e.button == 0 ? MouseButton::Left : MouseButton::Right;
        ev.point = WindowToGame({e.x, e.y}, presentation_);
        return ev;
      case PageEvent::kKey:
        if (e.key < 0 || e.key >= static_cast<int>(std::size(kKeys))) continue;
        ev.kind = e.phase == 0 ? InputEvent::Kind::KeyDown : InputEvent::Kind::KeyUp;
        ev.key = kKeys[e.key];
        ev.letter = static_cast<char>(e.letter);
        ev.alt = e.alt != 0;
        ev.shift = e.shift != 0;
        return ev;
      default:
        continue;
    }
  }
  return std::nullopt;
}

InputEvent WebPlatform::WaitEvent(std::optional<std::uint64_t> nextDue) {
  for (;;) {
    // Input already queued is read first, stamped with the time it is read.
    while (auto ev = Next()) {
      if (ev->kind == InputEvent::Kind::Redraw) return *ev;
      clock_.Arrived(*ev, ClockUs());
    }
    if (auto ev = clock_.Next(nextDue, ClockUs())) return *ev;
    const std::optional<std::uint64_t> wake = clock_.WakeUs(nextDue);
    if (!wake) {
      tavo2_page_wait(-1);
      continue;
    }
    const std::uint64_t now = ClockUs();
    if (now < *wake) tavo2_page_wait(static_cast<double>(*wake - now) / 1000.0);
  }
}

void WebPlatform::Present(const Surface& screen) {
  if (screen.Width() <= 0 || screen.Height() <= 0) return;
  tavo2_page_present(screen.Row(0), screen.Width(), screen.Height());
}

void WebPlatform::Sleep(unsigned ms) {
  const std::uint64_t deadline = NowMicroseconds() + std::uint64_t{ms} * 1000;
  clock_.Slept(ms);
  for (;;) {
    const std::uint64_t now = NowMicroseconds();
    if (now >= deadline) return;
    tavo2_page_wait(static_cast<double>(deadline - now) / 1000.0);
    // Input is thrown away; a change of the stage still moves the picture.
    PageEvent e{};
    while (tavo2_page_next_event(&e) != 0)
      if (e.kind == PageEvent::kStage) Fit();
  }
}

void WebPlatform::ToggleFullScreen() { tavo2_page_toggle_full_screen(); }
