#pragma once
#include <cstdint>
#include <optional>
#include <string_view>

#include "framework/Platform.h"
#include "framework/Surface.h"
#include "platform/LiveClock.h"
#include "platform/Presentation.h"

// The game in a web page (web/page/): the composed screen in a <canvas> at the largest whole
// scale that fits the page's stage, centred; pointer, touch and keyboard from the page; the
// browser's clock. Waiting for the next event or timer yields to the browser (ASYNCIFY), so the
// nested loops and blocking sleeps keep their code and the tab never freezes.
class WebPlatform : public Platform {
 public:
  // The same arguments as the desktop's platforms; the page has no window to place or caption.
  WebPlatform(TSize screenSize, TPoint windowPosition, std::string_view captionUtf8, int openingScale = 0);
  ~WebPlatform() override;
  WebPlatform(const WebPlatform&) = delete;
  WebPlatform& operator=(const WebPlatform&) = delete;

  std::uint64_t Now() override;
  // The same clock in microseconds, for measuring how late timers arrive.
  std::uint64_t NowMicroseconds() const;
  InputEvent WaitEvent(std::optional<std::uint64_t> nextDue) override;
  void Present(const Surface& screen) override;
  void Sleep(unsigned ms) override;
  // The page's icons are its own files (rendered from the desktop icon).
  void SetIcon(const Surface&) {}
  void ToggleFullScreen();
  const Presentation& CurrentPresentation() const { return presentation_; }
  // The game's clock (see LiveClock), as on the desktop.
  LiveClock& Clock() { return clock_; }

 private:
  std::optional<InputEvent> Next();
  void Fit();

  // Real time since the platform started, the live clock's measure.
  std::uint64_t ClockUs() const { return NowMicroseconds() - startUs_; }

  TSize screenSize_;
  std::uint64_t startUs_ = 0;
  LiveClock clock_;
  Presentation presentation_;
};
