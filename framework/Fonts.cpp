#include "framework/Fonts.h"

#include <SDL_ttf.h>
#include <fontconfig/fontconfig.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <unordered_map>
#include <vector>

#include "framework/Encoding.h"

namespace {

struct FaceSpec {
  const char* family;
  int pointSize;  // at SDL_ttf's 72 dpi a point is a pixel
  int cellHeight;
  // Row of the cell the baseline sits on. SDL_ttf's own ascent (15 and 11) would cut off the
  // descenders of hundreds of glyphs; with these every glyph's ink but a handful fits the cell.
  int baseline;
};

constexpr FaceSpec kFaces[] = {
    {"IPAGothic", 16, 16, 14},   // FontFace::Mono16
    {"IPAPGothic", 12, 12, 10},  // FontFace::Prop12
};
constexpr int kFaceCount = 2;

const FaceSpec& FaceOf(FontFace face) { return kFaces[static_cast<int>(face)]; }

// A glyph's ink as a 0/1 mask, placed relative to the pen position and the top of the cell.
struct Glyph {
  int advance = 0;
  int left = 0;
  int top = 0;
  int width = 0;
  int height = 0;
  std::vector<std::uint8_t> ink;
};

// Game texts are converted by iconv, so the UTF-8 is well formed.
std::vector<char32_t> DecodeUtf8(std::string_view s) {
  std::vector<char32_t> out;
  out.reserve(s.size());
  for (std::size_t i = 0; i < s.size();) {
    const auto b = static_cast<unsigned char>(s[i]);
    const int n = b < 0x80 ? 1 : b < 0xE0 ? 2 : b < 0xF0 ? 3 : 4;
    char32_t cp = n == 1 ? b : n == 2 ? (b & 0x1F) : n == 3 ? (b & 0x0F) : (b & 0x07);
    for (int k = 1; k < n && i + k < s.size(); ++k) cp = (cp << 6) | (static_cast<unsigned char>(s[i + k]) & 0x3F);
    out.push_back(cp);
    i += n;
  }
  return out;
}

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

struct Fonts::Impl {
  TTF_Font* fonts[kFaceCount] = {};
  // Rendered glyphs by face and code point. The game uses a few hundred characters; the bound
  // only guards against pathological input.
  std::unordered_map<std::uint32_t, Glyph> glyphs;
  static constexpr std::size_t kMaxGlyphs = 8192;

  const Glyph& GetGlyph(FontFace face, char32_t cp) {
    const std::uint32_t key = (static_cast<std::uint32_t>(face) << 24) | static_cast<std::uint32_t>(cp);
    if (auto it = glyphs.find(key); it != glyphs.end()) return it->second;
    if (glyphs.size() >= kMaxGlyphs) glyphs.clear();
    return glyphs.emplace(key, Render(face, cp)).first->second;
  }

  Glyph Render(FontFace face, char32_t cp) const {
    Glyph g;
    // Control characters take no room and leave no mark.
    if (cp < 0x20 || cp == 0x7F) return g;
    TTF_Font* font = fonts[static_cast<int>(face)];
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

  int Advance(FontFace face, const std::vector<char32_t>& text) {
    int width = 0;
    for (char32_t cp : text) width += GetGlyph(face, cp).advance;
    return width;
  }
};

Fonts& Fonts::Get() {
  static Fonts fonts;
  return fonts;
}

Fonts::Fonts() : impl_(new Impl) {
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
    impl_->fonts[i] = TTF_OpenFont(files[i].c_str(), kFaces[i].pointSize);
    if (impl_->fonts[i] == nullptr) {
      std::fprintf(stderr, "error: cannot open %s: %s\n", files[i].c_str(), TTF_GetError());
      FontMissing(kFaces[i].family);
    }
    // Classic screen text: each character at its own advance, no pair kerning.
    TTF_SetFontKerning(impl_->fonts[i], 0);
  }
}

Fonts::~Fonts() {
  for (TTF_Font* font : impl_->fonts) {
    if (font != nullptr) TTF_CloseFont(font);
  }
  TTF_Quit();
  delete impl_;
}

int Fonts::LineHeight(FontFace face) { return FaceOf(face).cellHeight; }

TSize Fonts::Measure(std::string_view cp932, FontFace face) {
  return {impl_->Advance(face, DecodeUtf8(Cp932ToUtf8(cp932))), LineHeight(face)};
}

TSize Fonts::Draw(Surface& target, const TRect& clip, int x, int y, std::string_view cp932, FontFace face,
                  TColor textColor, std::optional<TColor> background) {
  const std::vector<char32_t> text = DecodeUtf8(Cp932ToUtf8(cp932));
  const TSize extent{impl_->Advance(face, text), LineHeight(face)};
  // Nothing is drawn outside the text's cell, the clip rectangle or the target.
  const TRect area = TRect::FromSize(x, y, extent.cx, extent.cy).Intersect(clip).Intersect(target.Bounds());
  if (area.IsEmpty()) return extent;
  if (background) target.Fill(area, *background);
  int penX = x;
  for (char32_t cp : text) {
    const Glyph& g = impl_->GetGlyph(face, cp);
    const int gx = penX + g.left;
    const int gy = y + g.top;
    const TRect box = TRect::FromSize(gx, gy, g.width, g.height).Intersect(area);
    for (int py = box.top; py < box.bottom; ++py) {
      const std::uint8_t* row = g.ink.data() + static_cast<std::size_t>(py - gy) * g.width;
      TColor* out = target.Row(py);
      for (int px = box.left; px < box.right; ++px) {
        if (row[px - gx] != 0) out[px] = textColor;
      }
    }
    penX += g.advance;
  }
  return extent;
}
