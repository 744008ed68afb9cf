#include "platform/SdlPlatform.h"

#include "platform/SdlXlib.h"

#include <cstring>

#include <SDL.h>
#include <SDL_syswm.h>
#include <X11/Xutil.h>

#include <time.h>

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <string>

namespace {

// SDL's waits have millisecond granularity and may wake a little late; the last stretch before a
// timer is due is covered with short sleeps so timers fire within a millisecond.
constexpr std::int64_t kMs = 1'000'000;  // in nanoseconds
constexpr std::int64_t kFineWait = 2 * kMs;
constexpr std::int64_t kFineStep = 200'000;

std::int64_t MonotonicNs() {
  timespec ts{};
  clock_gettime(CLOCK_MONOTONIC, &ts);
  return static_cast<std::int64_t>(ts.tv_sec) * 1'000'000'000 + ts.tv_nsec;
}

void SleepUntilNs(std::int64_t ns) {
  const timespec ts{static_cast<time_t>(ns / 1'000'000'000), static_cast<long>(ns % 1'000'000'000)};
  while (clock_nanosleep(CLOCK_MONOTONIC, TIMER_ABSTIME, &ts, nullptr) == EINTR) {
  }
}

// Waits for an SDL event for at most the time until the deadline minus the fine stretch; returns
// whether e holds one. In the fine stretch it sleeps a little and only polls.
bool WaitEventUntil(SDL_Event& e, std::int64_t deadline, std::int64_t now) {
  const std::int64_t left = deadline - now;
  if (left > kFineWait) {
    return SDL_WaitEventTimeout(&e, static_cast<int>(std::max<std::int64_t>(1, (left - kFineWait) / kMs))) != 0;
  }
  SleepUntilNs(std::min(deadline, now + kFineStep));
  return SDL_PollEvent(&e) != 0;
}

// SDL stores the caption in the old WM_NAME property as raw UTF-8 bytes typed as Latin-1, so
// whatever reads that property (xdotool, xprop, older window managers) sees garbage. Store it
// there again typed as UTF8_STRING. libX11 is already loaded by SDL; its functions are looked up
// at run time so that the program needs no X11 link of its own.
void SetLegacyWindowName(SDL_Window* window, const std::string& caption) {
  SDL_SysWMinfo info;
  SDL_VERSION(&info.version);
  if (SDL_GetWindowWMInfo(window, &info) != SDL_TRUE || info.subsystem != SDL_SYSWM_X11) return;
  void* x11 = SDL_LoadObject("libX11.so.6");
  if (x11 == nullptr) return;
  using InternAtom = Atom (*)(Display*, const char*, int);
  using SetProperty = void (*)(Display*, Window, XTextProperty*, Atom);
  using Flush = int (*)(Display*);
  const auto internAtom = reinterpret_cast<InternAtom>(SDL_LoadFunction(x11, "XInternAtom"));
  const auto setProperty = reinterpret_cast<SetProperty>(SDL_LoadFunction(x11, "XSetTextProperty"));
  const auto flush = reinterpret_cast<Flush>(SDL_LoadFunction(x11, "XFlush"));
  if (internAtom != nullptr && setProperty != nullptr && flush != nullptr) {
    Display* display = info.info.x11.display;
    // The atom may not exist yet on a fresh server, so it is created if need be.
    XTextProperty property{};
    property.value = reinterpret_cast<unsigned char*>(const_cast<char*>(caption.data()));
    property.encoding = internAtom(display, "UTF8_STRING", 0);
    property.format = 8;
    property.nitems = caption.size();
    setProperty(display, info.info.x11.window, &property, XA_WM_NAME);
    flush(display);
  }
  SDL_UnloadObject(x11);
}

[[noreturn]] void Fail(const char* what) {
  std::fprintf(stderr, "error: %s: %s\n", what, SDL_GetError());
  std::exit(1);
}

Key MapKey(SDL_Keycode sym) {
  switch (sym) {
    case SDLK_RETURN:
    case SDLK_KP_ENTER:
      return Key::Enter;
    case SDLK_ESCAPE:
      return Key::Escape;
    case SDLK_TAB:
      return Key::Tab;
    case SDLK_LEFT:
      return Key::Left;
    case SDLK_RIGHT:
      return Key::Right;
    case SDLK_UP:
      return Key::Up;
    case SDLK_DOWN:
      return Key::Down;
    case SDLK_SPACE:
      return Key::Space;
    case SDLK_F4:
      return Key::F4;
    case SDLK_F1:
      return Key::F1;
    case SDLK_F10:
      return Key::F10;
    case SDLK_PAGEUP:
      return Key::PageUp;
    case SDLK_PAGEDOWN:
      return Key::PageDown;
    case SDLK_F6:
      return Key::F6;
    case SDLK_DELETE:
      return Key::Delete;
    case SDLK_BACKSPACE:
      return Key::Backspace;
    case SDLK_HOME:
      return Key::Home;
    case SDLK_END:
      return Key::End;
    case SDLK_LALT:
    case SDLK_RALT:
      return Key::Alt;
    default:
      if (sym >= SDLK_a && sym <= SDLK_z) return Key::Letter;
      return Key::Other;
  }
}

}  // namespace

