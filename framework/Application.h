#pragma once

class TDecoratedFrame;

// The application: makes its main window, shows it and runs the message loop until it is gone.
class TApplication {
 public:
  virtual ~TApplication() = default;
  // Returns the loop's result (0).
  int Run();
  void SetMainWindow(TDecoratedFrame* frame) { mainWindow_ = frame; }
  TDecoratedFrame* GetMainWindow() const { return mainWindow_; }

 protected:
  virtual void InitMainWindow() = 0;

 private:
  TDecoratedFrame* mainWindow_ = nullptr;
};
