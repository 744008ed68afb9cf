// The glyphs of the game in a page: drawn by the page's canvas with the IPA fonts it loaded
// (a subset beside the page; web/page/library_tavo2.js), read back as the same 0/1 ink masks as
// the desktop's. A character the subset lacks still shows, in the browser's fallback font.
#include <vector>

#include "framework/Glyphs.h"
#include "platform/WebPage.h"

std::optional<std::string> FindFontFile(std::string_view family) {
  if (family == "IPAGothic") return std::string("fonts/ipag-subset.ttf");
  if (family == "IPAPGothic") return std::string("fonts/ipagp-subset.ttf");
  return std::nullopt;
}

struct GlyphRasterizer::Impl {
  std::vector<std::int32_t> out;  // what the page writes a glyph into
};

GlyphRasterizer::GlyphRasterizer() : impl_(new Impl) {}

GlyphRasterizer::~GlyphRasterizer() { delete impl_; }

Glyph GlyphRasterizer::Render(FontFace face, char32_t cp) {
  const FaceSpec& size = FaceOf(face);
  // Ink never reaches past four cells: a generous box for any fallback glyph.
  const int side = size.pixelSize * 4;
  std::vector<std::int32_t>& out = impl_->out;
  out.resize(5 + static_cast<std::size_t>(side * side) / 4 + 1);
  Glyph g;
  if (tavo2_page_glyph(static_cast<int>(face), static_cast<int>(cp), size.pixelSize, size.baseline, out.data(),
                       static_cast<int>(out.size() * sizeof(std::int32_t))) == 0)
    return g;
  g.advance = out[0];
  g.left = out[1];
  g.top = out[2];
  g.width = out[3];
  g.height = out[4];
  const auto* ink = reinterpret_cast<const std::uint8_t*>(out.data() + 5);
  g.ink.assign(ink, ink + static_cast<std::size_t>(g.width) * g.height);
  return g;
}
