#include <gtest/gtest.h>

#include <fstream>
#include <sstream>
#include <string>

#include "app/HelpText.h"

namespace {
// Every key the game knows, as the help and the README name them.
TEST(ResourcesKeys, TheHelpAndTheReadmeNameEveryKey) {
  const std::string help(HelpText());  // CP932, as the literals here
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
