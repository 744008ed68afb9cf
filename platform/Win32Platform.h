#pragma once
#include <cstdint>
#include <memory>
#include <optional>
#include <string_view>

#include "framework/Platform.h"
#include "framework/Surface.h"
#include "platform/LiveClock.h"
#include "platform/Presentation.h"

// The real desktop on Windows: one window of our own class and its message loop, the performance
// counter as the clock, a high-resolution waitable timer for the waits. Like SdlPlatform the
// game's screen keeps its size and is shown at the largest whole scale the window has room for
// (F11: full screen), the mouse mapped back to game pixels.
class Win32Platform : public Platform {
 public:
  // Opens a window for a screen of screenSize pixels at windowPosition on the desktop, with a
  // UTF-8 caption, at the largest whole scale that fits the work area (openingScale, when given,
  // instead). If no window can be opened it says why and ends the program.
  Win32Platform(TSize screenSize, TPoint windowPosition, std::string_view captionUtf8, int openingScale = 0);
  ~Win32Platform() override;
  Win32Platform(const Win32Platform&) = delete;
  Win32Platform& operator=(const Win32Platform&) = delete;

  // The game's clock (see LiveClock).
  std::uint64_t Now() override;
  LiveClock& Clock() { return clock_; }
  // The real clock in microseconds from the start, for measuring how late timers arrive.
  std::uint64_t NowMicroseconds() const;
  InputEvent WaitEvent(std::optional<std::uint64_t> nextDue) override;
  void Present(const Surface& screen) override;
  void Sleep(unsigned ms) override;
  // The window's icon (caption and taskbar).
  void SetIcon(const Surface& icon);
  void ToggleFullScreen();
  const Presentation& CurrentPresentation() const;

  struct Native;  // the window, the timer and what the window procedure shares with the loop

 private:
  std::unique_ptr<Native> native_;
  LiveClock clock_;
};
