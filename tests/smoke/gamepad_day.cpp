// One day of the game played by a gamepad alone in a real window: a virtual game controller is
// pressed only while the game waits for input, one button at a time, and each press is let go
// once its key has come. The player buys the cheapest tackle, fishes 丸湖, ends the trip, sells
// the catch, ends the day and saves. Run in an empty folder on a display (tests/smoke/keys.sh).
#include <SDL.h>

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <string>
#include <vector>

#include "app/TavoApp.h"
#include "framework/Desktop.h"
#include "platform/SdlPlatform.h"
#include "state/GameState.h"

namespace {
using B = SDL_GameControllerButton;
constexpr B A = SDL_CONTROLLER_BUTTON_A, X = SDL_CONTROLLER_BUTTON_X, START = SDL_CONTROLLER_BUTTON_START;
constexpr B LEFT = SDL_CONTROLLER_BUTTON_DPAD_LEFT, RIGHT = SDL_CONTROLLER_BUTTON_DPAD_RIGHT;
constexpr B UP = SDL_CONTROLLER_BUTTON_DPAD_UP, DOWN = SDL_CONTROLLER_BUTTON_DPAD_DOWN;
constexpr B WAIT = SDL_CONTROLLER_BUTTON_INVALID;  // a pause of ms real milliseconds

struct Step {
  B button;
  unsigned ms = 0;
};

// The day, as a player holding a pad would play it.
const std::vector<Step> kDay = {
    {A}, {A},                                   // the start-up boxes
    {RIGHT}, {DOWN}, {RIGHT}, {A},              // 丸湖, the home, the tackle shop
    {X}, {X}, {A}, {A}, {A},                    // へら浮き: its corner, buy, yes
    {X}, {X}, {A}, {A}, {A},                    // スレバリ
    {X}, {A}, {A}, {A},                         // 高級ライン
    {X}, {X}, {X}, {X}, {X}, {A}, {A}, {A},     // 生竹
    {X}, {X}, {A}, {A}, {A},                    // メリケンコ
    {SDL_CONTROLLER_BUTTON_B},                  // out of the shop
    {LEFT}, {UP}, {A},                          // the home, 丸湖
    {A}, {WAIT, 8500}, {X}, {X}, {A}, {WAIT, 5000},  // cast, strike in the bite, the fight
    {X}, {X}, {A}, {A},                         // 終了, and its box
    {DOWN}, {RIGHT}, {RIGHT}, {A}, {WAIT, 1500},  // the fish shop, whose master speaks after a second
    {RIGHT}, {A}, {A}, {A}, {A},                // not buying; selling; the day's result; the price
    {START}, {A}, {DOWN}, {A}, {A}, {A},        // the menu: 今日は終わる, sold?, save
};

// The platform with a pad's hand on it: the next button goes down when the game waits for input
// and comes up once its key arrived.
class PadPlayer : public Platform {
 public:
  PadPlayer(SdlPlatform& real, SDL_Joystick* pad) : real_(real), pad_(pad) {}
  std::uint64_t Now() override { return real_.Now(); }
  void Present(const Surface& screen) override { real_.Present(screen); }
  [[noreturn]] void Fail(const char* what) const {
    std::printf("FAIL: a day played by gamepad: press %zu %s\n", next_, what);
    std::exit(1);
  }
  // A blocking sleep throws input away, the pad's letting go among it.
  void Sleep(unsigned ms) override {
    real_.Sleep(ms);
    if (releasing_) held_ = releasing_ = false;
  }
  bool Finished() const { return next_ == kDay.size() && (!held_ || releasing_); }

