#pragma once
// What the SDL window needs of X11 beyond SDL: whether a window manager runs, and handing the
// keyboard focus back when the window goes. libX11 is looked up at run time, as SDL loads it; on
// another video driver these do nothing.

struct SDL_Window;

namespace x11 {

// The window that has the keyboard focus now (0: none, or no X display).
unsigned long FocusedWindow();
// Whether a window manager (one that follows the EWMH) runs on the window's screen.
bool HasWindowManager(SDL_Window* window);
// Without a window manager SDL gives the window the focus with nothing to revert to, so the
// focus would be lost when it closes: give it back to the window that had it, if it still exists.
void HandFocusBack(SDL_Window* window, unsigned long previous);

}  // namespace x11
