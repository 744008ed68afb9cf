#pragma once
#include <cstdint>
#include <vector>

#include "framework/Fonts.h"

// What Fonts needs from the OS: the glyphs of the two faces as 0/1 ink masks. Fonts_posix.cpp
// renders them with SDL_ttf from the files fontconfig finds, Fonts_win32.cpp with GDI from the font
// files the program carries.

struct FaceSpec {
  const char* family;
  int pixelSize;  // the em size in pixels
  int cellHeight;
  // Row of the cell the baseline sits on. The fonts' own ascent (15 and 11) would cut off the
  // descenders of hundreds of glyphs; with these every glyph's ink but a handful fits the cell.
  int baseline;
};

inline constexpr FaceSpec kFaces[] = {
    {"IPAGothic", 16, 16, 14},   // FontFace::Mono16
    {"IPAPGothic", 12, 12, 10},  // FontFace::Prop12
};
inline constexpr int kFaceCount = 2;

inline const FaceSpec& FaceOf(FontFace face) { return kFaces[static_cast<int>(face)]; }

// A glyph's ink, placed relative to the pen position and the top of the cell.
struct Glyph {
  int advance = 0;
  int left = 0;
  int top = 0;
  int width = 0;
  int height = 0;
  std::vector<std::uint8_t> ink;
};

class GlyphRasterizer {
 public:
  // Opens both faces; a missing font ends the program with a clear message.
  GlyphRasterizer();
  ~GlyphRasterizer();
  GlyphRasterizer(const GlyphRasterizer&) = delete;
  GlyphRasterizer& operator=(const GlyphRasterizer&) = delete;

  // The glyph of a printable code point (control characters never get here).
  Glyph Render(FontFace face, char32_t cp);

 private:
  struct Impl;
  Impl* impl_;
};
