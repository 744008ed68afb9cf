#include "platform/Win32Platform.h"

#include <windows.h>
#include <mmsystem.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <deque>
#include <string>
#include <vector>

#include "platform/Win32Input.h"

#ifndef CREATE_WAITABLE_TIMER_HIGH_RESOLUTION
#define CREATE_WAITABLE_TIMER_HIGH_RESOLUTION 0x00000002
#endif

namespace {

constexpr wchar_t kClassName[] = L"PomuruGameWindow";

std::wstring Widen(std::string_view utf8) {
  std::wstring out(utf8.size(), L'\0');
  const int n = MultiByteToWideChar(CP_UTF8, 0, utf8.data(), static_cast<int>(utf8.size()), out.data(),
                                    static_cast<int>(out.size()));
  out.resize(static_cast<std::size_t>(std::max(n, 0)));
  return out;
}

[[noreturn]] void Fail(const char* what) {
  const DWORD error = GetLastError();
  std::fprintf(stderr, "error: %s (Windows error %lu)\n", what, static_cast<unsigned long>(error));
  const std::wstring text = Widen(what);
  MessageBoxW(nullptr, text.c_str(), L"tavo2", MB_OK | MB_ICONERROR);
  std::exit(1);
}

std::int64_t Counter() {
  LARGE_INTEGER now;
  QueryPerformanceCounter(&now);
  return now.QuadPart;
}

}  // namespace

struct Win32Platform::Native {
  HWND window = nullptr;
  HICON icon = nullptr;
  // Waits end on a waitable timer: a high-resolution one where Windows has it (10, version 1803
  // on); else a plain one with the system timer at 1 ms. Never the 10 ms floor and 15.6 ms tick
  // of window timers.
  HANDLE timer = nullptr;
  bool raisedTimerResolution = false;
  std::int64_t frequency = 1;  // counter ticks a second
  std::int64_t start = 0;
  TSize screenSize;
  Presentation presentation;
  std::vector<TColor> shown;  // the last presented screen, for WM_PAINT
  TSize shownSize;
  bool presented = false;
  // Events the window procedure made, waiting for WaitEvent; during a blocking sleep only close
  // requests are kept.
  std::deque<InputEvent> events;
  bool sleeping = false;
  bool fullScreen = false;
  WINDOWPLACEMENT restorePlacement{};
  LONG_PTR restoreStyle = 0;
  RECT fullScreenRect{};
  int fullScreenRepairs = 0;  // left for this time full screen
  Win32Platform* owner = nullptr;

  static LRESULT CALLBACK WindowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
  LRESULT Handle(UINT message, WPARAM wParam, LPARAM lParam);

