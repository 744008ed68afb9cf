#pragma once
#include <vector>

#include "framework/Bitmap.h"
#include "framework/SpotFocus.h"
#include "framework/Window.h"

struct MapPlace;

// Restores the six master fish when the world stage begins.
void StartWorldStage();

// The map window: the client of the main frame, the hub every place is reached from. It loads the
// game when it is constructed and saves it in its close query.
class TTavo2 : public TWindow {
 public:
  explicit TTavo2(TWindow* parent = nullptr);
  ~TTavo2() override;

  bool CanClose() override;
  void Paint(TDC& dc, bool erase, const TRect& rect) override;
  void ComposeInto(Surface& screen) const override;

  DECLARE_RESPONSE_TABLE(TTavo2);

 protected:
  void CmStartOver();
  void CmEndDay();
  void CmAbout();
  void CmHelp();
  void MapClick(const TPoint& point);
  void ShowCoordinates(const TPoint& point);
  void MapPaint(TDC& dc);
  void GoTo(const MapPlace& place);
  void RepaintNow();
  void MapKey(const Message& m);
  std::vector<TRect> LiveSpots() const;

 private:
  TBitmap homeMap_;
  TBitmap worldMap_;
  TBitmap pondMarker_;
  TBitmap lakeMarker_;
  TBitmap championSplash_;
  TBitmap crown_;
  TBitmap tournamentHouse_;
  TBitmap worldButton_;
  SpotFocus focus_;
};
