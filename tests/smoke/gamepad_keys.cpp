// The gamepad in a real window: a virtual game controller, plugged in after the window opened,
// goes through SDL's own joystick and controller events into the platform, which must turn every
// button and the stick into the game's keys, repeat a held arrow and forget an unplugged pad.
// Needs a display (tests/smoke/keys.sh runs it under Xvfb). Prints PASS/FAIL lines.
#include <SDL.h>

#include <cstdio>
#include <functional>
#include <optional>

#include "platform/SdlPlatform.h"

namespace {
int failures = 0;

void Check(bool ok, const char* what) {
  std::printf("%s: %s\n", ok ? "PASS" : "FAIL", what);
  if (!ok) ++failures;
}

// Events until one is wanted or the deadline passes; every other key is noted as unexpected.
std::optional<InputEvent> AwaitKey(SdlPlatform& platform, const std::function<bool(const InputEvent&)>& wanted,
                                   std::uint64_t deadlineMs, int* strays = nullptr) {
  while (platform.Now() < deadlineMs) {
    const InputEvent e = platform.WaitEvent(platform.Now() + 20);
    if (e.kind != InputEvent::Kind::KeyDown && e.kind != InputEvent::Kind::KeyUp) continue;
    if (wanted(e)) return e;
    if (strays) ++*strays;
  }
  return std::nullopt;
}

bool Is(const InputEvent& e, InputEvent::Kind kind, Key key) { return e.kind == kind && e.key == key; }

struct ButtonRow {
  SDL_GameControllerButton button;
  Key key;
  const char* what;
};
constexpr ButtonRow kButtons[] = {
    {SDL_CONTROLLER_BUTTON_A, Key::Enter, "A is Enter"},
    {SDL_CONTROLLER_BUTTON_B, Key::Escape, "B is Esc"},
    {SDL_CONTROLLER_BUTTON_X, Key::Tab, "X is Tab"},
    {SDL_CONTROLLER_BUTTON_Y, Key::Delete, "Y is Delete"},
    {SDL_CONTROLLER_BUTTON_START, Key::F10, "Start is F10"},
    {SDL_CONTROLLER_BUTTON_BACK, Key::F1, "Back is F1"},
    {SDL_CONTROLLER_BUTTON_DPAD_UP, Key::Up, "D-pad up is Up"},
    {SDL_CONTROLLER_BUTTON_DPAD_DOWN, Key::Down, "D-pad down is Down"},
    {SDL_CONTROLLER_BUTTON_DPAD_LEFT, Key::Left, "D-pad left is Left"},
    {SDL_CONTROLLER_BUTTON_DPAD_RIGHT, Key::Right, "D-pad right is Right"},
};

struct StickRow {
  SDL_GameControllerAxis axis;
  Sint16 value;
  Key key;
  const char* what;
};
constexpr StickRow kStick[] = {
    {SDL_CONTROLLER_AXIS_LEFTX, 32767, Key::Right, "the left stick pushed right is Right"},
    {SDL_CONTROLLER_AXIS_LEFTX, -32768, Key::Left, "the left stick pushed left is Left"},
    {SDL_CONTROLLER_AXIS_LEFTY, -32768, Key::Up, "the left stick pushed up is Up"},
    {SDL_CONTROLLER_AXIS_LEFTY, 32767, Key::Down, "the left stick pushed down is Down"},
};
constexpr std::uint64_t kDeadlineMs = 3000;
}  // namespace