  InputEvent WaitEvent(std::optional<std::uint64_t> nextDue) override {
    if (!held_ && pauseUntil_ <= Now() && next_ < kDay.size()) {
      const Step& step = kDay[next_++];
      if (step.button == WAIT) {
        pauseUntil_ = Now() + step.ms;
      } else {
        SDL_JoystickSetVirtualButton(pad_, step.button, 1);
        held_ = true;
        pressedAt_ = Now();
      }
    }
    if (held_ && Now() > pressedAt_ + kNoKeyMs) Fail("brought no key");
    if (Now() > kDayMs) Fail("came, and the day is not over after a minute and a half");
    std::optional<std::uint64_t> due = nextDue;
    if (pauseUntil_ > Now() && (!due || pauseUntil_ < *due)) due = pauseUntil_;
    // Back here often enough to keep the time limits.
    if (!due || Now() + 20 < *due) due = Now() + 20;
    const InputEvent e = real_.WaitEvent(due);
    // Let go once the key came, and the next press waits until the pad is seen let go.
    if (held_ && !releasing_ && e.kind == InputEvent::Kind::KeyDown) {
      SDL_JoystickSetVirtualButton(pad_, kDay[next_ - 1].button, 0);
      releasing_ = true;
    } else if (releasing_ && e.kind == InputEvent::Kind::KeyUp) {
      held_ = releasing_ = false;
    }
    return e;
  }

 private:
  SdlPlatform& real_;
  SDL_Joystick* pad_;
  std::size_t next_ = 0;
  bool held_ = false;  // from the press until its key has gone up
  bool releasing_ = false;
  std::uint64_t pauseUntil_ = 0;
  std::uint64_t pressedAt_ = 0;
  static constexpr std::uint64_t kNoKeyMs = 3000;
  static constexpr std::uint64_t kDayMs = 90000;
};
}  // namespace

int main() {
  SdlPlatform real({kScreenWidth, kScreenHeight}, {0, 0}, "gamepad day", 1);
  SDL_VirtualJoystickDesc desc{};
  desc.version = SDL_VIRTUAL_JOYSTICK_DESC_VERSION;
  desc.type = SDL_JOYSTICK_TYPE_GAMECONTROLLER;
  desc.naxes = SDL_CONTROLLER_AXIS_MAX;
  desc.nbuttons = SDL_CONTROLLER_BUTTON_MAX;
  desc.button_mask = (1u << SDL_CONTROLLER_BUTTON_MAX) - 1;
  desc.axis_mask = (1u << SDL_CONTROLLER_AXIS_MAX) - 1;
  desc.name = "virtual pad";
  const int index = SDL_JoystickAttachVirtualEx(&desc);
  SDL_Joystick* pad = index >= 0 ? SDL_JoystickOpen(index) : nullptr;
  if (!pad) {
    std::printf("FAIL: no virtual game controller: %s\n", SDL_GetError());
    return 1;
  }
  // The platform takes the pad up as its events come.
  const SDL_JoystickID id = SDL_JoystickInstanceID(pad);
  const std::uint64_t deadline = real.Now() + 3000;
  while (SDL_GameControllerFromInstanceID(id) == nullptr && real.Now() < deadline) real.WaitEvent(real.Now() + 20);
  PadPlayer player(real, pad);
  Desktop::Get().Install(player, {kScreenWidth, kScreenHeight});
  {
    TTavoApp app;
    app.Run();
  }
  Desktop::Get().Uninstall();

  std::ifstream file("tavo2.dat", std::ios::binary);
  const std::string saved((std::istreambuf_iterator<char>(file)), std::istreambuf_iterator<char>());
  const GameState& g = gameState;
  const bool ok = player.Finished() && saved.size() == sizeof(GameState) &&
                  saved == std::string(reinterpret_cast<const char*>(&g), sizeof g) && g.dayCount == 1 &&
                  g.money > 4300 - 2500 && g.equipped[1] == 1 && g.equipped[5] == 1;
  std::printf("%s: a day played by gamepad: bought, fished, sold and saved (money %d, day %d)\n", ok ? "PASS" : "FAIL",
              static_cast<int>(g.money), static_cast<int>(g.dayCount));
  return ok ? 0 : 1;
}