SdlPlatform::SdlPlatform(TSize screenSize, TPoint windowPosition, std::string_view captionUtf8, int openingScale)
    : startNs_(MonotonicNs()), screenSize_(screenSize) {
  // Ctrl+C ends the program as usual, and closing the window is a close request like any other,
  // not a request to quit.
  SDL_SetHint(SDL_HINT_NO_SIGNAL_HANDLERS, "1");
  SDL_SetHint(SDL_HINT_QUIT_ON_LAST_WINDOW_CLOSE, "0");
  SDL_SetHint(SDL_HINT_VIDEO_ALLOW_SCREENSAVER, "1");
  // Plain software drawing to an X image: no OpenGL, identical pixels everywhere, safe on Xvfb.
  SDL_SetHint(SDL_HINT_RENDER_DRIVER, "software");
  SDL_SetHint(SDL_HINT_FRAMEBUFFER_ACCELERATION, "0");
  if (SDL_Init(SDL_INIT_VIDEO) != 0) Fail("cannot open a window (is DISPLAY set?)");
  // Without game controllers the keyboard and mouse still play.
  if (SDL_InitSubSystem(SDL_INIT_GAMECONTROLLER) != 0) std::fprintf(stderr, "no game controllers: %s\n", SDL_GetError());
  // Scaled pixels stay sharp.
  SDL_SetHint(SDL_HINT_RENDER_SCALE_QUALITY, "nearest");
  const std::string caption(captionUtf8);
  SDL_Rect usable{0, 0, screenSize.cx, screenSize.cy};
  const bool knowsDesktop = SDL_GetDisplayUsableBounds(0, &usable) == 0;
  // Room for a window manager's title bar and borders, which are not known before the window is.
  constexpr TSize kFrameAllowance{16, 48};
  const int scale = openingScale > 0 ? openingScale
                    : knowsDesktop   ? OpeningScale({usable.w, usable.h}, screenSize, kFrameAllowance)
                                     : 1;
  const TSize size{screenSize.cx * scale, screenSize.cy * scale};
  TPoint at = windowPosition;
  if (knowsDesktop && scale > 1) {
    // The usual place unless the larger window would reach past the desktop.
    at.x = std::max(usable.x, std::min(at.x, usable.x + usable.w - size.cx - kFrameAllowance.cx));
    at.y = std::max(usable.y, std::min(at.y, usable.y + usable.h - size.cy - kFrameAllowance.cy));
  }
  focusBefore_ = x11::FocusedWindow();
  window_ = SDL_CreateWindow(caption.c_str(), at.x, at.y, size.cx, size.cy, SDL_WINDOW_SHOWN | SDL_WINDOW_RESIZABLE);
  if (window_ == nullptr) Fail("cannot create the window");
  SDL_SetWindowMinimumSize(window_, screenSize.cx, screenSize.cy);
  presentation_ = FitPicture(size, screenSize);
  renderer_ = SDL_CreateRenderer(window_, -1, SDL_RENDERER_SOFTWARE);
  if (renderer_ == nullptr) Fail("cannot create a renderer");
  // Only now: on some setups creating the renderer replaces the X window.
  SetLegacyWindowName(window_, caption);
  // The game reads keys, not text: keep input methods out of the way.
  SDL_StopTextInput();
}

SdlPlatform::~SdlPlatform() {
  if (texture_ != nullptr) SDL_DestroyTexture(texture_);
  if (renderer_ != nullptr) SDL_DestroyRenderer(renderer_);
  if (window_ != nullptr) {
    x11::HandFocusBack(window_, focusBefore_);
    SDL_DestroyWindow(window_);
  }
  SDL_Quit();
}

std::uint64_t SdlPlatform::Now() { return clock_.Now(); }

std::uint64_t SdlPlatform::NowMicroseconds() const {
  return static_cast<std::uint64_t>((MonotonicNs() - startNs_) / 1000);
}

