#pragma once
#include <span>

#include "framework/Geometry.h"

// Where the fishing dialog and its catch results open, so that a result never hides the scene or
// the buttons: the dialog against the left edge of the screen, the results beside it.
TPoint FishingDialogPlace(TSize outerSize, TSize screen);
// A new catch result of outerSize beside the fishing dialog at fishingOuter: the first step of a
// cascade down the screen that no open result (their outer top-left corners) takes yet; when all
// are taken the cascade starts over.
TPoint CatchResultPlace(TSize outerSize, const TRect& fishingOuter, TSize screen, std::span<const TPoint> openResults);
