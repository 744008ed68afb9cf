#include <algorithm>

#include "framework/Cp932Table.h"
#include "framework/Encoding.h"

// CP932 through the table the Linux build wrote from iconv; broken and unmappable text comes out
// as iconv lets it (see Encoding_posix.cpp), so every build agrees byte for byte.
namespace {

constexpr const char* kReplacement = "\xEF\xBF\xBD";  // U+FFFD

void AppendUtf8(std::string& out, char32_t cp) {
  if (cp < 0x80) {
    out += static_cast<char>(cp);
  } else if (cp < 0x800) {
    out += static_cast<char>(0xC0 | (cp >> 6));
    out += static_cast<char>(0x80 | (cp & 0x3F));
  } else {
    out += static_cast<char>(0xE0 | (cp >> 12));
    out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (cp & 0x3F));
  }
}

// Decodes the UTF-8 character at the start of s into cp; returns its length, or 0 when s does
// not start with a well-formed one (then one byte is dropped). truncated: s ends inside the
// character (then the rest becomes one '?').
std::size_t DecodeUtf8(std::string_view s, char32_t& cp, bool& truncated) {
  truncated = false;
  const auto lead = static_cast<unsigned char>(s[0]);
  if (lead < 0x80) {
    cp = lead;
    return 1;
  }
  const std::size_t n = (lead & 0xE0) == 0xC0 ? 2 : (lead & 0xF0) == 0xE0 ? 3 : (lead & 0xF8) == 0xF0 ? 4 : 0;
  if (n == 0) return 0;
  cp = n == 2 ? (lead & 0x1F) : n == 3 ? (lead & 0x0F) : (lead & 0x07);
  for (std::size_t i = 1; i < n; ++i) {
    if (i == s.size()) {
      truncated = true;
      return 0;
    }
    const auto b = static_cast<unsigned char>(s[i]);
    if ((b & 0xC0) != 0x80) return 0;
    cp = (cp << 6) | (b & 0x3F);
  }
  return n;
}

// A structurally whole sequence that names no character (overlong, a surrogate, past U+10FFFF) is
// one unmappable character.
bool IsCharacter(char32_t cp, std::size_t length) {
  const char32_t least = length == 2 ? 0x80 : length == 3 ? 0x800 : 0x10000;
  return cp >= least && cp <= 0x10FFFF && !(cp >= 0xD800 && cp <= 0xDFFF);
}

}  // namespace

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
      out += kReplacement;
      ++i;
      continue;
    }
    AppendUtf8(out, cp);
    i += length;
  }
  return out;
}

std::string Utf8ToCp932(std::string_view utf8) {
  std::string out;
  out.reserve(utf8.size());
  for (std::size_t i = 0; i < utf8.size();) {
    char32_t cp = 0;
    bool truncated = false;
    const std::size_t n = DecodeUtf8(utf8.substr(i), cp, truncated);
    if (truncated) {
      out += '?';
      break;
    }
    if (n == 0) {
      out += '?';
      ++i;
      continue;
    }
    i += n;
    if (cp < 0x80) {
      out += static_cast<char>(cp);
      continue;
    }
    const Cp932Pair* end = kUnicodeToCp932 + kUnicodeToCp932Count;
    const Cp932Pair* found = std::lower_bound(kUnicodeToCp932, end, cp,
                                              [](const Cp932Pair& p, char32_t c) { return p.unicode < c; });
    if (!IsCharacter(cp, n) || found == end || found->unicode != cp) {
      out += '?';
      continue;
    }
    if (found->cp932 > 0xFF) out += static_cast<char>(found->cp932 >> 8);
    out += static_cast<char>(found->cp932 & 0xFF);
  }
  return out;
}
