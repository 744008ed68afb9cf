#include "app/StatusText.h"

#include <cstdio>
#include <cstring>

TStatusBar* statusBar = nullptr;

std::string StatusText(std::int32_t dayCount, double creelWeightKg) {
  // Room for the longest day text (an 11-character day count) and any weight "%6.1f" can print.
  char buffer[400];
  std::memset(buffer, 0, sizeof buffer);
  std::snprintf(buffer, sizeof buffer, "只今の経過日数は%d日めです      ", dayCount);
  constexpr int kWeightColumn = 30;
  std::snprintf(buffer + kWeightColumn, sizeof buffer - kWeightColumn, "釣れた重量 %6.1f Kg", creelWeightKg);
  return std::string(buffer);
}
