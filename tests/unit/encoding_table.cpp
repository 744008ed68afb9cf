#include <gtest/gtest.h>

#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "framework/Encoding.h"

// Every CP932 character and every BMP code point against tests/fixtures/cp932.txt, made from
// iconv on Linux: the Windows build, which converts with the system's code page 932, must agree.
namespace {

std::string Utf8Of(unsigned cp) {
  std::string s;
  if (cp < 0x80) {
    s += static_cast<char>(cp);
  } else if (cp < 0x800) {
    s += static_cast<char>(0xC0 | (cp >> 6));
    s += static_cast<char>(0x80 | (cp & 0x3F));
  } else {
    s += static_cast<char>(0xE0 | (cp >> 12));
    s += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
    s += static_cast<char>(0x80 | (cp & 0x3F));
  }
  return s;
}

std::string BytesOf(const std::string& hex) {
  std::string out;
  for (std::size_t i = 0; i + 1 < hex.size(); i += 2) out += static_cast<char>(std::stoi(hex.substr(i, 2), nullptr, 16));
  return out;
}

struct Table {
  std::vector<std::pair<std::string, std::string>> toUnicode;  // CP932 bytes, UTF-8
  std::vector<std::pair<unsigned, std::string>> fromUnicode;   // code point, CP932 bytes
};

Table ReadTable() {
  Table t;
  std::ifstream in(TAVO2_SOURCE_DIR "/tests/fixtures/cp932.txt");
  std::string line;
  while (std::getline(in, line)) {
    if (line.empty() || line[0] == '#') continue;
    std::istringstream fields(line);
    std::string first;
    fields >> first;
    std::string word;
    if (first[0] == 'U') {
      std::string bytes;
      while (fields >> word) bytes += BytesOf(word);
      t.fromUnicode.emplace_back(std::stoul(first.substr(1), nullptr, 16), bytes);
    } else {
      std::string utf8;
      while (fields >> word) utf8 += word == "-" ? Utf8Of(0xFFFD) : Utf8Of(std::stoul(word, nullptr, 16));
      t.toUnicode.emplace_back(BytesOf(first), utf8);
    }
  }
  return t;
}

std::string Hex(std::string_view bytes) {
  std::string out;
  for (char c : bytes) {
    char h[4];
    std::snprintf(h, sizeof h, "%02X", static_cast<unsigned char>(c));
    out += h;
  }
  return out;
}

const Table& TheTable() {
  static const Table table = ReadTable();
  return table;
}

TEST(EncodingTable, EveryCp932CharacterBecomesWhatIconvMakesOfIt) {
  const Table& t = TheTable();
  ASSERT_GT(t.toUnicode.size(), 11000u);
  int wrong = 0;
  for (const auto& [bytes, utf8] : t.toUnicode) {
    if (Cp932ToUtf8(bytes) != utf8 && ++wrong <= 10)
      ADD_FAILURE() << Hex(bytes) << " became " << Hex(Cp932ToUtf8(bytes)) << ", expected " << Hex(utf8);
  }
  EXPECT_EQ(wrong, 0);
}

TEST(EncodingTable, EveryBmpCodePointBecomesWhatIconvMakesOfIt) {
  const Table& t = TheTable();
  ASSERT_GT(t.fromUnicode.size(), 7000u);
  std::size_t next = 0;
  int wrong = 0;
  for (unsigned cp = 0x80; cp <= 0xFFFF; ++cp) {
    if (cp >= 0xD800 && cp <= 0xDFFF) continue;
    // Code points the table does not list become a question mark.
    std::string expected = "?";
    if (next < t.fromUnicode.size() && t.fromUnicode[next].first == cp) expected = t.fromUnicode[next++].second;
    const std::string got = Utf8ToCp932(Utf8Of(cp));
    if (got != expected && ++wrong <= 10)
      ADD_FAILURE() << "U+" << std::hex << cp << " became " << Hex(got) << ", expected " << Hex(expected);
  }
  EXPECT_EQ(next, t.fromUnicode.size());
  EXPECT_EQ(wrong, 0);
}

}  // namespace
