#include <gtest/gtest.h>

#include <windows.h>

#include "platform/Win32Input.h"

namespace {

// Full HD at 2×: the picture at (360, 97), as on Linux (platform_presentation.cpp).
const Presentation kTwice = FitPicture({1920, 1080}, {600, 443});

LPARAM At(int x, int y) { return MAKELPARAM(static_cast<WORD>(static_cast<SHORT>(x)), static_cast<WORD>(static_cast<SHORT>(y))); }

InputEvent Translate(UINT message, WPARAM wParam, LPARAM lParam, bool alt = false) {
  const auto ev = TranslateWindowMessage(message, wParam, lParam, kTwice, alt);
  EXPECT_TRUE(ev.has_value()) << "message " << message;
  return ev.value_or(InputEvent{});
}

TEST(Win32Input, ButtonsAreMappedBackToGamePixels) {
  InputEvent ev = Translate(WM_LBUTTONDOWN, MK_LBUTTON, At(362, 99));
  EXPECT_EQ(ev.kind, InputEvent::Kind::MouseDown);
  EXPECT_EQ(ev.button, MouseButton::Left);
  EXPECT_EQ(ev.point, (TPoint{1, 1}));
  ev = Translate(WM_RBUTTONUP, 0, At(1559, 982));
  EXPECT_EQ(ev.kind, InputEvent::Kind::MouseUp);
  EXPECT_EQ(ev.button, MouseButton::Right);
  EXPECT_EQ(ev.point, (TPoint{599, 442}));
  EXPECT_EQ(ev.target, nullptr);  // a screen point, hit-tested by the desktop
}

TEST(Win32Input, CapturedPointsLeftOfTheWindowStayNegative) {
  // With the mouse captured, client coordinates run below zero; they must not wrap to 65535.
  const InputEvent ev = Translate(WM_MOUSEMOVE, MK_LBUTTON, At(-10, -3));
  EXPECT_EQ(ev.kind, InputEvent::Kind::MouseMove);
  EXPECT_EQ(ev.point, (TPoint{-185, -50}));
}

TEST(Win32Input, ADragWithOnlyTheRightButtonIsARightDrag) {
  EXPECT_EQ(Translate(WM_MOUSEMOVE, MK_RBUTTON, At(400, 200)).button, MouseButton::Right);
  EXPECT_EQ(Translate(WM_MOUSEMOVE, MK_LBUTTON | MK_RBUTTON, At(400, 200)).button, MouseButton::Left);
  EXPECT_EQ(Translate(WM_MOUSEMOVE, 0, At(400, 200)).button, MouseButton::Left);
}

TEST(Win32Input, KeysAreTheFrameworksKeys) {
  struct Case {
    WPARAM vk;
    Key key;
  };
  const Case cases[] = {
      {VK_RETURN, Key::Enter}, {VK_ESCAPE, Key::Escape}, {VK_TAB, Key::Tab},       {VK_LEFT, Key::Left},
      {VK_RIGHT, Key::Right},  {VK_UP, Key::Up},         {VK_DOWN, Key::Down},     {VK_SPACE, Key::Space},
      {VK_F1, Key::F1},        {VK_F4, Key::F4},         {VK_F10, Key::F10},       {VK_PRIOR, Key::PageUp},
      {VK_NEXT, Key::PageDown}, {VK_MENU, Key::Alt},     {VK_SHIFT, Key::Other},   {'5', Key::Other},
  };
  for (const Case& c : cases) {
    const InputEvent down = Translate(WM_KEYDOWN, c.vk, 0);
    EXPECT_EQ(down.kind, InputEvent::Kind::KeyDown) << c.vk;
    EXPECT_EQ(down.key, c.key) << c.vk;
    EXPECT_EQ(Translate(WM_KEYUP, c.vk, 0).kind, InputEvent::Kind::KeyUp) << c.vk;
  }
}

TEST(Win32Input, LettersAreLowerCaseAndAltTravelsWithThem) {
  InputEvent ev = Translate(WM_KEYDOWN, 'Y', 0);
  EXPECT_EQ(ev.key, Key::Letter);
  EXPECT_EQ(ev.letter, 'y');
  EXPECT_FALSE(ev.alt);
  // With Alt held Windows sends system keys: Alt+F opens the game's menu, Alt+F4 closes.
  ev = Translate(WM_SYSKEYDOWN, 'F', 0, true);
  EXPECT_EQ(ev.kind, InputEvent::Kind::KeyDown);
  EXPECT_EQ(ev.letter, 'f');
  EXPECT_TRUE(ev.alt);
  ev = Translate(WM_SYSKEYDOWN, VK_F4, 0, true);
  EXPECT_EQ(ev.key, Key::F4);
  EXPECT_TRUE(ev.alt);
  EXPECT_EQ(Translate(WM_SYSKEYUP, VK_MENU, 0).kind, InputEvent::Kind::KeyUp);
}

TEST(Win32Input, OtherMessagesAreNotInput) {
  for (UINT message : {WM_PAINT, WM_SIZE, WM_CLOSE, WM_CHAR, WM_SYSCHAR, WM_MOUSEWHEEL, WM_MBUTTONDOWN})
    EXPECT_FALSE(TranslateWindowMessage(message, 0, 0, kTwice, false).has_value()) << message;
}

}  // namespace
