#include <gtest/gtest.h>

#include <cstddef>
#include <cstring>
#include <fstream>
#include <string>
#include <vector>
#include <string_view>

#include "framework/Encoding.h"
#include "state/Catalog.h"

namespace {

const CatalogEntry* Find(int index) {
  for (const CatalogEntry& entry : kTackleCatalog)
    if (entry.index == index) return &entry;
  return nullptr;
}

// The full-width digits of a CP932 text read as one number ("￥１０，０００" -> 10000); -1 if none.
long FullWidthNumber(std::string_view text) {
  long value = -1;
  for (size_t i = 0; i + 1 < text.size(); ++i) {
    const auto lead = static_cast<unsigned char>(text[i]), trail = static_cast<unsigned char>(text[i + 1]);
    if (!((lead >= 0x81 && lead <= 0x9F) || lead >= 0xE0)) continue;  // single-byte character
    if (lead == 0x82 && trail >= 0x4F && trail <= 0x58) value = (value < 0 ? 0 : value * 10) + (trail - 0x4F);
    ++i;
  }
  return value;
}

struct FixtureEntry {
  int index;
  int32_t price, sellPrice;
  std::string lines[kItemLineCount];  // CP932
};

// The catalog as the game's texts give it, kept apart from the code in a UTF-8 fixture file.
std::vector<FixtureEntry> ReadFixture() {
  std::ifstream in(TAVO2_SOURCE_DIR "/tests/fixtures/catalog.tsv");
  std::vector<FixtureEntry> entries;
  for (std::string row; std::getline(in, row);) {
    if (row.empty() || row[0] == '#') continue;
    std::vector<std::string> fields;
    for (std::size_t start = 0;;) {
      const std::size_t tab = row.find('\t', start);
      fields.push_back(row.substr(start, tab - start));
      if (tab == std::string::npos) break;
      start = tab + 1;
    }
    if (fields.size() != 3 + kItemLineCount) ADD_FAILURE() << "bad fixture row: " << row;
    fields.resize(3 + kItemLineCount);
    FixtureEntry e{std::stoi(fields[0]), std::stoi(fields[1]), std::stoi(fields[2]), {}};
    for (int line = 0; line < kItemLineCount; ++line) e.lines[line] = Utf8ToCp932(fields[3 + line]);
    entries.push_back(e);
  }
  return entries;
}

TEST(CatalogTable, EveryEntryIsTheGamesTextByteForByte) {
  const std::vector<FixtureEntry> fixture = ReadFixture();
  ASSERT_EQ(fixture.size(), static_cast<size_t>(kCatalogEntryCount));
  for (int i = 0; i < kCatalogEntryCount; ++i) {
    const CatalogEntry& entry = kTackleCatalog[i];
    const FixtureEntry& want = fixture[i];
    ASSERT_EQ(entry.index, want.index);
    EXPECT_EQ(entry.price, want.price) << entry.index;
    EXPECT_EQ(entry.sellPrice, want.sellPrice) << entry.index;
    for (int line = 0; line < kItemLineCount; ++line)
      EXPECT_EQ(entry.lines[line], want.lines[line]) << entry.index << " line " << line + 1;
  }
  // Blanks are text: ASCII blanks, then full-width ones.
  EXPECT_EQ(Find(31)->lines[4].substr(0, 4), "  \x81\x40");
}

TEST(CatalogTable, PricesAgreeWithTheirTexts) {
  for (const CatalogEntry& entry : kTackleCatalog) {
    const bool legendary = entry.index % 10 == 1 && entry.index < 60;
    const long price = legendary ? -1 : FullWidthNumber(entry.lines[1]);
    const long sellPrice = legendary ? -1 : FullWidthNumber(entry.lines[2]);
    EXPECT_EQ(entry.price, price) << entry.index;
    EXPECT_EQ(entry.sellPrice, sellPrice) << entry.index;
  }
}

TEST(CatalogInit, WritesEntriesZeroPaddedAndNothingElse) {
  const GameState saved = gameState;
  std::memset(static_cast<void*>(&gameState), 0xA5, sizeof gameState);
  gameState.items[11].owned = 1;
  InitTackleCatalog();
  const GameState after = gameState;
  gameState = saved;

  const auto* bytes = reinterpret_cast<const unsigned char*>(&after);
  auto untouched = [&](size_t from, size_t to) {
    for (size_t i = from; i < to; ++i)
      if (bytes[i] != 0xA5) return false;
    return true;
  };
  EXPECT_TRUE(untouched(0, offsetof(GameState, items)));
  EXPECT_TRUE(untouched(offsetof(GameState, dayCount), sizeof(GameState)));
  int unused = 0;
  for (int i = 0; i < kCatalogSlots; ++i) {
    const TackleItem& item = after.items[i];
    const size_t start = offsetof(GameState, items) + static_cast<size_t>(i) * sizeof(TackleItem);
    const CatalogEntry* entry = Find(i);
    if (entry == nullptr) {
      ++unused;
      EXPECT_TRUE(untouched(start, start + sizeof(TackleItem))) << "entry " << i;
      continue;
    }
    EXPECT_EQ(item.owned, 0) << i;
    EXPECT_EQ(int32_t{item.price}, entry->price) << i;
    EXPECT_EQ(int32_t{item.sellPrice}, entry->sellPrice) << i;
    EXPECT_EQ(item.reservedTail, 0xA5) << i;
    for (int line = 0; line < kItemLineCount; ++line) {
      const std::string_view text = entry->lines[line];
      EXPECT_EQ(std::string_view(item.lines[line], text.size()), text) << i << "/" << line;
      for (size_t b = text.size(); b < kItemLineBytes; ++b) ASSERT_EQ(item.lines[line][b], '\0') << i << "/" << line;
    }
  }
  EXPECT_EQ(unused, 51);
}

}  // namespace
