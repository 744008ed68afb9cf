#include "platform/SdlGamepad.h"

#include <SDL.h>

#include <algorithm>
#include <cstdlib>

namespace {
// As a keyboard repeats: a pause, then steady steps.
constexpr std::int64_t kRepeatDelayNs = 400'000'000;
constexpr std::int64_t kRepeatStepNs = 100'000'000;
// The stick counts as pushed past half way and as let go below a quarter.
constexpr int kStickPushed = 16384;
constexpr int kStickReleased = 8192;

struct ButtonKey {
  SDL_GameControllerButton button;
  Key key;
};
constexpr ButtonKey kButtons[] = {
    {SDL_CONTROLLER_BUTTON_DPAD_UP, Key::Up},       {SDL_CONTROLLER_BUTTON_DPAD_DOWN, Key::Down},
    {SDL_CONTROLLER_BUTTON_DPAD_LEFT, Key::Left},   {SDL_CONTROLLER_BUTTON_DPAD_RIGHT, Key::Right},
    {SDL_CONTROLLER_BUTTON_A, Key::Enter},          {SDL_CONTROLLER_BUTTON_B, Key::Escape},
    {SDL_CONTROLLER_BUTTON_X, Key::Tab},            {SDL_CONTROLLER_BUTTON_Y, Key::Delete},
    {SDL_CONTROLLER_BUTTON_START, Key::F10},        {SDL_CONTROLLER_BUTTON_BACK, Key::F1},
};

bool IsArrow(Key key) { return key == Key::Up || key == Key::Down || key == Key::Left || key == Key::Right; }

InputEvent KeyEvent(Key key, bool down) {
  InputEvent ev;
  ev.kind = down ? InputEvent::Kind::KeyDown : InputEvent::Kind::KeyUp;
  ev.key = key;
  return ev;
}
}  // namespace

SdlGamepad::~SdlGamepad() {
  for (SDL_GameController* c : open_) SDL_GameControllerClose(c);
}

std::optional<InputEvent> SdlGamepad::Translate(const SDL_Event& e, std::int64_t nowNs) {
  switch (e.type) {
    case SDL_CONTROLLERDEVICEADDED:
      if (SDL_GameController* c = SDL_GameControllerOpen(e.cdevice.which)) open_.push_back(c);
      return std::nullopt;
    case SDL_CONTROLLERDEVICEREMOVED:
      for (auto it = open_.begin(); it != open_.end(); ++it)
        if (SDL_JoystickInstanceID(SDL_GameControllerGetJoystick(*it)) == e.cdevice.which) {
          SDL_GameControllerClose(*it);
          open_.erase(it);
          break;
        }
      held_.reset();
      return std::nullopt;
    case SDL_CONTROLLERBUTTONDOWN:
    case SDL_CONTROLLERBUTTONUP: {
      const bool down = e.type == SDL_CONTROLLERBUTTONDOWN;
      for (const ButtonKey& b : kButtons)
        if (b.button == e.cbutton.button) return IsArrow(b.key) ? Arrow(b.key, down, nowNs) : KeyEvent(b.key, down);
      return std::nullopt;
    }
    case SDL_CONTROLLERAXISMOTION:
      return Stick(e.caxis.axis, e.caxis.value, nowNs);
    default:
      return std::nullopt;
  }
}

std::optional<InputEvent> SdlGamepad::Arrow(Key key, bool down, std::int64_t nowNs) {
  if (down) {
    held_ = key;
    repeatDueNs_ = nowNs + kRepeatDelayNs;
  } else if (held_ == key) {
    held_.reset();
  }
  return KeyEvent(key, down);
}

std::optional<InputEvent> SdlGamepad::Stick(int axis, int value, std::int64_t nowNs) {
  if (axis != SDL_CONTROLLER_AXIS_LEFTX && axis != SDL_CONTROLLER_AXIS_LEFTY) return std::nullopt;
  const bool across = axis == SDL_CONTROLLER_AXIS_LEFTX;
  Key& holds = across ? stickX_ : stickY_;
  const Key toward = value < 0 ? (across ? Key::Left : Key::Up) : (across ? Key::Right : Key::Down);
  if (holds == Key::Other) {
    if (std::abs(value) < kStickPushed) return std::nullopt;
    holds = toward;
    return Arrow(toward, true, nowNs);
  }
  // Let go, or swung straight over to the other side.
  if (std::abs(value) >= kStickReleased && toward == holds) return std::nullopt;
  const Key released = holds;
  holds = Key::Other;
  return Arrow(released, false, nowNs);
}

std::optional<std::int64_t> SdlGamepad::NextRepeatNs() const {
  if (!held_) return std::nullopt;
  return repeatDueNs_;
}

std::optional<InputEvent> SdlGamepad::Repeat(std::int64_t nowNs) {
  if (!held_ || nowNs < repeatDueNs_) return std::nullopt;
  repeatDueNs_ = std::max(repeatDueNs_ + kRepeatStepNs, nowNs);
  return KeyEvent(*held_, true);
}
