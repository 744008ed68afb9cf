#pragma once
#include <cstdint>
#include <functional>
#include <optional>
#include <vector>

#include "framework/Platform.h"
#include "framework/Surface.h"
#include "framework/Timers.h"

class TWindow;
class UiObserver;

// The one screen the program draws on (the OS window's client area) and the loop that runs it:
// the z-order of top-level windows, the timers, input routing and the composed picture.
class Desktop {
 public:
  static Desktop& Get();

  // Binds the desktop to a platform; must be called before any window exists.
  void Install(Platform& platform, TSize screenSize);
  // Destroys what is left (framework-owned windows are deleted) and unbinds the platform.
  void Uninstall();
  bool Installed() const { return platform_ != nullptr; }

  Platform& GetPlatform() { return *platform_; }
  TimerQueue& Timers() { return timers_; }
  std::uint64_t Now() { return platform_->Now(); }
  TSize ScreenSize() const { return screenSize_; }
  void SetObserver(UiObserver* observer) { observer_ = observer; }
  UiObserver* Observer() const { return observer_; }

  // Top-level windows, bottom first.
  void Add(TWindow* window);
  void Remove(TWindow* window);
  void BringToTop(TWindow* window);
  const std::vector<TWindow*>& TopLevels() const { return topLevels_; }
  bool Contains(const TWindow* window) const;
  // Input goes only to windows with no modal window above them.
  bool IsEnabled(const TWindow* topLevel) const;
  TWindow* TopmostModal() const;
  TWindow* TopmostEnabled() const;
  TWindow* TopmostMessageBox() const;
  // The top-level window keys go to: the one last shown or clicked that takes the focus, while
  // no modal window above it holds input.
  TWindow* FocusWindow() const;
  // F6 and Shift+F6: the next or previous of the windows input may reach, in the order shown.
  void CycleFocus(int step);
  TWindow* MainWindow() const { return mainWindow_; }
  void SetMainWindow(TWindow* window) { mainWindow_ = window; }

  // Runs events until done() holds or the program quits. Loops nest: a modal dialog or a
  // message box runs one inside whatever handler opened it.
  void RunLoop(const std::function<bool()>& done);
  void Quit() { quit_ = true; }
  bool Quitting() const { return quit_; }
  void Dispatch(const InputEvent& event);
  void PaintAll();
  // A blocking sleep: shows what is drawn, handles nothing; timers that fell due fire afterwards.
  void Sleep(unsigned ms);

  // Windows below `above` in the z-order repaint the part of screenRect they show.
  void RepaintBelow(const TRect& screenRect, const TWindow* above);
  void DeleteLater(TWindow* window);
  void ForgetWindow(TWindow* window);  // a window being destroyed or deleted
  void MarkDirty() { dirty_ = true; }
  Surface Compose() const;

  void SetCapture(TWindow* window) { capture_ = window; }
  TWindow* Capture() const { return capture_; }

  // A click outside the modal window flashes its caption a few times.
  void FlashCaption(TWindow* window);
  bool CaptionFlashedOver(const TWindow* window) const { return window == flashing_ && flashStep_ % 2 == 0; }
  // The next moment the loop must wake: a timer's due time or the flash's next step.
  std::optional<std::uint64_t> NextDue() const;

 private:
  Desktop() = default;
  void DispatchMouse(const InputEvent& event);
  void DispatchKey(const InputEvent& event);
  void SystemClose(TWindow* window);
  void FlushDeletes();
  void StepFlash();
  void Hover(TWindow* window, TPoint screenPoint);
  void SetFocusWindow(TWindow* window);
  void FocusLeaves(TWindow* window);

  Platform* platform_ = nullptr;
  TSize screenSize_;
  TimerQueue timers_;
  UiObserver* observer_ = nullptr;
  std::vector<TWindow*> topLevels_;
  std::vector<TWindow*> pendingDeletes_;
  TWindow* mainWindow_ = nullptr;
  TWindow* capture_ = nullptr;
  TPoint dragOffset_;
  bool dragging_ = false;
  bool quit_ = false;
  bool dirty_ = true;
  TWindow* flashing_ = nullptr;
  int flashStep_ = 0;
  std::uint64_t flashDue_ = 0;
  TWindow* hover_ = nullptr;  // the window the pointer was last over, told when it leaves
  TWindow* focus_ = nullptr;
  std::vector<TWindow*> shownOrder_;  // top-level windows in the order they were shown
};

// System close of a window (its close box, Alt+F4, the runner's close).
void SystemCloseWindow(TWindow* window);
