#pragma once
#include <cstdint>
#include <optional>
#include <vector>

#include "framework/Platform.h"

union SDL_Event;
struct _SDL_GameController;

// Game controllers, plugged in at any time, as keys: the D-pad and the left stick are the arrows
// (repeating while held), A Enter, B Esc, X Tab, Y Delete, Start F10, Back F1. The game never
// hears of a controller.
class SdlGamepad {
 public:
  SdlGamepad() = default;
  ~SdlGamepad();
  SdlGamepad(const SdlGamepad&) = delete;
  SdlGamepad& operator=(const SdlGamepad&) = delete;

  // The key a controller event stands for (also opens and closes controllers as they come and go).
  std::optional<InputEvent> Translate(const SDL_Event& e, std::int64_t nowNs);
  // When the held arrow next repeats, on the monotonic clock in nanoseconds.
  std::optional<std::int64_t> NextRepeatNs() const;
  // The held arrow's repeat when it is due.
  std::optional<InputEvent> Repeat(std::int64_t nowNs);

 private:
  std::optional<InputEvent> Arrow(Key key, bool down, std::int64_t nowNs);
  std::optional<InputEvent> Stick(int axis, int value, std::int64_t nowNs);

  std::vector<_SDL_GameController*> open_;
  std::optional<Key> held_;  // the arrow that repeats
  std::int64_t repeatDueNs_ = 0;
  Key stickX_ = Key::Other;  // the arrow each stick axis holds down, Other for none
  Key stickY_ = Key::Other;
};