  void Push(const InputEvent& ev) {
    if (!sleeping || ev.kind == InputEvent::Kind::Close) events.push_back(ev);
  }
  std::int64_t TicksForMs(std::uint64_t ms) const {
    return static_cast<std::int64_t>(ms / 1000) * frequency + static_cast<std::int64_t>(ms % 1000) * frequency / 1000;
  }
  void Fit() {
    RECT client{};
    GetClientRect(window, &client);
    presentation = FitPicture({client.right - client.left, client.bottom - client.top}, screenSize);
  }
  void Paint(HDC dc) const {
    RECT client{};
    GetClientRect(window, &client);
    const TRect& r = presentation.picture;
    // Around the picture the window is one plain colour.
    const int saved = SaveDC(dc);
    if (presented) ExcludeClipRect(dc, r.left, r.top, r.right, r.bottom);
    FillRect(dc, &client, static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)));
    RestoreDC(dc, saved);
    if (!presented) return;
    // A Surface pixel (0x00RRGGBB) is a 32-bit DIB pixel; a negative height puts row 0 on top.
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = shownSize.cx;
    info.bmiHeader.biHeight = -shownSize.cy;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    // Whole-number scales with COLORONCOLOR: each game pixel a sharp square.
    SetStretchBltMode(dc, COLORONCOLOR);
    StretchDIBits(dc, r.left, r.top, r.Width(), r.Height(), 0, 0, shownSize.cx, shownSize.cy, shown.data(), &info,
                  DIB_RGB_COLORS, SRCCOPY);
  }
  // Full screen covers the monitor. Under Wine a window manager may answer the style change late
  // with the window's old size, which Wine takes for a resize of its own: put it back, a few times
  // at most, so as never to fight a window manager.
  void KeepFullScreen() {
    RECT now{};
    if (!fullScreen || fullScreenRepairs <= 0 || !GetWindowRect(window, &now) || EqualRect(&now, &fullScreenRect)) return;
    --fullScreenRepairs;
    const RECT& m = fullScreenRect;
    SetWindowPos(window, nullptr, m.left, m.top, m.right - m.left, m.bottom - m.top,
                 SWP_NOZORDER | SWP_NOOWNERZORDER | SWP_NOACTIVATE);
  }
  void Show() const {
    if (HDC dc = GetDC(window)) {
      Paint(dc);
      ReleaseDC(window, dc);
    }
  }
  // Handles every message already queued; false when there was none.
  bool Pump() {
    MSG msg;
    bool any = false;
    while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
      any = true;
      // No TranslateMessage: the game reads keys, not characters, and Alt+letter must not beep.
      DispatchMessageW(&msg);
    }
    return any;
  }
  // Sleeps until the counter reaches due or a message arrives, whichever is first.
  void WaitUntil(std::int64_t due) {
    const std::int64_t left = due - Counter();
    if (left <= 0) return;
    // In 100 ns units; negative: relative to now. At least one unit, so the timer never fires at once.
    LARGE_INTEGER when;
    when.QuadPart = -std::max<std::int64_t>(1, left * 10'000'000 / frequency);
    if (!SetWaitableTimer(timer, &when, 0, nullptr, nullptr, FALSE)) {
      MsgWaitForMultipleObjectsEx(0, nullptr, static_cast<DWORD>(std::max<std::int64_t>(1, left * 1000 / frequency)),
                                  QS_ALLINPUT, MWMO_INPUTAVAILABLE);
      return;
    }
    MsgWaitForMultipleObjectsEx(1, &timer, INFINITE, QS_ALLINPUT, MWMO_INPUTAVAILABLE);
    CancelWaitableTimer(timer);
  }
};

LRESULT CALLBACK Win32Platform::Native::WindowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_NCCREATE) {
    auto* create = reinterpret_cast<CREATESTRUCTW*>(lParam);
    SetWindowLongPtrW(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(create->lpCreateParams));
    static_cast<Native*>(create->lpCreateParams)->window = hwnd;
  }
  auto* self = reinterpret_cast<Native*>(GetWindowLongPtrW(hwnd, GWLP_USERDATA));
  if (self == nullptr) return DefWindowProcW(hwnd, message, wParam, lParam);
  return self->Handle(message, wParam, lParam);
}

