#pragma once
#include <cstdint>
#include <deque>
#include <functional>
#include <optional>

#include "framework/Platform.h"

// No display: a virtual clock that starts at 0 ms and input from a source (the script runner or a
// test). The source is asked for input only when no timer is due and no wait is running; it may
// start a wait instead of returning input.
class HeadlessPlatform : public Platform {
 public:
  // Returns the next input, or nullopt when it only started a wait or did something by itself.
  using InputSource = std::function<std::optional<InputEvent>(HeadlessPlatform&)>;

  explicit HeadlessPlatform(InputSource source) : source_(std::move(source)) {}

  std::uint64_t Now() override { return now_; }
  InputEvent WaitEvent(std::optional<std::uint64_t> nextDue) override;
  void Present(const Surface&) override { ++presents_; }
  // Nothing shows the screen: it is composed only when asked for (a shot).
  bool WantsFrames() const override { return false; }
  void Sleep(unsigned ms) override {
    if (onSleep_) onSleep_();
    now_ += ms;
  }
  // Called as a blocking sleep starts, with the screen as it stays during the sleep.
  void OnSleep(std::function<void()> hook) { onSleep_ = std::move(hook); }

  // Advances the clock by ms, firing the timers due on the way (and at its end).
  void BeginWait(std::uint64_t ms) { waitUntil_ = now_ + ms; }
  bool Waiting() const { return waitUntil_.has_value(); }
  // Input delivered before the source is asked again (a click's button-up).
  void Queue(const InputEvent& e) { queued_.push_back(e); }
  int Presents() const { return presents_; }

 private:
  InputSource source_;
  std::uint64_t now_ = 0;
  std::optional<std::uint64_t> waitUntil_;
  std::deque<InputEvent> queued_;
  int presents_ = 0;
  std::function<void()> onSleep_;
};
