#include <algorithm>

#include "framework/Cp932Table.h"
#include "framework/Encoding.h"
#include "framework/Utf8.h"

// CP932 through the table the Linux build wrote from iconv; broken and unmappable text comes out
// as iconv lets it (see Encoding_posix.cpp), so every build agrees byte for byte.
std::string Cp932ToUtf8(std::string_view cp932) {
  std::string out;
  out.reserve(cp932.size() * 2);
  for (std::size_t i = 0; i < cp932.size();) {
    const auto b = static_cast<unsigned char>(cp932[i]);
    char16_t cp = b < 0x80 ? b : kCp932Single[b - 0x80];
    std::size_t length = 1;
    if (IsCp932Lead(b) && i + 1 < cp932.size()) {
      const auto trail = static_cast<unsigned char>(cp932[i + 1]);
      if (trail >= kCp932FirstTrail && trail <= kCp932LastTrail) {
        cp = kCp932Double[LeadIndex(b)][trail - kCp932FirstTrail];
        length = 2;
      }
    }
    if (b != 0 && cp == 0) {
      // A bad lead byte is dropped on its own so that the byte after it (often ASCII) survives.
      out += utf8::kReplacement;
      ++i;
      continue;
    }
    utf8::Append(out, cp);
    i += length;
  }
  return out;
}

std::string Utf8ToCp932(std::string_view utf8) {
  return utf8::ToCp932(utf8, [](char32_t cp, std::string& out) {
    const Cp932Pair* end = kUnicodeToCp932 + kUnicodeToCp932Count;
    const Cp932Pair* found = std::lower_bound(kUnicodeToCp932, end, cp,
                                              [](const Cp932Pair& p, char32_t c) { return p.unicode < c; });
    if (found == end || found->unicode != cp) {
      out += '?';
      return;
    }
    if (found->cp932 > 0xFF) out += static_cast<char>(found->cp932 >> 8);
    out += static_cast<char>(found->cp932 & 0xFF);
  });
}
