#pragma once
#include <cstdint>
#include <string>

class TStatusBar;

// The frame's status bar, remembered process-wide so the map's paint can set its text.
extern TStatusBar* statusBar;

// The status line: the day text written from byte 0, then the weight text written from byte 30 of
// the same buffer, over whatever the day text put there.
std::string StatusText(std::int32_t dayCount, double creelWeightKg);
