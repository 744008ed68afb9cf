#include "app/Map.h"

#include <cstdio>

#include "app/HelpWindow.h"
#include "app/StatusText.h"
#include "framework/DC.h"
#include "framework/Dialog.h"
#include "framework/Frame.h"
#include "state/GameState.h"
#include "state/ProcessValues.h"
#include "state/Reset.h"
#include "state/SaveFile.h"

namespace {
constexpr int kCmStartOver = 55530;
constexpr int kCmEndDay = 55534;
constexpr int kCmHelp = 55542;
constexpr int kCmAbout = 55543;
constexpr int kAboutTemplate = 1;
}  // namespace

DEFINE_RESPONSE_TABLE(TTavo2, TWindow,
                      RT::Command(kCmStartOver, &TTavo2::CmStartOver),
                      RT::Command(kCmEndDay, &TTavo2::CmEndDay),
                      RT::Command(kCmAbout, &TTavo2::CmAbout),
                      RT::Command(kCmHelp, &TTavo2::CmHelp),
                      RT::LButtonDown(&TTavo2::MapClick),
                      RT::RButtonDown(&TTavo2::ShowCoordinates))

TTavo2::TTavo2(TWindow* parent)
    : TWindow(parent),
      homeMap_(26),
      worldMap_(45),
      pondMarker_(27),
      lakeMarker_(28),
      championSplash_(41),
      crown_(42),
      tournamentHouse_(43),
      worldButton_(44) {
  LoadGameState();
}

TTavo2::~TTavo2() = default;

bool TTavo2::CanClose() {
  if (MessageBox("釣った魚をFish Shopで魚を売りましたか？", "ポムル", MB_YESNO) != IDYES) return false;
  switch (MessageBox("セーブ終了しますか！（今の状態を保存します）", "ポムル", MB_YESNOCANCEL)) {
    case IDYES:
      // A failed save keeps the program running so the player can try again or quit unsaved.
      return SaveGameState(this);
    case IDNO:
      return true;
    default:
      return false;
  }
}

void TTavo2::Paint(TDC& dc, bool, const TRect&) { MapPaint(dc); }

void TTavo2::MapPaint(TDC& dc) {
  TMemoryDC memory(dc);
  memory.SelectObject(homeMap_);
  dc.BitBlt(0, 0, homeMap_.Width(), homeMap_.Height(), memory, 0, 0, Rop::SrcCopy);
  if (statusBar) statusBar->SetText(StatusText(gameState.dayCount, CreelWeight()));
}

void TTavo2::MapClick(const TPoint&) {}

void TTavo2::ShowCoordinates(const TPoint& point) {
  char text[64];
  std::snprintf(text, sizeof text, "X=%d Y=%d ", point.x, point.y);
  TClientDC dc(*this);
  dc.TextOut(point.x, point.y, text);
}

void TTavo2::CmStartOver() {
  if (MessageBox("初めから行いますか！", "ポムル", MB_YESNO) != IDYES) return;
  ResetGameState();
  Invalidate(true);
  UpdateWindow();
}

void TTavo2::CmEndDay() { CloseWindow(); }

void TTavo2::CmAbout() {
  TDialog about(this, kAboutTemplate);
  about.Execute();
}

void TTavo2::CmHelp() { ShowHelp(this); }
