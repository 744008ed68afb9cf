#pragma once
#include <cstddef>

// The CP932 table of the web build (Encoding_web.cpp), written from iconv's conversion by the Linux
// build (web/cp932_table.cpp), so that every build converts alike.

inline constexpr bool IsCp932Lead(unsigned char b) { return (b >= 0x81 && b <= 0x9F) || (b >= 0xE0 && b <= 0xFC); }
inline constexpr int kCp932Leads = 0x9F - 0x81 + 1 + 0xFC - 0xE0 + 1;
inline constexpr int kCp932FirstTrail = 0x40;
inline constexpr int kCp932LastTrail = 0xFC;
inline constexpr int kCp932Trails = kCp932LastTrail - kCp932FirstTrail + 1;
inline constexpr int LeadIndex(unsigned char lead) { return lead <= 0x9F ? lead - 0x81 : lead - 0xE0 + 0x9F - 0x81 + 1; }

// 0x80..0xFF alone; 0 where iconv gives no character (a lead byte alone, an unassigned byte).
extern const char16_t kCp932Single[128];
// [LeadIndex(lead)][trail - kCp932FirstTrail]; 0 where the pair is no character.
extern const char16_t kCp932Double[kCp932Leads][kCp932Trails];

// Every BMP code point from U+0080 that has CP932 bytes (one byte, or lead << 8 | trail), by code
// point; iconv's one-way mappings included.
struct Cp932Pair {
  char16_t unicode;
  unsigned short cp932;
};
extern const Cp932Pair kUnicodeToCp932[];
extern const std::size_t kUnicodeToCp932Count;
