#include <gtest/gtest.h>

#include "platform/Presentation.h"

namespace {
constexpr TSize kGame{600, 443};
}

TEST(Presentation, TheLargestWholeScaleThatFitsCentred) {
  struct Case {
    TSize window;
    int scale;
    TRect picture;
  };
  const Case cases[] = {
      {{600, 443}, 1, {0, 0, 600, 443}},
      {{1199, 885}, 1, TRect::FromSize(299, 221, 600, 443)},  // one pixel short of 2×
      {{1200, 886}, 2, {0, 0, 1200, 886}},
      {{1920, 1080}, 2, TRect::FromSize(360, 97, 1200, 886)},  // full HD: height decides
      {{2560, 1440}, 3, TRect::FromSize(380, 55, 1800, 1329)},
      {{3000, 900}, 2, TRect::FromSize(900, 7, 1200, 886)},    // a wide strip: height decides
      {{500, 300}, 1, {0, 0, 600, 443}},                       // smaller: the top-left part shows
  };
  for (const Case& c : cases) {
    const Presentation p = FitPicture(c.window, kGame);
    EXPECT_EQ(p.scale, c.scale) << c.window.cx << "x" << c.window.cy;
    EXPECT_EQ(p.picture, c.picture) << c.window.cx << "x" << c.window.cy;
  }
}

TEST(Presentation, TheMouseMapsBackToGamePixels) {
  const Presentation p = FitPicture({1920, 1080}, kGame);  // 2×, picture at (360, 97)
  struct Case {
    TPoint window;
    TPoint game;
  };
  const Case cases[] = {
      {{360, 97}, {0, 0}},        {{361, 98}, {0, 0}},     {{362, 99}, {1, 1}},
      {{1559, 982}, {599, 442}},  {{359, 96}, {-1, -1}},   // just outside: outside the game's screen
      {{1560, 983}, {600, 443}},  {{360 + 2 * 40, 97 + 2 * 10}, {40, 10}},
  };
  for (const Case& c : cases) EXPECT_EQ(WindowToGame(c.window, p), c.game) << c.window.x << "," << c.window.y;
}

TEST(Presentation, OpensAtTheLargestScaleTheDesktopHasRoomFor) {
  struct Case {
    TSize usable;
    int scale;
  };
  const Case cases[] = {
      {{1024, 768}, 1}, {{1280, 1024}, 2}, {{1920, 1040}, 2}, {{1920, 1200}, 2},
      {{2560, 1400}, 3}, {{3840, 2120}, 4}, {{640, 480}, 1},   {{500, 400}, 1},
      {{1280, 900}, 1},  // 2× would fit only without a title bar
      {{1210, 1200}, 1}, // or without side borders
  };
  for (const Case& c : cases)
    EXPECT_EQ(OpeningScale(c.usable, kGame, {16, 48}), c.scale) << c.usable.cx << "x" << c.usable.cy;
}