LRESULT Win32Platform::Native::Handle(UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_CLOSE: {
      // The close box, the system menu, the taskbar: the game asks its questions first. Under
      // Wine a window manager may take Alt+F4 and ask for a close instead: with Alt held, it is
      // the key, which closes the window in front.
      InputEvent ev;
      ev.kind = InputEvent::Kind::Close;
      if (GetKeyState(VK_MENU) < 0) {
        ev.kind = InputEvent::Kind::KeyDown;
        ev.key = Key::F4;
        ev.alt = true;
      }
      Push(ev);
      return 0;
    }
    case WM_ERASEBKGND:
      return 1;  // WM_PAINT covers every pixel
    case WM_PAINT: {
      PAINTSTRUCT ps;
      if (HDC dc = BeginPaint(window, &ps)) {
        Paint(dc);
        EndPaint(window, &ps);
      }
      return 0;
    }
    case WM_SIZE: {
      KeepFullScreen();
      Fit();
      InvalidateRect(window, nullptr, FALSE);
      InputEvent ev;
      ev.kind = InputEvent::Kind::Redraw;
      Push(ev);
      return 0;
    }
    case WM_GETMINMAXINFO: {
      // Never smaller than the game's screen at 1×.
      RECT outer{0, 0, screenSize.cx, screenSize.cy};
      AdjustWindowRectEx(&outer, WS_OVERLAPPEDWINDOW, FALSE, 0);
      auto* info = reinterpret_cast<MINMAXINFO*>(lParam);
      info->ptMinTrackSize = {outer.right - outer.left, outer.bottom - outer.top};
      return 0;
    }
    case WM_LBUTTONDOWN:
    case WM_RBUTTONDOWN:
      // Captured, the button-up and drags reach the game even off the window.
      SetCapture(window);
      break;
    case WM_LBUTTONUP:
    case WM_RBUTTONUP:
      if ((wParam & (MK_LBUTTON | MK_RBUTTON)) == 0) ReleaseCapture();
      break;
    case WM_KEYDOWN:
    case WM_SYSKEYDOWN:
      // F11 belongs to the window, not to the game; a held key repeats only the first press.
      if (wParam == VK_F11) {
        if ((lParam & (1 << 30)) == 0) owner->ToggleFullScreen();
        return 0;
      }
      break;
    case WM_KEYUP:
    case WM_SYSKEYUP:
      if (wParam == VK_F11) return 0;
      break;
    case WM_SYSCHAR:
      return 0;  // Alt+letter is the game's menu bar, not the system menu's
    default:
      break;
  }
  if (auto ev = TranslateWindowMessage(message, wParam, lParam, presentation, GetKeyState(VK_MENU) < 0)) {
    Push(*ev);
    // Keys with Alt, and F10 and Alt alone, stay with the game: passed on, Windows would open the
    // system menu and run its own modal loop. Alt+F4 is the game's own too (it closes the topmost
    // window, as a dialog's Alt+F4 does).
    return 0;
  }
  return DefWindowProcW(window, message, wParam, lParam);
}

Win32Platform::Win32Platform(TSize screenSize, TPoint windowPosition, std::string_view captionUtf8, int openingScale)
    : native_(std::make_unique<Native>()) {
  Native& n = *native_;
  n.owner = this;
  n.screenSize = screenSize;
  LARGE_INTEGER frequency;
  QueryPerformanceFrequency(&frequency);
  n.frequency = frequency.QuadPart;
  n.start = Counter();
  n.timer = CreateWaitableTimerExW(nullptr, nullptr, CREATE_WAITABLE_TIMER_HIGH_RESOLUTION, TIMER_ALL_ACCESS);
  if (n.timer == nullptr) {
    n.raisedTimerResolution = timeBeginPeriod(1) == TIMERR_NOERROR;
    n.timer = CreateWaitableTimerExW(nullptr, nullptr, 0, TIMER_ALL_ACCESS);
  }
  // Real pixels: a desktop scaled to 150 % must not blur the picture; the whole scale is ours.
  SetProcessDPIAware();

  const HINSTANCE instance = GetModuleHandleW(nullptr);
  WNDCLASSEXW wc{};
  wc.cbSize = sizeof wc;
  wc.lpfnWndProc = &Native::WindowProc;
  wc.hInstance = instance;
  wc.hCursor = LoadCursorW(nullptr, IDC_ARROW);
  // The program's own icon (resource 1) where it has one; SetIcon replaces it for the window.
  wc.hIcon = LoadIconW(instance, MAKEINTRESOURCEW(1));
  wc.lpszClassName = kClassName;
  if (RegisterClassExW(&wc) == 0 && GetLastError() != ERROR_CLASS_ALREADY_EXISTS) Fail("cannot register the window class");

  constexpr DWORD kStyle = WS_OVERLAPPEDWINDOW;
  RECT frame{0, 0, screenSize.cx, screenSize.cy};
  AdjustWindowRectEx(&frame, kStyle, FALSE, 0);
  const TSize allowance{frame.right - frame.left - screenSize.cx, frame.bottom - frame.top - screenSize.cy};
  RECT work{0, 0, 0, 0};
  const bool knowsDesktop = SystemParametersInfoW(SPI_GETWORKAREA, 0, &work, 0) != 0;
  const TSize usable{work.right - work.left, work.bottom - work.top};
  const int scale = openingScale > 0 ? openingScale : knowsDesktop ? OpeningScale(usable, screenSize, allowance) : 1;
  const TSize outer{screenSize.cx * scale + allowance.cx, screenSize.cy * scale + allowance.cy};
  TPoint at = windowPosition;
  if (knowsDesktop && scale > 1) {
    // The usual place unless the larger window would reach past the work area.
    at.x = std::max<int>(work.left, std::min<int>(at.x, work.right - outer.cx));
    at.y = std::max<int>(work.top, std::min<int>(at.y, work.bottom - outer.cy));
  }
  const std::wstring caption = Widen(captionUtf8);
  CreateWindowExW(0, kClassName, caption.c_str(), kStyle, at.x, at.y, outer.cx, outer.cy, nullptr, nullptr, instance,
                  &n);
  if (n.window == nullptr) Fail("cannot create the window");
  n.Fit();
  ShowWindow(n.window, SW_SHOWNORMAL);
  UpdateWindow(n.window);
  // What showing the window queued (a size and a paint) is not the game's input.
  n.Pump();
  n.events.clear();
}