int main() {
  SdlPlatform platform({600, 443}, {0, 0}, "gamepad", 1);

  SDL_VirtualJoystickDesc desc{};
  desc.version = SDL_VIRTUAL_JOYSTICK_DESC_VERSION;
  desc.type = SDL_JOYSTICK_TYPE_GAMECONTROLLER;
  desc.naxes = SDL_CONTROLLER_AXIS_MAX;
  desc.nbuttons = SDL_CONTROLLER_BUTTON_MAX;
  desc.button_mask = (1u << SDL_CONTROLLER_BUTTON_MAX) - 1;
  desc.axis_mask = (1u << SDL_CONTROLLER_AXIS_MAX) - 1;
  desc.name = "virtual pad";
  const int index = SDL_JoystickAttachVirtualEx(&desc);
  if (index < 0) {
    std::printf("FAIL: no virtual game controller: %s\n", SDL_GetError());
    return 1;
  }
  SDL_Joystick* joystick = SDL_JoystickOpen(index);
  const SDL_JoystickID id = SDL_JoystickInstanceID(joystick);
  // Plugged in while the window is open: the platform opens it as its events arrive.
  const std::uint64_t plugged = platform.Now() + kDeadlineMs;
  while (SDL_GameControllerFromInstanceID(id) == nullptr && platform.Now() < plugged)
    platform.WaitEvent(platform.Now() + 20);
  Check(SDL_GameControllerFromInstanceID(id) != nullptr, "a pad plugged in after the window opened is taken up");

  for (const ButtonRow& row : kButtons) {
    SDL_JoystickSetVirtualButton(joystick, row.button, 1);
    int strays = 0;
    const bool down = AwaitKey(platform, [&](const InputEvent& e) { return Is(e, InputEvent::Kind::KeyDown, row.key); },
                               platform.Now() + kDeadlineMs, &strays).has_value();
    SDL_JoystickSetVirtualButton(joystick, row.button, 0);
    const bool up = AwaitKey(platform, [&](const InputEvent& e) { return Is(e, InputEvent::Kind::KeyUp, row.key); },
                             platform.Now() + kDeadlineMs, &strays).has_value();
    Check(down && up && strays == 0, row.what);
  }
  for (const StickRow& row : kStick) {
    SDL_JoystickSetVirtualAxis(joystick, row.axis, row.value);
    const bool down = AwaitKey(platform, [&](const InputEvent& e) { return Is(e, InputEvent::Kind::KeyDown, row.key); },
                               platform.Now() + kDeadlineMs).has_value();
    SDL_JoystickSetVirtualAxis(joystick, row.axis, 0);
    const bool up = AwaitKey(platform, [&](const InputEvent& e) { return Is(e, InputEvent::Kind::KeyUp, row.key); },
                             platform.Now() + kDeadlineMs).has_value();
    Check(down && up, row.what);
  }

  // Held, an arrow repeats as a held key does; let go, it stops.
  SDL_JoystickSetVirtualButton(joystick, SDL_CONTROLLER_BUTTON_DPAD_DOWN, 1);
  int downs = 0;
  AwaitKey(platform, [&](const InputEvent& e) { return Is(e, InputEvent::Kind::KeyDown, Key::Down) && ++downs == 3; },
           platform.Now() + kDeadlineMs);
  Check(downs == 3, "a held D-pad repeats its arrow");
  SDL_JoystickSetVirtualButton(joystick, SDL_CONTROLLER_BUTTON_DPAD_DOWN, 0);
  AwaitKey(platform, [](const InputEvent& e) { return Is(e, InputEvent::Kind::KeyUp, Key::Down); },
           platform.Now() + kDeadlineMs);
  int after = 0;
  AwaitKey(platform, [](const InputEvent&) { return false; }, platform.Now() + 700, &after);
  Check(after == 0, "and stops once it is let go");

  SDL_JoystickClose(joystick);
  SDL_JoystickDetachVirtual(index);
  const std::uint64_t unplugged = platform.Now() + kDeadlineMs;
  while (SDL_GameControllerFromInstanceID(id) != nullptr && platform.Now() < unplugged)
    platform.WaitEvent(platform.Now() + 20);
  Check(SDL_GameControllerFromInstanceID(id) == nullptr, "an unplugged pad is let go");
  return failures == 0 ? 0 : 1;
}
