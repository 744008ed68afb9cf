// The glyphs of the runner built for node (web/Web.cmake): the IPA font files where Debian puts
// them, read through node's file system and rasterized with Debian's stb_truetype (libstb-dev),
// whose advances are FreeType's to the pixel; the ink is thresholded to the same 0/1 masks.
#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "framework/Glyphs.h"

#define STB_TRUETYPE_IMPLEMENTATION
#define STBTT_STATIC
#include <stb_truetype.h>

namespace {

struct FontFile {
  const char* family;
  const char* path;
};
constexpr FontFile kFiles[] = {{"IPAGothic", "/usr/share/fonts/opentype/ipafont-gothic/ipag.ttf"},
                               {"IPAPGothic", "/usr/share/fonts/opentype/ipafont-gothic/ipagp.ttf"}};

[[noreturn]] void FontMissing(const char* family) {
  std::fprintf(stderr,
               "error: the font family \"%s\" was not found.\n"
               "Install the Debian package fonts-ipafont-gothic (sudo apt-get install fonts-ipafont-gothic).\n",
               family);
  std::exit(1);
}

}  // namespace

std::optional<std::string> FindFontFile(std::string_view family) {
  for (const FontFile& f : kFiles)
    if (family == f.family && std::ifstream(f.path).good()) return std::string(f.path);
  return std::nullopt;
}

struct GlyphRasterizer::Impl {
  std::vector<unsigned char> data[kFaceCount];
  stbtt_fontinfo info[kFaceCount];
  float scale[kFaceCount];
};

GlyphRasterizer::GlyphRasterizer() : impl_(new Impl) {
  for (int i = 0; i < kFaceCount; ++i) {
    const auto file = FindFontFile(kFaces[i].family);
    if (!file) FontMissing(kFaces[i].family);
    std::ifstream in(*file, std::ios::binary);
    impl_->data[i].assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    if (stbtt_InitFont(&impl_->info[i], impl_->data[i].data(), 0) == 0) FontMissing(kFaces[i].family);
    impl_->scale[i] = stbtt_ScaleForMappingEmToPixels(&impl_->info[i], static_cast<float>(kFaces[i].pixelSize));
  }
}

GlyphRasterizer::~GlyphRasterizer() { delete impl_; }

Glyph GlyphRasterizer::Render(FontFace face, char32_t cp) {
  Glyph g;
  const int f = static_cast<int>(face);
  const stbtt_fontinfo& info = impl_->info[f];
  // A character the font lacks gets its missing-glyph box, as FreeType gives it.
  const int index = stbtt_FindGlyphIndex(&info, static_cast<int>(cp));
  int advance = 0, bearing = 0;
  stbtt_GetGlyphHMetrics(&info, index, &advance, &bearing);
  const float scale = impl_->scale[f];
  g.advance = static_cast<int>(advance * scale + 0.5f);
  // A pixel is ink when the outline covers its centre, as in FreeType's monochrome rendering: the
  // glyph is drawn at three times the size and the middle of each 3 × 3 block is read.
  constexpr int kOver = 3;
  int w = 0, h = 0, xoff = 0, yoff = 0;
  unsigned char* coverage = stbtt_GetGlyphBitmap(&info, scale * kOver, scale * kOver, index, &w, &h, &xoff, &yoff);
  if (coverage == nullptr) return g;
  const auto centre = [](int sub) { return ((sub - 1) % kOver + kOver) % kOver == 0; };
  std::vector<std::pair<int, int>> ink;  // pixels relative to the pen and the baseline
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x)
      if (centre(x + xoff) && centre(y + yoff) && coverage[y * w + x] >= 128)
        ink.emplace_back((x + xoff - 1) / kOver, (y + yoff - 1) / kOver);
  stbtt_FreeBitmap(coverage, nullptr);
  if (ink.empty()) return g;
  int x0 = ink[0].first, x1 = x0, y0 = ink[0].second, y1 = y0;
  for (const auto& [x, y] : ink) {
    x0 = std::min(x0, x);
    x1 = std::max(x1, x);
    y0 = std::min(y0, y);
    y1 = std::max(y1, y);
  }
  g.left = x0;
  g.top = y0 + FaceOf(face).baseline;
  g.width = x1 - x0 + 1;
  g.height = y1 - y0 + 1;
  g.ink.assign(static_cast<std::size_t>(g.width) * g.height, 0);
  for (const auto& [x, y] : ink) g.ink[static_cast<std::size_t>(y - y0) * g.width + (x - x0)] = 1;
  return g;
}
