#include "framework/Application.h"

#include "framework/Desktop.h"
#include "framework/Frame.h"

int TApplication::Run() {
  InitMainWindow();
  if (!mainWindow_) return 1;
  Desktop& desktop = Desktop::Get();
  desktop.SetMainWindow(mainWindow_);
  mainWindow_->Create();
  desktop.RunLoop([] { return false; });
  return 0;
}
