#include "app/TavoApp.h"

#include "app/Map.h"
#include "app/StatusText.h"
#include "framework/Frame.h"
#include "framework/MessageBox.h"
#include "state/SaveFile.h"

TTavoApp::TTavoApp(std::function<void()> sessionStarts) : sessionStarts_(std::move(sessionStarts)) {}

TTavoApp::~TTavoApp() {
  statusBar = nullptr;
  statusBar_.reset();
  frame_.reset();
  map_.reset();
}

void TTavoApp::InitMainWindow() {
  switch (saveLock_.Acquire(kSaveFileName)) {
    case SaveLock::Outcome::HeldByOther:
      MessageBox(nullptr, "このフォルダーではもうポムルが動いています！\nデーターファイルには触れずに終わります。",
                 "ポムル", MB_OK);
      return;
    case SaveLock::Outcome::Held:
      RemoveStaleSaveTemp(kSaveFileName);
      break;
    case SaveLock::Outcome::Unavailable:
      // Nothing here can be locked (a file system without locks): play on, but leave any temporary
      // file alone, as another copy may be writing it.
      break;
  }
  if (sessionStarts_) sessionStarts_();
  // The map loads the game (and may ask about a missing file) before any window is shown.
  map_ = std::make_unique<TTavo2>(nullptr);
  frame_ = std::make_unique<TDecoratedFrame>(nullptr, "ポムル Ver2.11", map_.get(), false);
  statusBar_ = std::make_unique<TStatusBar>(frame_.get(), TStatusBar::Recessed, TStatusBar::None);
  statusBar = statusBar_.get();
  frame_->SetOuterPosition({kFrameX, kFrameY});
  frame_->SetOuterSize({kFrameOuterWidth, kFrameOuterHeight});
  frame_->AssignMenu("IDM_MENU1");
  frame_->SetHelpCommand(55542);  // F1: how to play
  frame_->SetIcon(1);
  frame_->Insert(*statusBar_, TDecoratedFrame::Location::Bottom);
  SetMainWindow(frame_.get());
}