std::optional<InputEvent> SdlPlatform::Translate(const SDL_Event& e) {
  InputEvent ev;
  switch (e.type) {
    case SDL_QUIT:
      ev.kind = InputEvent::Kind::Close;
      return ev;
    case SDL_WINDOWEVENT:
      switch (e.window.event) {
        case SDL_WINDOWEVENT_CLOSE:
          // A window manager takes Alt+F4 for itself and asks us to close instead: with Alt held,
          // it is the key, which closes the window in front.
          if ((SDL_GetModState() & KMOD_ALT) != 0) {
            ev.kind = InputEvent::Kind::KeyDown;
            ev.key = Key::F4;
            ev.alt = true;
            return ev;
          }
          ev.kind = InputEvent::Kind::Close;
          return ev;
        case SDL_WINDOWEVENT_SHOWN:
        case SDL_WINDOWEVENT_EXPOSED:
        case SDL_WINDOWEVENT_RESTORED:
        case SDL_WINDOWEVENT_SIZE_CHANGED:
        case SDL_WINDOWEVENT_MAXIMIZED:
          Show();
          ev.kind = InputEvent::Kind::Redraw;
          return ev;
        default:
          return std::nullopt;
      }
    case SDL_MOUSEBUTTONDOWN:
    case SDL_MOUSEBUTTONUP:
      if (e.button.button != SDL_BUTTON_LEFT && e.button.button != SDL_BUTTON_RIGHT) return std::nullopt;
      ev.kind = e.type == SDL_MOUSEBUTTONDOWN ? InputEvent::Kind::MouseDown : InputEvent::Kind::MouseUp;
      ev.button = e.button.button == SDL_BUTTON_LEFT ? MouseButton::Left : MouseButton::Right;
      ev.point = ToGame(e.button.x, e.button.y);
      return ev;
    case SDL_MOUSEMOTION:
      ev.kind = InputEvent::Kind::MouseMove;
      ev.button = (e.motion.state & SDL_BUTTON_LMASK) == 0 && (e.motion.state & SDL_BUTTON_RMASK) != 0
                      ? MouseButton::Right
                      : MouseButton::Left;
      ev.point = ToGame(e.motion.x, e.motion.y);
      return ev;
    case SDL_KEYDOWN:
    case SDL_KEYUP: {
      // F11 belongs to the window, not to the game.
      if (e.key.keysym.sym == SDLK_F11) {
        if (e.type == SDL_KEYDOWN && e.key.repeat == 0) ToggleFullScreen();
        return std::nullopt;
      }
      ev.kind = e.type == SDL_KEYDOWN ? InputEvent::Kind::KeyDown : InputEvent::Kind::KeyUp;
      ev.key = MapKey(e.key.keysym.sym);
      if (ev.key == Key::Letter) ev.letter = static_cast<char>(e.key.keysym.sym);  // SDL keycodes are lower case
      ev.alt = (e.key.keysym.mod & KMOD_ALT) != 0;
      ev.shift = (e.key.keysym.mod & KMOD_SHIFT) != 0;
      ev.ctrl = (e.key.keysym.mod & KMOD_CTRL) != 0;
      return ev;
    }
    default:
      return gamepad_.Translate(e, MonotonicNs());
  }
}

std::optional<InputEvent> SdlPlatform::Take(const SDL_Event& e) {
  std::optional<InputEvent> ev = Translate(e);
  if (!ev || ev->kind == InputEvent::Kind::Redraw) return ev;
  clock_.Arrived(*ev, NowMicroseconds());
  return std::nullopt;
}

InputEvent SdlPlatform::WaitEvent(std::optional<std::uint64_t> nextDue) {
  for (;;) {
    // Input already queued is read first, stamped with the time it is read.
    SDL_Event e;
    while (SDL_PollEvent(&e) != 0) {
      if (auto ev = Take(e)) return *ev;
    }
    // A held gamepad arrow repeats as typed keys do: an input like any other.
    if (auto repeat = gamepad_.Repeat(MonotonicNs())) clock_.Arrived(*repeat, NowMicroseconds());
    if (auto ev = clock_.Next(nextDue, NowMicroseconds())) return *ev;
    std::optional<std::uint64_t> wake = clock_.WakeUs(nextDue);
    if (const std::optional<std::int64_t> repeatNs = gamepad_.NextRepeatNs()) {
      const auto repeatUs = static_cast<std::uint64_t>(std::max<std::int64_t>(*repeatNs - startNs_, 0) / 1000);
      wake = wake ? std::min(*wake, repeatUs) : repeatUs;
    }
    if (!wake) {
      if (SDL_WaitEvent(&e) != 0) {
        if (auto ev = Take(e)) return *ev;
      }
      continue;
    }
    const std::int64_t due = startNs_ + static_cast<std::int64_t>(*wake) * 1000;
    const std::int64_t now = MonotonicNs();
    if (now < due && WaitEventUntil(e, due, now)) {
      if (auto ev = Take(e)) return *ev;
    }
  }
}

