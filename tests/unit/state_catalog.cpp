#include <gtest/gtest.h>

#include <cstddef>
#include <cstring>
#include <string_view>

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

// CP932 byte length of every line, counted from the Japanese source text apart from the code.
constexpr struct {
  int index;
  size_t lengths[5];
} kLineLengths[] = {
    {11, {21, 18, 28, 23, 24}}, {12, {23, 24, 24, 23, 19}}, {13, {20, 22, 22, 21, 15}},
    {14, {20, 20, 20, 21, 15}}, {15, {12, 16, 16, 17, 17}}, {21, {20, 18, 28, 13, 24}},
    {22, {20, 22, 22, 25, 20}}, {23, {20, 21, 21, 20, 25}}, {31, {15, 20, 13, 20, 20}},
    {32, {20, 17, 19, 24, 17}}, {41, {19, 20, 13, 22, 20}}, {42, {21, 19, 19, 14, 15}},
    {51, {15, 20, 13, 24, 20}}, {52, {19, 23, 23, 25, 17}}, {53, {25, 23, 23, 17, 23}},
    {54, {21, 19, 19, 24, 22}}, {61, {17, 23, 23, 28, 12}}, {62, {19, 23, 23, 24, 1}},
    {63, {15, 23, 23, 28, 0}},
};

TEST(CatalogTable, LineLengthsInShiftJis) {
  ASSERT_EQ(std::size(kLineLengths), static_cast<size_t>(kCatalogEntryCount));
  for (int i = 0; i < kCatalogEntryCount; ++i) {
    const CatalogEntry& entry = kTackleCatalog[i];
    ASSERT_EQ(entry.index, kLineLengths[i].index);
    for (int line = 0; line < kItemLineCount; ++line)
      EXPECT_EQ(entry.lines[line].size(), kLineLengths[i].lengths[line]) << entry.index << " line " << line + 1;
  }
  EXPECT_EQ(Find(62)->lines[4], " ");
  EXPECT_EQ(Find(63)->lines[4], "");
  EXPECT_EQ(Find(11)->lines[2], "  売値：売るのはもったいない");
  EXPECT_EQ(Find(61)->lines[3], "竿をずっと持たなくてよいので");
  EXPECT_EQ(Find(63)->lines[3], "これが無いと大物は上がらない");
  EXPECT_EQ(Find(31)->lines[4].substr(0, 4), "  \x81\x40");  // ASCII blanks, then full-width ones
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
