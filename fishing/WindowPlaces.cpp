#include "fishing/WindowPlaces.h"

#include <algorithm>

namespace {
constexpr int kCascadeStep = 24;  // a caption bar and a little: each result's caption stays readable
}

TPoint FishingDialogPlace(TSize outerSize, TSize screen) { return {0, std::max(0, (screen.cy - outerSize.cy) / 2)}; }

TPoint CatchResultPlace(TSize outerSize, const TRect& fishingOuter, TSize screen, std::span<const TPoint> openResults) {
  // Right of the dialog; on a screen too narrow for both, against the right edge, over no more
  // than the dialog's frame and the empty strip beside its clock.
  const int x = std::max(0, std::min(fishingOuter.right, screen.cx - outerSize.cx));
  const int steps = std::max(1, (screen.cy - outerSize.cy) / kCascadeStep + 1);
  for (int k = 0; k < steps; ++k) {
    const TPoint place{x, k * kCascadeStep};
    if (std::find(openResults.begin(), openResults.end(), place) == openResults.end()) return place;
  }
  return {x, static_cast<int>(openResults.size() % static_cast<std::size_t>(steps)) * kCascadeStep};
}
