#pragma once
#include <cstdint>
#include <optional>
#include <string_view>

#include "framework/Platform.h"
#include "framework/Surface.h"
#include "platform/LiveClock.h"
#include "platform/Presentation.h"
#include "platform/SdlGamepad.h"

struct SDL_Window;
struct SDL_Renderer;
struct SDL_Texture;
union SDL_Event;

// The real desktop: one SDL window, the steady clock and the keyboard and mouse. The game's screen
// keeps its size; the window may be resized, maximised or made full screen (F11), and shows the
// screen at the largest whole-number scale that fits, the mouse mapped back to game pixels.
class SdlPlatform : public Platform {
 public:
  // Opens a window for a screen of screenSize pixels at windowPosition on the desktop, with a
  // UTF-8 caption, at the largest whole scale that fits the usable desktop (openingScale, when
  // given, instead). If no window can be opened it prints why and ends the program.
  SdlPlatform(TSize screenSize, TPoint windowPosition, std::string_view captionUtf8, int openingScale = 0);
  ~SdlPlatform() override;
  SdlPlatform(const SdlPlatform&) = delete;
  SdlPlatform& operator=(const SdlPlatform&) = delete;

  // The game's clock (see LiveClock).
  std::uint64_t Now() override;
  LiveClock& Clock() { return clock_; }
  // The real clock in microseconds from the start, for measuring how late timers arrive.
  std::uint64_t NowMicroseconds() const;
  InputEvent WaitEvent(std::optional<std::uint64_t> nextDue) override;
  void Present(const Surface& screen) override;
  void Sleep(unsigned ms) override;
  // The OS window's icon.
  void SetIcon(const Surface& icon);
  void ToggleFullScreen();
  const Presentation& CurrentPresentation() const { return presentation_; }

 private:
  std::optional<InputEvent> Translate(const SDL_Event& e);
  // Input goes to the clock to be held; what the platform itself returns at once (a redraw) comes back.
  std::optional<InputEvent> Take(const SDL_Event& e);
  void Show();
  TPoint ToGame(int x, int y) const { return WindowToGame({x, y}, presentation_); }

  std::int64_t startNs_;  // CLOCK_MONOTONIC at construction (<chrono> cannot be compiled for CP932)
  SDL_Window* window_ = nullptr;
  SDL_Renderer* renderer_ = nullptr;
  SDL_Texture* texture_ = nullptr;  // holds the last presented screen, for exposures
  TSize textureSize_;
  TSize screenSize_;
  Presentation presentation_;
  bool fullScreen_ = false;
  bool wmFullScreen_ = false;  // full screen by the window manager's hand
  unsigned long focusBefore_ = 0;  // the X window that had the keyboard focus before ours
  struct {
    int x = 0, y = 0, w = 0, h = 0;
  } restore_;  // the window's place before F11
  bool presented_ = false;
  SdlGamepad gamepad_;
  LiveClock clock_;
};
