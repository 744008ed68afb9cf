#pragma once
#include <functional>
#include <memory>

#include "framework/Application.h"
#include "state/SaveLock.h"

class TTavo2;
class TDecoratedFrame;
class TStatusBar;

// The application: the map window inside the decorated main frame. It holds the save lock for its
// whole life; a second copy in the same folder says so and makes no window.
class TTavoApp : public TApplication {
 public:
  // sessionStarts runs once the save lock is held, before the save file is read.
  explicit TTavoApp(std::function<void()> sessionStarts = {});
  ~TTavoApp() override;

 protected:
  void InitMainWindow() override;

 private:
  SaveLock saveLock_;  // first member: released last
  std::function<void()> sessionStarts_;
  std::unique_ptr<TTavo2> map_;
  std::unique_ptr<TDecoratedFrame> frame_;
  std::unique_ptr<TStatusBar> statusBar_;
};

// The frame's outer geometry on the classic desktop, and the OS window that stands for it.
constexpr int kFrameX = 100;
constexpr int kFrameY = 50;
constexpr int kFrameOuterWidth = 608;
constexpr int kFrameOuterHeight = 470;
// The client area of that frame: menu bar, the 600 × 400 map and the status bar.
constexpr int kScreenWidth = 600;
constexpr int kScreenHeight = 443;
