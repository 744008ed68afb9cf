#include "fishing/StatusLine.h"

#include <cstdio>

#include "fishing/TripVariables.h"
#include "fishing/Venue.h"
#include "framework/DC.h"

namespace {
constexpr int kTimeX = 310;

void Number(TDC& dc, int x, int y, const char* format, int value) {
  char text[32];
  std::snprintf(text, sizeof text, format, value);
  dc.TextOut(x, y, text);
}

void Draw(TDC& dc, bool atPaint) {
  dc.SetBkColor(kFaceGrey);
  dc.TextOut(0, 0, "投入量");
  Number(dc, 0, 20, atPaint ? "%d " : "%d", baitThrown);
  if (!IsTournament()) {
    dc.TextOut(kTimeX, 0, "時間");
    Number(dc, kTimeX, 20, atPaint ? "%d   " : "%d ", elapsedSeconds);
    return;
  }
  dc.TextOut(kTimeX, 0, " 大会");
  dc.TextOut(kTimeX, 20, "残時間");
  const int left = kTournamentSeconds - elapsedSeconds;
  if (atPaint) {
    Number(dc, kTimeX, 40, "%d ", left);
  } else {
    dc.TextOut(kTimeX, 40, "      ");
    Number(dc, kTimeX, 40, "%d", left);
  }
}
}  // namespace

void PaintStatusLine(TDC& dc) { Draw(dc, true); }
void TickStatusLine(TDC& dc) { Draw(dc, false); }
