#include "platform/SdlXlib.h"

#include <SDL.h>
#include <SDL_syswm.h>
#include <X11/Xatom.h>
#include <X11/Xlib.h>

namespace x11 {
namespace {

// The few libX11 functions used here, looked up in the library SDL already loaded.
struct Lib {
  void* handle = nullptr;
  Display* (*openDisplay)(const char*) = nullptr;
  int (*closeDisplay)(Display*) = nullptr;
  int (*getInputFocus)(Display*, Window*, int*) = nullptr;
  int (*setInputFocus)(Display*, Window, int, Time) = nullptr;
  Atom (*internAtom)(Display*, const char*, Bool) = nullptr;
  int (*getWindowProperty)(Display*, Window, Atom, long, long, Bool, Atom, Atom*, int*, unsigned long*,
                           unsigned long*, unsigned char**) = nullptr;
  int (*getWindowAttributes)(Display*, Window, XWindowAttributes*) = nullptr;
  int (*free)(void*) = nullptr;
  int (*sync)(Display*, Bool) = nullptr;
  XErrorHandler (*setErrorHandler)(XErrorHandler) = nullptr;

  Lib() {
    handle = SDL_LoadObject("libX11.so.6");
    if (handle == nullptr) return;
    Find(openDisplay, "XOpenDisplay");
    Find(closeDisplay, "XCloseDisplay");
    Find(getInputFocus, "XGetInputFocus");
    Find(setInputFocus, "XSetInputFocus");
    Find(internAtom, "XInternAtom");
    Find(getWindowProperty, "XGetWindowProperty");
    Find(getWindowAttributes, "XGetWindowAttributes");
    Find(free, "XFree");
    Find(sync, "XSync");
    Find(setErrorHandler, "XSetErrorHandler");
  }
  ~Lib() {
    if (handle != nullptr) SDL_UnloadObject(handle);
  }
  template <class F>
  void Find(F& f, const char* name) {
    f = reinterpret_cast<F>(SDL_LoadFunction(handle, name));
    complete = complete && f != nullptr;
  }
  bool complete = true;
  bool Usable() const { return handle != nullptr && complete; }
};

struct Native {
  Display* display = nullptr;
  Window window = 0;
};

Native Of(SDL_Window* window) {
  SDL_SysWMinfo info;
  SDL_VERSION(&info.version);
  if (window == nullptr || SDL_GetWindowWMInfo(window, &info) != SDL_TRUE || info.subsystem != SDL_SYSWM_X11) return {};
  return {info.info.x11.display, info.info.x11.window};
}

int IgnoreErrors(Display*, XErrorEvent*) { return 0; }

}  // namespace

unsigned long FocusedWindow() {
  Lib x;
  if (!x.Usable()) return 0;
  Display* display = x.openDisplay(nullptr);
  if (display == nullptr) return 0;
  Window focus = 0;
  int revert = 0;
  x.getInputFocus(display, &focus, &revert);
  x.closeDisplay(display);
  return focus == PointerRoot ? 0 : focus;
}

bool HasWindowManager(SDL_Window* window) {
  const Native n = Of(window);
  Lib x;
  if (n.display == nullptr || !x.Usable()) return false;
  const Atom check = x.internAtom(n.display, "_NET_SUPPORTING_WM_CHECK", True);
  if (check == None) return false;
  Atom type = None;
  int format = 0;
  unsigned long count = 0, after = 0;
  unsigned char* data = nullptr;
  const bool found = x.getWindowProperty(n.display, DefaultRootWindow(n.display), check, 0, 1, False, XA_WINDOW, &type,
                                         &format, &count, &after, &data) == Success &&
                     type == XA_WINDOW && count == 1;
  if (data != nullptr) x.free(data);
  return found;
}

void HandFocusBack(SDL_Window* window, unsigned long previous) {
  const Native n = Of(window);
  Lib x;
  if (n.display == nullptr || !x.Usable() || previous == 0 || previous == n.window) return;
  if (HasWindowManager(window)) return;  // it chooses the next window itself
  Window focus = 0;
  int revert = 0;
  x.getInputFocus(n.display, &focus, &revert);
  if (focus != n.window) return;
  // The other window may have gone meanwhile: its errors are ours to ignore.
  x.sync(n.display, False);
  const XErrorHandler old = x.setErrorHandler(&IgnoreErrors);
  XWindowAttributes attributes;
  if (x.getWindowAttributes(n.display, previous, &attributes) != 0 && attributes.map_state == IsViewable)
    x.setInputFocus(n.display, previous, RevertToPointerRoot, CurrentTime);
  x.sync(n.display, False);
  x.setErrorHandler(old);
}

}  // namespace x11
