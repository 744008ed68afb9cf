#include <SDL_ttf.h>
#include <fontconfig/fontconfig.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "framework/Glyphs.h"

namespace {

[[noreturn]] void FontMissing(const char* family) {
  std::fprintf(stderr,
               "error: the font family \"%s\" was not found.\n"
               "Install the Debian package fonts-ipafont-gothic (sudo apt-get install fonts-ipafont-gothic).\n",
               family);
  std::exit(1);
}

}  // namespace

std::optional<std::string> FindFontFile(std::string_view family) {
  FcConfig* config = FcInitLoadConfigAndFonts();
  if (config == nullptr) return std::nullopt;
  const std::string wanted(family);
  const auto* wantedFc = reinterpret_cast<const FcChar8*>(wanted.c_str());
  std::optional<std::string> file;
  FcPattern* pattern = FcPatternCreate();
  FcPatternAddString(pattern, FC_FAMILY, wantedFc);
  FcConfigSubstitute(config, pattern, FcMatchPattern);
  FcDefaultSubstitute(pattern);
  FcResult result = FcResultNoMatch;
  if (FcPattern* match = FcFontMatch(config, pattern, &result)) {
    // fontconfig always answers with some font; only take it if it is the family asked for.
    bool familyMatches = false;
    FcChar8* name = nullptr;
    for (int i = 0; FcPatternGetString(match, FC_FAMILY, i, &name) == FcResultMatch; ++i) {
      if (FcStrCmpIgnoreCase(name, wantedFc) == 0) familyMatches = true;
    }
    FcChar8* path = nullptr;
    if (familyMatches && FcPatternGetString(match, FC_FILE, 0, &path) == FcResultMatch) {
      file = reinterpret_cast<const char*>(path);
    }
    FcPatternDestroy(match);
  }
  FcPatternDestroy(pattern);
  FcConfigDestroy(config);
  return file;
}

struct GlyphRasterizer::Impl {
  TTF_Font* fonts[kFaceCount] = {};
};

GlyphRasterizer::GlyphRasterizer() : impl_(new Impl) {
  std::string files[kFaceCount];
  for (int i = 0; i < kFaceCount; ++i) {
    auto file = FindFontFile(kFaces[i].family);
    if (!file) FontMissing(kFaces[i].family);
    files[i] = *file;
  }
  if (TTF_Init() != 0) {
    std::fprintf(stderr, "error: SDL_ttf cannot start: %s\n", TTF_GetError());
    std::exit(1);
  }
  for (int i = 0; i < kFaceCount; ++i) {
    // At SDL_ttf's 72 dpi a point is a pixel.
    impl_->fonts[i] = TTF_OpenFont(files[i].c_str(), kFaces[i].pixelSize);
    if (impl_->fonts[i] == nullptr) {
      std::fprintf(stderr, "error: cannot open %s: %s\n", files[i].c_str(), TTF_GetError());
      FontMissing(kFaces[i].family);
    }
    // Classic screen text: each character at its own advance, no pair kerning.
    TTF_SetFontKerning(impl_->fonts[i], 0);
  }
}

GlyphRasterizer::~GlyphRasterizer() {
  for (TTF_Font* font : impl_->fonts) {
    if (font != nullptr) TTF_CloseFont(font);
  }
  TTF_Quit();
  delete impl_;
}

Glyph GlyphRasterizer::Render(FontFace face, char32_t cp) {
  Glyph g;
  TTF_Font* font = impl_->fonts[static_cast<int>(face)];
  int minx = 0, maxx = 0, miny = 0, maxy = 0, advance = 0;
  if (TTF_GlyphMetrics32(font, cp, &minx, &maxx, &miny, &maxy, &advance) != 0) return g;
  g.advance = advance;
  // Solid rendering: one bit per pixel, no antialiasing, the same on every screen.
  SDL_Surface* s = TTF_RenderGlyph32_Solid(font, cp, SDL_Color{255, 255, 255, 255});
  if (s == nullptr) return g;  // e.g. a space: nothing to draw
  if (s->format->BytesPerPixel != 1 || SDL_LockSurface(s) != 0) {
    SDL_FreeSurface(s);
    return g;
  }
  // SDL_ttf puts the pen origin at x = -minx when the glyph reaches left of it, and moves the
  // baseline down when the glyph rises above the font's ascent.
  const int ascent = TTF_FontAscent(font);
  const int originX = std::max(0, -minx);
  const int baselineY = std::max(0, maxy - ascent) + ascent;
  int x0 = s->w, y0 = s->h, x1 = -1, y1 = -1;
  const auto* pixels = static_cast<const std::uint8_t*>(s->pixels);
  for (int y = 0; y < s->h; ++y) {
    for (int x = 0; x < s->w; ++x) {
      if (pixels[y * s->pitch + x] != 0) {
        x0 = std::min(x0, x);
        x1 = std::max(x1, x);
        y0 = std::min(y0, y);
        y1 = std::max(y1, y);
      }
    }
  }
  if (x1 >= 0) {
    g.left = x0 - originX;
    g.top = y0 - baselineY + FaceOf(face).baseline;
    g.width = x1 - x0 + 1;
    g.height = y1 - y0 + 1;
    g.ink.resize(static_cast<std::size_t>(g.width) * g.height);
    for (int y = 0; y < g.height; ++y) {
      for (int x = 0; x < g.width; ++x) {
        g.ink[static_cast<std::size_t>(y) * g.width + x] = pixels[(y0 + y) * s->pitch + x0 + x] != 0;
      }
    }
  }
  SDL_UnlockSurface(s);
  SDL_FreeSurface(s);
  return g;
}
