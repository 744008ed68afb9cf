#pragma once
#include <string_view>
#include <vector>

#include "framework/Geometry.h"

class TWindow;

// Opens the how-to-play window (modeless, like a help viewer beside the game), or brings the open
// one to the front.
void ShowHelp(TWindow* owner);

// The first line of each page: a page breaks before a heading ("■…") whose section would not fit
// in what is left of it, and a heading never ends a page.
std::vector<int> HelpPageStarts(const std::vector<std::string_view>& lines, int linesPerPage);
// Where a window of outerSize covers the least of the map (both in screen pixels).
TPoint LeastCoveringPlace(TSize outerSize, const TRect& map, TSize screen);
