#include <gtest/gtest.h>

#include <algorithm>

#include "app/HelpText.h"

namespace {

// Width in half-width cells; -1 when a byte is not CP932 or a lead byte lacks its trail byte.
int Cells(std::string_view line) {
  int cells = 0;
  for (std::size_t i = 0; i < line.size(); ++i) {
    const auto b = static_cast<unsigned char>(line[i]);
    if ((b >= 0x20 && b < 0x7F) || (b >= 0xA1 && b <= 0xDF)) {
      ++cells;
      continue;
    }
    if (!((b >= 0x81 && b <= 0x9F) || (b >= 0xE0 && b <= 0xFC)) || i + 1 == line.size()) return -1;
    const auto t = static_cast<unsigned char>(line[++i]);
    if (t < 0x40 || t == 0x7F || t > 0xFC) return -1;
    cells += 2;
  }
  return cells;
}

TEST(ResourcesHelp, LinesAreShiftJisAndFitTheWindow) {
  const std::string_view text = HelpText();
  int lines = 0;
  for (std::size_t start = 0; start <= text.size(); ++lines) {
    const std::size_t end = std::min(text.find('\n', start), text.size());
    const std::string_view line = text.substr(start, end - start);
    const int cells = Cells(line);
    EXPECT_GT(cells, 0) << "empty or broken Shift-JIS: " << line;
    EXPECT_LE(line.size(), 68u) << line;  // 34 full-width characters of 16 px in 560 px
    start = end + 1;
  }
  EXPECT_TRUE(lines >= 20 && lines <= 60) << lines;  // the keys take a page of their own
}

TEST(ResourcesHelp, ExplainsThePlacesButtonsAndGoals) {
  const std::string_view text = HelpText();
  for (const char* word : {"自分の家", "釣具店", "魚屋", "名人", "ぬし", "幻の道具", "投入", "さそい", "あわせ",
                           "あげる", "終了", "投入量", "玉網", "竿かけ", "釣り大会", "今日は終わる"})
    EXPECT_NE(text.find(word), std::string_view::npos) << word;
  for (const char* address : {"http", "www", ".com", "@"}) EXPECT_EQ(text.find(address), std::string_view::npos);
}

}  // namespace