void SdlPlatform::SetIcon(const Surface& icon) {
  SDL_Surface* s = SDL_CreateRGBSurfaceWithFormat(0, icon.Width(), icon.Height(), 32, SDL_PIXELFORMAT_RGB888);
  if (s == nullptr) return;
  for (int y = 0; y < icon.Height(); ++y)
    std::memcpy(static_cast<char*>(s->pixels) + static_cast<std::ptrdiff_t>(y) * s->pitch, icon.Row(y),
                static_cast<std::size_t>(icon.Width()) * sizeof(TColor));
  SDL_SetWindowIcon(window_, s);
  SDL_FreeSurface(s);
}

void SdlPlatform::Present(const Surface& screen) {
  if (screen.Width() <= 0 || screen.Height() <= 0) return;
  if (texture_ == nullptr || textureSize_ != TSize{screen.Width(), screen.Height()}) {
    if (texture_ != nullptr) SDL_DestroyTexture(texture_);
    // RGB888 is 32-bit 0x00RRGGBB, the layout of a Surface pixel.
    texture_ = SDL_CreateTexture(renderer_, SDL_PIXELFORMAT_RGB888, SDL_TEXTUREACCESS_STREAMING, screen.Width(),
                                 screen.Height());
    if (texture_ == nullptr) Fail("cannot create the screen texture");
    textureSize_ = {screen.Width(), screen.Height()};
  }
  SDL_UpdateTexture(texture_, nullptr, screen.Row(0), screen.Width() * static_cast<int>(sizeof(TColor)));
  presented_ = true;
  Show();
}

void SdlPlatform::ToggleFullScreen() {
  // A window manager makes the window full screen and puts it back where it was itself; moved by
  // us, the window would land off by the frame the manager puts around it.
  if (!fullScreen_) wmFullScreen_ = x11::HasWindowManager(window_);
  if (wmFullScreen_) {
    SDL_SetWindowFullscreen(window_, fullScreen_ ? 0 : SDL_WINDOW_FULLSCREEN_DESKTOP);
    fullScreen_ = !fullScreen_;
    Show();
    return;
  }
  // Without one, a borderless window over the whole display (a request to a window manager would
  // go unanswered).
  if (!fullScreen_) {
    const int display = std::max(0, SDL_GetWindowDisplayIndex(window_));
    SDL_Rect bounds;
    if (SDL_GetDisplayBounds(display, &bounds) != 0) return;
    SDL_GetWindowPosition(window_, &restore_.x, &restore_.y);
    SDL_GetWindowSize(window_, &restore_.w, &restore_.h);
    SDL_SetWindowBordered(window_, SDL_FALSE);
    SDL_SetWindowPosition(window_, bounds.x, bounds.y);
    SDL_SetWindowSize(window_, bounds.w, bounds.h);
    SDL_RaiseWindow(window_);
  } else {
    SDL_SetWindowBordered(window_, SDL_TRUE);
    SDL_SetWindowSize(window_, restore_.w, restore_.h);
    SDL_SetWindowPosition(window_, restore_.x, restore_.y);
  }
  fullScreen_ = !fullScreen_;
  Show();
}

void SdlPlatform::Show() {
  int w = 0, h = 0;
  if (SDL_GetRendererOutputSize(renderer_, &w, &h) == 0) presentation_ = FitPicture({w, h}, screenSize_);
  if (!presented_) return;
  // Around the picture the window is one plain colour.
  SDL_SetRenderDrawColor(renderer_, 0, 0, 0, 255);
  SDL_RenderClear(renderer_);
  const TRect& r = presentation_.picture;
  const SDL_Rect dst{r.left, r.top, r.Width(), r.Height()};
  SDL_RenderCopy(renderer_, texture_, nullptr, &dst);
  SDL_RenderPresent(renderer_);
}

void SdlPlatform::Sleep(unsigned ms) {
  const std::int64_t deadline = MonotonicNs() + static_cast<std::int64_t>(ms) * kMs;
  clock_.Slept(ms);
  Show();
  for (;;) {
    const std::int64_t now = MonotonicNs();
    if (now >= deadline) return;
    SDL_Event e;
    if (!WaitEventUntil(e, deadline, now)) continue;
    // Input is thrown away; the window keeps its picture, and a close request waits its turn.
    if (auto ev = Translate(e); ev && ev->kind == InputEvent::Kind::Close) clock_.Arrived(*ev, NowMicroseconds());
  }
}
