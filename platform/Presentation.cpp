#include "platform/Presentation.h"

#include <algorithm>

namespace {
int FloorDiv(int a, int b) { return a >= 0 ? a / b : -((-a + b - 1) / b); }
}  // namespace

Presentation FitPicture(TSize window, TSize game) {
  Presentation p;
  if (game.cx > 0 && game.cy > 0) p.scale = std::max(1, std::min(window.cx / game.cx, window.cy / game.cy));
  const int w = game.cx * p.scale, h = game.cy * p.scale;
  // A window smaller than the game shows its top-left part, where the menu bar is.
  p.picture = TRect::FromSize(std::max(0, (window.cx - w) / 2), std::max(0, (window.cy - h) / 2), w, h);
  return p;
}

TPoint WindowToGame(TPoint q, const Presentation& p) {
  return {FloorDiv(q.x - p.picture.left, p.scale), FloorDiv(q.y - p.picture.top, p.scale)};
}

int OpeningScale(TSize usable, TSize game, TSize allowance) {
  if (game.cx <= 0 || game.cy <= 0) return 1;
  return std::max(1, std::min((usable.cx - allowance.cx) / game.cx, (usable.cy - allowance.cy) / game.cy));
}
