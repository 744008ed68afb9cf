// cp932table: prints tests/fixtures/cp932.txt, every CP932 character and every BMP code point as
// this build's conversions (iconv on Linux) treat them, for the test that both builds agree.
//   g++ -std=c++20 -I. tests/tools/cp932table.cpp framework/Encoding_posix.cpp -o /tmp/cp932table
//   /tmp/cp932table > tests/fixtures/cp932.txt
#include <cstdio>
#include <string>

#include "framework/Encoding.h"

namespace {
// The code points of well-formed UTF-8, as hexadecimal; "-" for U+FFFD.
std::string CodePoints(const std::string& utf8) {
  std::string out;
  for (std::size_t i = 0; i < utf8.size();) {
    const auto b = static_cast<unsigned char>(utf8[i]);
    const int n = b < 0x80 ? 1 : b < 0xE0 ? 2 : b < 0xF0 ? 3 : 4;
    unsigned cp = n == 1 ? b : n == 2 ? (b & 0x1F) : n == 3 ? (b & 0x0F) : (b & 0x07);
    for (int k = 1; k < n; ++k) cp = (cp << 6) | (static_cast<unsigned char>(utf8[i + k]) & 0x3F);
    char hex[8];
    std::snprintf(hex, sizeof hex, "%04X", cp);
    if (!out.empty()) out += ' ';
    out += cp == 0xFFFD ? "-" : hex;
    i += static_cast<std::size_t>(n);
  }
  return out;
}
}  // namespace

int main() {
  std::printf("# CP932 to Unicode: the bytes, then the code points they become (- is U+FFFD).\n");
  for (int b = 0x80; b <= 0xFF; ++b) {
    const std::string one(1, static_cast<char>(b));
    std::printf("%02X %s\n", b, CodePoints(Cp932ToUtf8(one)).c_str());
    const bool lead = (b >= 0x81 && b <= 0x9F) || (b >= 0xE0 && b <= 0xFC);
    if (!lead) continue;
    for (int t = 0x40; t <= 0xFC; ++t) {
      if (t == 0x7F) continue;
      const std::string two{static_cast<char>(b), static_cast<char>(t)};
      std::printf("%02X%02X %s\n", b, t, CodePoints(Cp932ToUtf8(two)).c_str());
    }
  }
  std::printf("# Unicode to CP932: each BMP code point that becomes something other than \"?\".\n");
  for (unsigned cp = 0x80; cp <= 0xFFFF; ++cp) {
    if (cp >= 0xD800 && cp <= 0xDFFF) continue;
    std::string utf8;
    if (cp < 0x800) {
      utf8 = {static_cast<char>(0xC0 | (cp >> 6)), static_cast<char>(0x80 | (cp & 0x3F))};
    } else {
      utf8 = {static_cast<char>(0xE0 | (cp >> 12)), static_cast<char>(0x80 | ((cp >> 6) & 0x3F)),
              static_cast<char>(0x80 | (cp & 0x3F))};
    }
    const std::string bytes = Utf8ToCp932(utf8);
    if (bytes == "?") continue;
    std::printf("U%04X", cp);
    for (char c : bytes) std::printf(" %02X", static_cast<unsigned char>(c));
    std::printf("\n");
  }
}
