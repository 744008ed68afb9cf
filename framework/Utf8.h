#pragma once
#include <cstddef>
#include <string>
#include <string_view>

// The UTF-8 side of the CP932 conversions that do not have iconv (Windows, the page): they must
// treat broken text exactly as iconv does on Linux, so that every build agrees byte for byte.
namespace utf8 {

inline constexpr const char* kReplacement = "\xEF\xBF\xBD";  // U+FFFD

inline void Append(std::string& out, char32_t cp) {
  if (cp < 0x80) {
    out += static_cast<char>(cp);
  } else if (cp < 0x800) {
    out += static_cast<char>(0xC0 | (cp >> 6));
    out += static_cast<char>(0x80 | (cp & 0x3F));
  } else if (cp < 0x10000) {
    out += static_cast<char>(0xE0 | (cp >> 12));
    out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (cp & 0x3F));
  } else {
    out += static_cast<char>(0xF0 | (cp >> 18));
    out += static_cast<char>(0x80 | ((cp >> 12) & 0x3F));
    out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (cp & 0x3F));
  }
}

// Decodes the UTF-8 character at the start of s into cp; returns its length, or 0 when s does
// not start with a well-formed one (then one byte is dropped, as on Linux). truncated: s ends
// inside the character (then the rest becomes one '?', as iconv has it).
inline std::size_t Decode(std::string_view s, char32_t& cp, bool& truncated) {
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

// Whether a structurally whole UTF-8 sequence names a character: not overlong, not a surrogate,
// not past U+10FFFF. A sequence that does not is one unmappable character.
inline bool IsCharacter(char32_t cp, std::size_t length) {
  const char32_t least = length == 2 ? 0x80 : length == 3 ? 0x800 : 0x10000;
  return cp >= least && cp <= 0x10FFFF && !(cp >= 0xD800 && cp <= 0xDFFF);
}

// Converts UTF-8 text to CP932 as iconv does: a broken sequence becomes '?' and the walk goes on
// one byte later, a sequence cut off at the end becomes one '?', ASCII passes as it is, and every
// other character is handed to encode(cp, out), which appends its CP932 bytes or '?'.
template <class Encode>
std::string ToCp932(std::string_view text, Encode encode) {
  std::string out;
  out.reserve(text.size());
  for (std::size_t i = 0; i < text.size();) {
    char32_t cp = 0;
    bool truncated = false;
    const std::size_t n = Decode(text.substr(i), cp, truncated);
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
    if (cp < 0x80)
      out += static_cast<char>(cp);
    else if (!IsCharacter(cp, n))
      out += '?';
    else
      encode(cp, out);
  }
  return out;
}

}  // namespace utf8
