// The gamepad in a real window: a virtual game controller, plugged in after the window opened,
// goes through SDL's own events into the platform, which must turn each button and the stick into
// the game's key, repeat a held arrow and let an unplugged pad go. Needs a display (keys.sh).
#include <SDL.h>

#include <cstdio>

#include "platform/SdlPlatform.h"

namespace {
int failures = 0;
void Check(bool ok, const char* what) {
  std::printf("%s: %s\n", ok ? "PASS" : "FAIL", what);
  failures += ok ? 0 : 1;
}

// Counts the platform's key events of kind and key until there are `want` or 3 s have passed;
// `strays` counts every other key.
int Keys(SdlPlatform& platform, InputEvent::Kind kind, Key key, int want, int* strays = nullptr) {
  int got = 0;
  for (const std::uint64_t end = platform.Now() + 3000; got < want && platform.Now() < end;) {
    const InputEvent e = platform.WaitEvent(platform.Now() + 20);
    if (e.kind != InputEvent::Kind::KeyDown && e.kind != InputEvent::Kind::KeyUp) continue;
    if (e.kind == kind && e.key == key) ++got;
    else if (strays) ++*strays;
  }
  return got;
}

// A button, or the left stick pushed all the way (axis >= 0), and the key it must be.
struct Row {
  int button, axis, value;
  Key key;
  const char* what;
};
constexpr int kNone = -1;
constexpr Row kRows[] = {
    {SDL_CONTROLLER_BUTTON_A, kNone, 0, Key::Enter, "A is Enter"},
    {SDL_CONTROLLER_BUTTON_B, kNone, 0, Key::Escape, "B is Esc"},
    {SDL_CONTROLLER_BUTTON_X, kNone, 0, Key::Tab, "X is Tab"},
    {SDL_CONTROLLER_BUTTON_Y, kNone, 0, Key::Delete, "Y is Delete"},
    {SDL_CONTROLLER_BUTTON_START, kNone, 0, Key::F10, "Start is F10"},
    {SDL_CONTROLLER_BUTTON_BACK, kNone, 0, Key::F1, "Back is F1"},
    {SDL_CONTROLLER_BUTTON_DPAD_UP, kNone, 0, Key::Up, "the D-pad's up is Up"},
    {SDL_CONTROLLER_BUTTON_DPAD_DOWN, kNone, 0, Key::Down, "the D-pad's down is Down"},
    {SDL_CONTROLLER_BUTTON_DPAD_LEFT, kNone, 0, Key::Left, "the D-pad's left is Left"},
    {SDL_CONTROLLER_BUTTON_DPAD_RIGHT, kNone, 0, Key::Right, "the D-pad's right is Right"},
    {kNone, SDL_CONTROLLER_AXIS_LEFTX, 32767, Key::Right, "the left stick pushed right is Right"},
    {kNone, SDL_CONTROLLER_AXIS_LEFTX, -32768, Key::Left, "the left stick pushed left is Left"},
    {kNone, SDL_CONTROLLER_AXIS_LEFTY, -32768, Key::Up, "the left stick pushed up is Up"},
    {kNone, SDL_CONTROLLER_AXIS_LEFTY, 32767, Key::Down, "the left stick pushed down is Down"},
};
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
  const int index = SDL_JoystickAttachVirtualEx(&desc);
  SDL_Joystick* pad = index >= 0 ? SDL_JoystickOpen(index) : nullptr;
  if (!pad) return std::printf("FAIL: no virtual game controller: %s\n", SDL_GetError()), 1;
  const SDL_JoystickID id = SDL_JoystickInstanceID(pad);
  auto opened = [&] { return SDL_GameControllerFromInstanceID(id) != nullptr; };
  for (const std::uint64_t end = platform.Now() + 3000; !opened() && platform.Now() < end;)
    platform.WaitEvent(platform.Now() + 20);
  Check(opened(), "a pad plugged in after the window opened is taken up");

  auto set = [&](const Row& r, bool on) {
    if (r.axis == kNone) SDL_JoystickSetVirtualButton(pad, r.button, on ? 1 : 0);
    else SDL_JoystickSetVirtualAxis(pad, r.axis, static_cast<Sint16>(on ? r.value : 0));
  };
  for (const Row& r : kRows) {
    int strays = 0;
    set(r, true);
    const int down = Keys(platform, InputEvent::Kind::KeyDown, r.key, 1, &strays);
    set(r, false);
    const int up = Keys(platform, InputEvent::Kind::KeyUp, r.key, 1, &strays);
    Check(down == 1 && up == 1 && strays == 0, r.what);
  }
  // Held, an arrow repeats as a held key does; let go, it stops.
  set(kRows[7], true);
  Check(Keys(platform, InputEvent::Kind::KeyDown, Key::Down, 3) == 3, "a held D-pad repeats its arrow");
  set(kRows[7], false);
  Keys(platform, InputEvent::Kind::KeyUp, Key::Down, 1);
  Check(Keys(platform, InputEvent::Kind::KeyDown, Key::Down, 1) == 0, "and stops once it is let go");

  SDL_JoystickClose(pad);
  SDL_JoystickDetachVirtual(index);
  for (const std::uint64_t end = platform.Now() + 3000; opened() && platform.Now() < end;)
    platform.WaitEvent(platform.Now() + 20);
  Check(!opened(), "an unplugged pad is let go");
  return failures == 0 ? 0 : 1;
}
