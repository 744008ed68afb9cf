#include "app/Map.h"

#include <cstdio>

#include "app/HelpWindow.h"
#include "app/MapPlaces.h"
#include "app/StatusText.h"
#include "fishing/Turistart.h"
#include "framework/DC.h"
#include "framework/Desktop.h"
#include "framework/Dialog.h"
#include "framework/Frame.h"
#include "quests/Master.h"
#include "quests/Tournament.h"
#include "shops/FishShop.h"
#include "shops/Home.h"
#include "shops/Shop.h"
#include "state/GameState.h"
#include "state/ProcessValues.h"
#include "state/Reset.h"
#include "state/Saturate.h"
#include "state/SaveFile.h"

namespace {
constexpr int kCmStartOver = 55530;
constexpr int kCmEndDay = 55534;
constexpr int kCmHelp = 55542;
constexpr int kCmAbout = 55543;
constexpr int kAboutTemplate = 1;
constexpr int kHomeTemplate = 2;
constexpr int kShopTemplate = 4;
constexpr int kFishShopTemplate = 6;
constexpr int kMasterTemplate = 6;
constexpr int kFishingTemplate = 7;
constexpr int kTournamentTemplate = 11;
constexpr unsigned kChampionSplashMs = 5000;

// Runs a destination dialog modally; the map has no use for its result.
template <class Dialog>
void Visit(TWindow* map, int templateId) {
  Dialog dialog(map, templateId);
  dialog.Execute();
}
}  // namespace

DEFINE_RESPONSE_TABLE(TTavo2, TWindow,
                      RT::Command(kCmStartOver, &TTavo2::CmStartOver),
                      RT::Command(kCmEndDay, &TTavo2::CmEndDay),
                      RT::Command(kCmAbout, &TTavo2::CmAbout),
                      RT::Command(kCmHelp, &TTavo2::CmHelp),
                      RT::LButtonDown(&TTavo2::MapClick),
                      RT::KeyDown(&TTavo2::MapKey),
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
  if (gameState.tournamentLevel == 5) {
    // The national title: shown once, in full view, for five seconds.
    gameState.tournamentLevel = 6;
    TClientDC whole(*this);  // the whole window, whatever part is being repainted
    DrawBitmap(whole, championSplash_, 0, 0);
    Desktop::Get().Sleep(kChampionSplashMs);
  }
  DrawBitmap(dc, gameState.tournamentLevel > 6 ? worldMap_ : homeMap_, 0, 0);
  // The pond has no master to take its fish, so a pond master fish is let go at the next paint.
  if (gameState.nushiHeld[0] == 1) gameState.nushiHeld[0] = 0;
  for (int water = 0; water < kWaterCount; ++water)
    if (gameState.nushiPresent[water] == 1)
      DrawBitmap(dc, water == 0 ? pondMarker_ : lakeMarker_, kMarkerPositions[water].x, kMarkerPositions[water].y);
  if (AllMasterFishCaught() && gameState.tournamentLevel < 7) DrawBitmap(dc, tournamentHouse_, 15, 190);
  if (gameState.tournamentLevel == 6) {
    DrawBitmap(dc, worldButton_, 140, 195);
    DrawBitmap(dc, crown_, 44, 266);
  }
  if (statusBar) statusBar->SetText(StatusText(gameState.dayCount, CreelWeight()));
}

// The places that lead somewhere now, as the spots of the keyboard focus.
std::vector<TRect> TTavo2::LiveSpots() const {
  std::vector<TRect> spots;
  for (const MapPlace& place : MapPlaces())
    if (ConditionHolds(place.condition)) spots.push_back(ClickRect(place));
  return spots;
}

void TTavo2::MapKey(const Message& m) {
  const std::vector<TRect> spots = LiveSpots();
  const SpotFocus::Answer answer = focus_.Key(spots, m);
  if (answer.request == SpotFocus::Request::Press)
    ClickAt(*this, Middle(spots[static_cast<std::size_t>(answer.stop)]), Msg::LButtonDown);
}

void TTavo2::ComposeInto(Surface& screen) const {
  TWindow::ComposeInto(screen);
  // Only while the frame has the keys, not under a dialog.
  if (Desktop::Get().FocusWindow() == Parent())
    focus_.DrawMark(screen, ScreenClientRect().Intersect(screen.Bounds()), ClientOrigin());
}

void TTavo2::MapClick(const TPoint& point) {
  focus_.Clicked(LiveSpots(), point);
  // Every place is tested, even after a match; the rectangles do not overlap.
  for (const MapPlace& place : MapPlaces())
    if (Contains(place, point.x, point.y) && ConditionHolds(place.condition)) GoTo(place);
}

void TTavo2::GoTo(const MapPlace& place) {
  switch (place.place) {
    case Place::Home:
      Visit<THome>(this, kHomeTemplate);
      break;
    case Place::TackleShop:
      Visit<TShop>(this, kShopTemplate);
      break;
    case Place::FishShop:
      Visit<TSakanaya>(this, kFishShopTemplate);
      break;
    case Place::Master:
      selectedMaster = place.number;
      Visit<TPro>(this, kMasterTemplate);
      break;
    case Place::Water:
      selectedWater = place.number;
      Visit<TTuristart>(this, kFishingTemplate);
      // Every visit to a water is a day, however it ended.
      if (gameState.bestLevel < tripLevel) gameState.bestLevel = tripLevel;
      gameState.dayCount = SaturatingAdd(gameState.dayCount, 1);
      RepaintNow();
      break;
    case Place::TournamentHouse:
      Visit<TTaikai>(this, kTournamentTemplate);
      RepaintNow();
      break;
    case Place::WorldButton:
      gameState.tournamentLevel = 7;
      StartWorldStage();
      RepaintNow();
      break;
  }
}

void TTavo2::RepaintNow() {
  Invalidate(true);
  UpdateWindow();
}

void StartWorldStage() {
  for (int water = 0; water < kWaterCount; ++water) {
    gameState.nushiPresent[water] = 1;
    gameState.nushiHeld[water] = 0;
    nushiCaughtToday[water] = 0;
  }
}

void TTavo2::ShowCoordinates(const TPoint& point) {
  char text[64];
  std::snprintf(text, sizeof text, "X=%d Y=%d ", point.x, point.y);
  TClientDC dc(*this);
  dc.TextOut(point.x, point.y, text);
}

void TTavo2::CmStartOver() {
  if (MessageBox("初めから行いますか！", "ポムル", MB_YESNO) != IDYES) return;
  ResetGameState();
  RepaintNow();
}

void TTavo2::CmEndDay() { CloseWindow(); }

void TTavo2::CmAbout() {
  TDialog about(this, kAboutTemplate);
  about.Execute();
}

void TTavo2::CmHelp() { ShowHelp(this); }
