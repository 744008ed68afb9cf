#pragma once
#include "framework/Geometry.h"

// How the game's screen is shown in an OS window of any size: at the largest whole-number scale
// that fits (at least 1), centred, each game pixel a square of scale × scale window pixels.
struct Presentation {
  int scale = 1;
  TRect picture;  // where the game's screen lands, in window pixels
};

Presentation FitPicture(TSize window, TSize game);
// The game pixel under a window pixel; outside the picture the point lies outside the game's screen.
TPoint WindowToGame(TPoint windowPoint, const Presentation& presentation);
// The scale to open at: the largest whole number at which the window, with room for its frame,
// fits the usable desktop; 1 where nothing larger fits.
int OpeningScale(TSize usableDesktop, TSize game, TSize frameAllowance);