Win32Platform::~Win32Platform() {
  Native& n = *native_;
  if (n.window != nullptr) {
    SetWindowLongPtrW(n.window, GWLP_USERDATA, 0);
    DestroyWindow(n.window);
  }
  if (n.icon != nullptr) DestroyIcon(n.icon);
  if (n.timer != nullptr) CloseHandle(n.timer);
  if (n.raisedTimerResolution) timeEndPeriod(1);
}

std::uint64_t Win32Platform::Now() { return clock_.Now(); }

std::uint64_t Win32Platform::NowMicroseconds() const {
  const std::int64_t ticks = Counter() - native_->start;
  const std::int64_t f = native_->frequency;
  return static_cast<std::uint64_t>(ticks / f * 1'000'000 + ticks % f * 1'000'000 / f);
}

const Presentation& Win32Platform::CurrentPresentation() const { return native_->presentation; }

InputEvent Win32Platform::WaitEvent(std::optional<std::uint64_t> nextDue) {
  Native& n = *native_;
  for (;;) {
    // Input already queued is read first, stamped with the time it is read; a redraw comes at once.
    n.Pump();
    while (!n.events.empty()) {
      const InputEvent ev = n.events.front();
      n.events.pop_front();
      if (ev.kind == InputEvent::Kind::Redraw) return ev;
      clock_.Arrived(ev, NowMicroseconds());
    }
    if (auto ev = clock_.Next(nextDue, NowMicroseconds())) return *ev;
    const std::optional<std::uint64_t> wake = clock_.WakeUs(nextDue);
    if (!wake) {
      MsgWaitForMultipleObjectsEx(0, nullptr, INFINITE, QS_ALLINPUT, MWMO_INPUTAVAILABLE);
      continue;
    }
    const std::int64_t subMs = static_cast<std::int64_t>(*wake % 1000) * n.frequency / 1'000'000;
    n.WaitUntil(n.start + n.TicksForMs(*wake / 1000) + subMs);
  }
}

void Win32Platform::Present(const Surface& screen) {
  Native& n = *native_;
  if (screen.Width() <= 0 || screen.Height() <= 0) return;
  n.shownSize = {screen.Width(), screen.Height()};
  n.shown.assign(screen.Row(0), screen.Row(0) + static_cast<std::size_t>(screen.Width()) * screen.Height());
  n.presented = true;
  n.Show();
}

