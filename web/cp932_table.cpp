// tavo2-cp932-table OUT.cpp: writes the CP932 table the web build converts with
// (framework/Encoding_web.cpp), made from this build's conversion, iconv's: every single byte and
// every lead and trail byte pair to Unicode, and every BMP code point that has CP932 bytes.
#include <cstdio>
#include <string>

#include "framework/Cp932Table.h"
#include "framework/Encoding.h"

namespace {

// The one code point of well-formed UTF-8, or 0 when it is more or less than one, or U+FFFD.
unsigned OneCodePoint(const std::string& utf8) {
  if (utf8.empty()) return 0;
  const auto b = static_cast<unsigned char>(utf8[0]);
  const std::size_t n = b < 0x80 ? 1 : b < 0xE0 ? 2 : b < 0xF0 ? 3 : 4;
  if (n != utf8.size()) return 0;
  unsigned cp = n == 1 ? b : n == 2 ? (b & 0x1F) : n == 3 ? (b & 0x0F) : (b & 0x07);
  for (std::size_t k = 1; k < n; ++k) cp = (cp << 6) | (static_cast<unsigned char>(utf8[k]) & 0x3F);
  return cp == 0xFFFD || cp > 0xFFFF ? 0 : cp;
}

std::string Utf8Of(unsigned cp) {
  if (cp < 0x800) return {static_cast<char>(0xC0 | (cp >> 6)), static_cast<char>(0x80 | (cp & 0x3F))};
  return {static_cast<char>(0xE0 | (cp >> 12)), static_cast<char>(0x80 | ((cp >> 6) & 0x3F)),
          static_cast<char>(0x80 | (cp & 0x3F))};
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: tavo2-cp932-table OUT.cpp\n");
    return 2;
  }
  std::FILE* out = std::fopen(argv[1], "w");
  if (out == nullptr) return 1;
  std::fprintf(out, "// Written by tavo2-cp932-table from iconv's CP932; see framework/Cp932Table.h.\n");
  std::fprintf(out, "#include \"framework/Cp932Table.h\"\n\nconst char16_t kCp932Single[128] = {");
  for (int b = 0x80; b <= 0xFF; ++b)
    std::fprintf(out, "%s0x%04X,", (b & 15) == 0 ? "\n" : "", OneCodePoint(Cp932ToUtf8(std::string(1, static_cast<char>(b)))));
  std::fprintf(out, "};\n\nconst char16_t kCp932Double[kCp932Leads][kCp932Trails] = {");
  for (int lead = 0x81; lead <= 0xFC; ++lead) {
    if (!IsCp932Lead(static_cast<unsigned char>(lead))) continue;
    std::fprintf(out, "\n{");
    for (int trail = kCp932FirstTrail; trail <= kCp932LastTrail; ++trail) {
      const std::string two{static_cast<char>(lead), static_cast<char>(trail)};
      std::fprintf(out, "%s0x%04X,", (trail & 15) == 0 ? "\n" : "", OneCodePoint(Cp932ToUtf8(two)));
    }
    std::fprintf(out, "},");
  }
  std::fprintf(out, "};\n\nconst Cp932Pair kUnicodeToCp932[] = {");
  int count = 0;
  for (unsigned cp = 0x80; cp <= 0xFFFF; ++cp) {
    if (cp >= 0xD800 && cp <= 0xDFFF) continue;
    const std::string bytes = Utf8ToCp932(Utf8Of(cp));
    if (bytes == "?" || bytes.empty() || bytes.size() > 2) continue;
    unsigned value = static_cast<unsigned char>(bytes[0]);
    if (bytes.size() == 2) value = (value << 8) | static_cast<unsigned char>(bytes[1]);
    std::fprintf(out, "%s{0x%04X,0x%04X},", count % 8 == 0 ? "\n" : "", cp, value);
    ++count;
  }
  std::fprintf(out, "};\n\nconst std::size_t kUnicodeToCp932Count = %d;\n", count);
  return std::fclose(out) == 0 ? 0 : 1;
}
