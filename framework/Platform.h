#pragma once
#include <cstdint>
#include <optional>
#include <string>

#include "framework/Geometry.h"

class Surface;
class TWindow;

enum class MouseButton { Left, Right };
enum class Key {
  Enter, Escape, Tab, Left, Right, Up, Down, Space, F4, Letter, Other, Alt, F1, F10, PageUp, PageDown,
  F6, Delete, Backspace, Home, End,
};

// One input event. A real window reports screen points (client pixels of the OS window); the script
// runner names its target window directly, with a client point of that window.
struct InputEvent {
  enum class Kind {
    TimerDue,      // the clock reached the next timer's due time
    MouseDown,
    MouseUp,
    MouseMove,
    KeyDown,
    KeyUp,
    Command,       // a control or menu command sent to target (the runner's press and menu)
    Close,         // the close box of target (the OS window's close request when target is null)
    AnswerBox,     // press button id of the topmost message box
    Redraw,        // the OS asks for the screen to be shown again
  };
  Kind kind = Kind::TimerDue;
  TWindow* target = nullptr;  // null: hit-test point as a screen point
  TPoint point;
  MouseButton button = MouseButton::Left;
  Key key = Key::Other;
  char letter = 0;  // for Key::Letter, lower case
  bool alt = false;  // modifiers held with a key
  bool shift = false;
  bool ctrl = false;
  int id = 0;
};

// What the framework stands on: a clock, a source of input and a screen to present to.
class Platform {
 public:
  virtual ~Platform() = default;
  // Milliseconds on this platform's clock (virtual or real).
  virtual std::uint64_t Now() = 0;
  // Waits for the next input event, or until the clock reaches nextDue (then returns TimerDue).
  virtual InputEvent WaitEvent(std::optional<std::uint64_t> nextDue) = 0;
  // Shows the composed screen.
  virtual void Present(const Surface& screen) = 0;
  // False for a platform with nothing to show the screen on: the desktop then never composes it.
  virtual bool WantsFrames() const { return true; }
  // Blocks for ms: what has been drawn is shown, input is discarded, nothing else runs.
  virtual void Sleep(unsigned ms) = 0;
};