void Win32Platform::Sleep(unsigned ms) {
  Native& n = *native_;
  const std::int64_t deadline = Counter() + n.TicksForMs(ms);
  clock_.Slept(ms);
  n.Show();
  // Input is thrown away, that queued before too; the window keeps its picture, and a close
  // request waits its turn.
  std::erase_if(n.events, [](const InputEvent& ev) { return ev.kind != InputEvent::Kind::Close; });
  n.sleeping = true;
  while (Counter() < deadline) {
    n.Pump();
    n.WaitUntil(deadline);
  }
  n.Pump();
  n.sleeping = false;
}

void Win32Platform::SetIcon(const Surface& icon) {
  Native& n = *native_;
  if (icon.Width() <= 0 || icon.Height() <= 0) return;
  BITMAPINFO info{};
  info.bmiHeader.biSize = sizeof info.bmiHeader;
  info.bmiHeader.biWidth = icon.Width();
  info.bmiHeader.biHeight = -icon.Height();
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 32;
  info.bmiHeader.biCompression = BI_RGB;
  void* bits = nullptr;
  HBITMAP colour = CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
  if (colour == nullptr) return;
  // Opaque everywhere: an all-zero mask, and the alpha byte set.
  auto* out = static_cast<std::uint32_t*>(bits);
  for (int y = 0; y < icon.Height(); ++y)
    for (int x = 0; x < icon.Width(); ++x) out[y * icon.Width() + x] = icon.Pixel(x, y) | 0xFF000000u;
  const std::vector<std::uint8_t> maskBits(static_cast<std::size_t>((icon.Width() + 15) / 16 * 2) * icon.Height(), 0);
  HBITMAP mask = CreateBitmap(icon.Width(), icon.Height(), 1, 1, maskBits.data());
  ICONINFO ii{};
  ii.fIcon = TRUE;
  ii.hbmColor = colour;
  ii.hbmMask = mask;
  HICON made = mask != nullptr ? CreateIconIndirect(&ii) : nullptr;
  DeleteObject(colour);
  if (mask != nullptr) DeleteObject(mask);
  if (made == nullptr) return;
  SendMessageW(n.window, WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(made));
  SendMessageW(n.window, WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(made));
  if (n.icon != nullptr) DestroyIcon(n.icon);
  n.icon = made;
}

void Win32Platform::ToggleFullScreen() {
  Native& n = *native_;
  // A borderless window over the whole monitor, and back to the window as it was.
  if (!n.fullScreen) {
    MONITORINFO monitor{};
    monitor.cbSize = sizeof monitor;
    n.restorePlacement.length = sizeof n.restorePlacement;
    if (!GetWindowPlacement(n.window, &n.restorePlacement) ||
        !GetMonitorInfoW(MonitorFromWindow(n.window, MONITOR_DEFAULTTONEAREST), &monitor))
      return;
    n.restoreStyle = GetWindowLongPtrW(n.window, GWL_STYLE);
    SetWindowLongPtrW(n.window, GWL_STYLE, (n.restoreStyle & ~WS_OVERLAPPEDWINDOW) | WS_POPUP);
    const RECT& m = monitor.rcMonitor;
    n.fullScreenRect = m;
    n.fullScreenRepairs = 3;
    SetWindowPos(n.window, HWND_TOP, m.left, m.top, m.right - m.left, m.bottom - m.top,
                 SWP_FRAMECHANGED | SWP_NOOWNERZORDER);
  } else {
    n.fullScreenRepairs = 0;
    SetWindowLongPtrW(n.window, GWL_STYLE, n.restoreStyle);
    SetWindowPlacement(n.window, &n.restorePlacement);
    SetWindowPos(n.window, nullptr, 0, 0, 0, 0,
                 SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOOWNERZORDER | SWP_FRAMECHANGED);
  }
  n.fullScreen = !n.fullScreen;
  n.Fit();
  InvalidateRect(n.window, nullptr, FALSE);
}
