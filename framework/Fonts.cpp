#include "framework/Fonts.h"

#include <unordered_map>
#include <vector>

#include "framework/Encoding.h"
#include "framework/Glyphs.h"

namespace {

// Game texts are converted from CP932, so the UTF-8 is well formed.
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

}  // namespace

struct Fonts::Impl {
  GlyphRasterizer rasterizer;
  // Rendered glyphs by face and code point. The game uses a few hundred characters; the bound
  // only guards against pathological input.
  std::unordered_map<std::uint32_t, Glyph> glyphs;
  static constexpr std::size_t kMaxGlyphs = 8192;

  const Glyph& GetGlyph(FontFace face, char32_t cp) {
    const std::uint32_t key = (static_cast<std::uint32_t>(face) << 24) | static_cast<std::uint32_t>(cp);
    if (auto it = glyphs.find(key); it != glyphs.end()) return it->second;
    if (glyphs.size() >= kMaxGlyphs) glyphs.clear();
    // Control characters take no room and leave no mark.
    return glyphs.emplace(key, cp < 0x20 || cp == 0x7F ? Glyph{} : rasterizer.Render(face, cp)).first->second;
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

Fonts::Fonts() : impl_(new Impl) {}

Fonts::~Fonts() { delete impl_; }

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
