#include "platform/Win32Input.h"

#include <windows.h>
#include <windowsx.h>

namespace {

Key MapKey(std::uintptr_t vk) {
  switch (vk) {
    case VK_RETURN:
      return Key::Enter;
    case VK_ESCAPE:
      return Key::Escape;
    case VK_TAB:
      return Key::Tab;
    case VK_LEFT:
      return Key::Left;
    case VK_RIGHT:
      return Key::Right;
    case VK_UP:
      return Key::Up;
    case VK_DOWN:
      return Key::Down;
    case VK_SPACE:
      return Key::Space;
    case VK_F4:
      return Key::F4;
    case VK_F1:
      return Key::F1;
    case VK_F10:
      return Key::F10;
    case VK_PRIOR:
      return Key::PageUp;
    case VK_NEXT:
      return Key::PageDown;
    case VK_F6:
      return Key::F6;
    case VK_DELETE:
      return Key::Delete;
    case VK_BACK:
      return Key::Backspace;
    case VK_HOME:
      return Key::Home;
    case VK_END:
      return Key::End;
    case VK_MENU:
    case VK_LMENU:
    case VK_RMENU:
      return Key::Alt;
    default:
      if (vk >= 'A' && vk <= 'Z') return Key::Letter;
      return Key::Other;
  }
}

}  // namespace

std::optional<InputEvent> TranslateWindowMessage(unsigned message, std::uintptr_t wParam, std::intptr_t lParam,
                                                 const Presentation& presentation, bool altDown) {
  InputEvent ev;
  // Client coordinates are signed: with the mouse captured they run past the window's edges.
  const TPoint at = WindowToGame({GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)}, presentation);
  switch (message) {
    case WM_LBUTTONDOWN:
    case WM_RBUTTONDOWN:
    case WM_LBUTTONUP:
    case WM_RBUTTONUP:
      ev.kind = message == WM_LBUTTONDOWN || message == WM_RBUTTONDOWN ? InputEvent::Kind::MouseDown
                                                                       : InputEvent::Kind::MouseUp;
      ev.button = message == WM_LBUTTONDOWN || message == WM_LBUTTONUP ? MouseButton::Left : MouseButton::Right;
      ev.point = at;
      return ev;
    case WM_MOUSEMOVE:
      ev.kind = InputEvent::Kind::MouseMove;
      ev.button = (wParam & MK_LBUTTON) == 0 && (wParam & MK_RBUTTON) != 0 ? MouseButton::Right : MouseButton::Left;
      ev.point = at;
      return ev;
    case WM_KEYDOWN:
    case WM_SYSKEYDOWN:
    case WM_KEYUP:
    case WM_SYSKEYUP:
      ev.kind = message == WM_KEYDOWN || message == WM_SYSKEYDOWN ? InputEvent::Kind::KeyDown : InputEvent::Kind::KeyUp;
      ev.key = MapKey(wParam);
      if (ev.key == Key::Letter) ev.letter = static_cast<char>(wParam - 'A' + 'a');
      ev.alt = altDown;
      ev.shift = (GetKeyState(VK_SHIFT) & 0x8000) != 0;
      ev.ctrl = (GetKeyState(VK_CONTROL) & 0x8000) != 0;
      return ev;
    default:
      return std::nullopt;
  }
}
