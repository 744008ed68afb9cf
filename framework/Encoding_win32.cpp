#include "framework/Encoding.h"
#include "framework/Utf8.h"

#include <windows.h>

namespace {

// The system's own code page 932 does the converting; these rules only make broken and
// unmappable text come out as iconv lets it on Linux, so that both builds agree byte for byte.
constexpr UINT kCp932 = 932;

// Single bytes Windows maps to U+0080 and to private-use code points although CP932 assigns them
// no character; iconv refuses them.
bool Unassigned(unsigned char b) { return b == 0x80 || b == 0xA0 || b >= 0xFD; }

// Characters iconv also takes from the JIS forms other systems write (the wave dash U+301C and its
// kin); Windows has them only as best-fit guesses, which are otherwise not wanted.
struct OneWay {
  char16_t unicode;
  unsigned char cp932[2];
};
constexpr OneWay kOneWay[] = {
    {0x00A2, {0x81, 0x91}}, {0x00A3, {0x81, 0x92}}, {0x00A5, {0x5C, 0x00}}, {0x00AC, {0x81, 0xCA}},
    {0x2014, {0x81, 0x5C}}, {0x2016, {0x81, 0x61}}, {0x203E, {0x7E, 0x00}}, {0x2212, {0x81, 0x7C}},
    {0x301C, {0x81, 0x60}},
};

}  // namespace

std::string Cp932ToUtf8(std::string_view cp932) {
  std::string out;
  out.reserve(cp932.size() * 2);
  for (std::size_t i = 0; i < cp932.size();) {
    const auto b = static_cast<unsigned char>(cp932[i]);
    if (b < 0x80) {
      out += static_cast<char>(b);
      ++i;
      continue;
    }
    const std::size_t n = IsDBCSLeadByteEx(kCp932, b) ? 2 : 1;
    wchar_t wide[2];
    int got = 0;
    if (!Unassigned(b) && i + n <= cp932.size())
      got = MultiByteToWideChar(kCp932, MB_ERR_INVALID_CHARS, cp932.data() + i, static_cast<int>(n), wide, 2);
    if (got == 1) {
      utf8::Append(out, static_cast<char32_t>(wide[0]));
      i += n;
    } else {
      // A bad lead byte is dropped on its own so that the byte after it (often ASCII) survives.
      out += utf8::kReplacement;
      ++i;
    }
  }
  return out;
}

std::string Utf8ToCp932(std::string_view utf8) {
  return utf8::ToCp932(utf8, [](char32_t cp, std::string& out) {
    if (cp > 0xFFFF) {  // CP932 has nothing beyond the BMP
      out += '?';
      return;
    }
    for (const OneWay& m : kOneWay) {
      if (m.unicode == cp) {
        out += static_cast<char>(m.cp932[0]);
        if (m.cp932[1] != 0) out += static_cast<char>(m.cp932[1]);
        return;
      }
    }
    const wchar_t wide = static_cast<wchar_t>(cp);
    char bytes[2];
    BOOL usedDefault = FALSE;
    const int got = WideCharToMultiByte(kCp932, WC_NO_BEST_FIT_CHARS, &wide, 1, bytes, 2, nullptr, &usedDefault);
    // Windows also gives bytes CP932 assigns no character (U+0080 becomes 0x80): only what comes
    // back as the same character counts.
    const std::string_view made(bytes, static_cast<std::size_t>(got > 0 ? got : 0));
    std::string back;
    if (got > 0 && !usedDefault) back = Cp932ToUtf8(made);
    std::string expected;
    utf8::Append(expected, cp);
    if (!back.empty() && back == expected)
      out += made;
    else
      out += '?';
  });
}
