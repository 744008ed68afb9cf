#include <gtest/gtest.h>

#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "app/HelpText.h"
#include "framework/SpotFocus.h"

namespace {
// The home's eight spots, in their table's order: rod, float, hook, line, bait, other gear,
// skill, balance (half-open).
const std::vector<TRect> kHome = {{12, 166, 24, 286},  {45, 166, 59, 286},  {84, 179, 103, 205},
                                  {79, 246, 107, 267}, {136, 163, 173, 224}, {125, 248, 183, 284},
                                  {195, 168, 241, 210}, {202, 249, 230, 275}};

TEST(SpotFocus, ReadingOrderGoesByRowsThenFromTheLeft) {
  EXPECT_EQ(ReadingOrder(kHome), (std::vector<int>{0, 1, 2, 4, 6, 3, 5, 7}));
}

TEST(SpotFocus, ArrowsGoToTheNearestSpotThatWay) {
  struct Case {
    int from;
    Key arrow;
    int to;
  };
  const Case cases[] = {
      {0, Key::Right, 1}, {1, Key::Right, 3}, {2, Key::Down, 3}, {3, Key::Up, 2},  {4, Key::Right, 6},
      {6, Key::Down, 7},  {5, Key::Left, 3},  {0, Key::Left, -1}, {5, Key::Down, -1}, {1, Key::Left, 0},
  };
  for (const Case& c : cases) EXPECT_EQ(NearestInDirection(kHome, c.from, c.arrow), c.to) << c.from;
}

TEST(SpotFocus, TheMarkInvertsEveryOtherPixelOfTheEdgeOnAnyColour) {
  for (TColor colour : {kBlack, kWhite, Rgb(0, 128, 128)}) {
    Surface s(20, 10, colour);
    DottedInvertedRect(s, s.Bounds(), {2, 2, 12, 8});
    int inverted = 0;
    for (int y = 0; y < 10; ++y)
      for (int x = 0; x < 20; ++x)
        if (s.Pixel(x, y) != colour) {
          EXPECT_EQ(s.Pixel(x, y), colour ^ 0xFFFFFF);
          ++inverted;
        }
    EXPECT_EQ(inverted, 14) << "half of the 28 pixels of the edge";  // 10 + 10 + 4 + 4
    EXPECT_EQ(s.Pixel(6, 5), colour) << "the inside is left alone";
  }
}

// Every key the game knows, as the help and the README name them.
TEST(SpotFocus, TheHelpAndTheReadmeNameEveryKey) {
  const std::string help(HelpText());  // both CP932
  std::ifstream file(TAVO2_SOURCE_DIR "/README.md");
  std::stringstream readme;
  readme << file.rdbuf();
  const char* const keys[][2] = {
      {"Tab", "Tab"},         {"Shift+Tab", "Shift+Tab"}, {"Enter", "Enter"},   {"Space", "Space"},
      {"Delete", "Delete"},   {"BackSpace", "Backspace"}, {"Esc", "Esc"},       {"Alt+F4", "Alt+F4"},
      {"F6", "F6"},           {"Shift+F6", "Shift+F6"},   {"F1", "F1"},         {"PageUp", "PageUp"},
      {"F10", "F10"},         {"Alt+H", "Alt+H"},         {"F11", "F11"},       {"矢印", "arrows"},
      {"ゲームパッド", "gamepad"}, {"左スティック", "left stick"}, {"Start", "Start"}, {"Back", "Back"},
  };
  for (const auto& key : keys) {
    EXPECT_NE(help.find(key[0]), std::string::npos) << "the help lacks " << key[0];
    EXPECT_NE(readme.str().find(key[1]), std::string::npos) << "the README lacks " << key[1];
  }
}
}  // namespace
