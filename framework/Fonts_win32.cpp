#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "framework/Encoding.h"
#include "framework/Fonts_win32.h"
#include "framework/Glyphs.h"

namespace {

// The fonts travel with the program, in the folder fonts beside it, and are registered for this
// process only: the game looks the same whether or not Windows has Japanese fonts of its own.
struct CarriedFont {
  const char* family;
  const wchar_t* file;
};
constexpr CarriedFont kCarried[] = {{"IPAGothic", L"ipag.ttf"}, {"IPAPGothic", L"ipagp.ttf"}};

std::wstring Widen(std::string_view ascii) { return {ascii.begin(), ascii.end()}; }

std::string Narrow(const std::wstring& wide) {
  const int n = WideCharToMultiByte(CP_UTF8, 0, wide.data(), static_cast<int>(wide.size()), nullptr, 0, nullptr, nullptr);
  std::string out(static_cast<std::size_t>(std::max(n, 0)), '\0');
  WideCharToMultiByte(CP_UTF8, 0, wide.data(), static_cast<int>(wide.size()), out.data(), n, nullptr, nullptr);
  return out;
}

std::wstring FontsFolder() {
  std::wstring path(MAX_PATH, L'\0');
  for (;;) {
    const DWORD n = GetModuleFileNameW(nullptr, path.data(), static_cast<DWORD>(path.size()));
    if (n == 0) return L"fonts\\";
    if (n < path.size()) {
      path.resize(n);
      break;
    }
    path.resize(path.size() * 2);
  }
  return path.substr(0, path.find_last_of(L"\\/") + 1) + L"fonts\\";
}

[[noreturn]] void FontMissing(const char* family) {
  const std::string folder = Narrow(FontsFolder());
  std::fprintf(stderr,
               "error: the font family \"%s\" was not found.\n"
               "Keep the folder %s with the font files beside the program, as it came in the .zip.\n",
               family, folder.c_str());
  // Started from Explorer there is nowhere to print to: tell the player in a box.
  const HANDLE err = GetStdHandle(STD_ERROR_HANDLE);
  if (err == nullptr || err == INVALID_HANDLE_VALUE) {
    const std::string text = Cp932ToUtf8("フォント ") + family + Cp932ToUtf8(" が見つかりません。\n") +
                             Cp932ToUtf8("ゲームと一緒に fonts フォルダーを置いてください:\n") + folder;
    std::wstring wide(text.size(), L'\0');
    wide.resize(static_cast<std::size_t>(
        MultiByteToWideChar(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), wide.data(), static_cast<int>(wide.size()))));
    MessageBoxW(nullptr, wide.c_str(), L"tavo2", MB_OK | MB_ICONERROR);
  }
  std::exit(1);
}

}  // namespace

std::optional<std::string> FindFontFile(std::string_view family) {
  for (const CarriedFont& f : kCarried) {
    if (family != f.family) continue;
    const std::wstring path = FontsFolder() + f.file;
    if (GetFileAttributesW(path.c_str()) == INVALID_FILE_ATTRIBUTES) return std::nullopt;
    return Narrow(path);
  }
  return std::nullopt;
}

namespace {
std::vector<std::wstring> registered;
}  // namespace

std::vector<std::wstring> RegisteredFontFiles() { return registered; }

struct GlyphRasterizer::Impl {
  HDC dc = nullptr;
  HFONT fonts[kFaceCount] = {};
};

GlyphRasterizer::GlyphRasterizer() : impl_(new Impl) {
  for (const CarriedFont& f : kCarried) {
    const std::wstring path = FontsFolder() + f.file;
    if (AddFontResourceExW(path.c_str(), FR_PRIVATE, nullptr) > 0) registered.push_back(path);
  }
  impl_->dc = CreateCompatibleDC(nullptr);
  for (int i = 0; i < kFaceCount; ++i) {
    const std::wstring family = Widen(kFaces[i].family);
    // A negative height asks for the em size in pixels, as SDL_ttf's point size at 72 dpi does;
    // no antialiasing: one bit a pixel, the same everywhere.
    impl_->fonts[i] = CreateFontW(-kFaces[i].pixelSize, 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE, DEFAULT_CHARSET,
                                  OUT_TT_ONLY_PRECIS, CLIP_DEFAULT_PRECIS, NONANTIALIASED_QUALITY,
                                  DEFAULT_PITCH | FF_DONTCARE, family.c_str());
    // GDI substitutes another font for a family it lacks; that must not pass unnoticed.
    wchar_t face[LF_FACESIZE] = {};
    if (impl_->dc == nullptr || impl_->fonts[i] == nullptr || SelectObject(impl_->dc, impl_->fonts[i]) == nullptr ||
        GetTextFaceW(impl_->dc, LF_FACESIZE, face) == 0 || lstrcmpiW(face, family.c_str()) != 0)
      FontMissing(kFaces[i].family);
  }
}

GlyphRasterizer::~GlyphRasterizer() {
  if (impl_->dc != nullptr) DeleteDC(impl_->dc);
  for (HFONT font : impl_->fonts) {
    if (font != nullptr) DeleteObject(font);
  }
  for (const std::wstring& path : registered) RemoveFontResourceExW(path.c_str(), FR_PRIVATE, nullptr);
  registered.clear();
  delete impl_;
}

Glyph GlyphRasterizer::Render(FontFace face, char32_t cp) {
  Glyph g;
  if (cp > 0xFFFF) return g;  // CP932 text never holds one
  SelectObject(impl_->dc, impl_->fonts[static_cast<int>(face)]);
  const MAT2 identity{{0, 1}, {0, 0}, {0, 0}, {0, 1}};
  GLYPHMETRICS metrics{};
  const DWORD size = GetGlyphOutlineW(impl_->dc, static_cast<UINT>(cp), GGO_BITMAP, &metrics, 0, nullptr, &identity);
  if (size == GDI_ERROR) return g;
  g.advance = metrics.gmCellIncX;
  if (size == 0) return g;  // a space: nothing to draw
  std::vector<std::uint8_t> bits(size);
  if (GetGlyphOutlineW(impl_->dc, static_cast<UINT>(cp), GGO_BITMAP, &metrics, size, bits.data(), &identity) ==
      GDI_ERROR)
    return g;
  // Rows of the black box, each padded to four bytes, top row first, the most significant bit leftmost.
  const int w = static_cast<int>(metrics.gmBlackBoxX), h = static_cast<int>(metrics.gmBlackBoxY);
  const std::size_t pitch = static_cast<std::size_t>((w + 31) / 32) * 4;
  if (pitch * static_cast<std::size_t>(h) > bits.size()) return g;
  const auto inked = [&](int x, int y) { return (bits[static_cast<std::size_t>(y) * pitch + x / 8] & (0x80 >> (x % 8))) != 0; };
  int x0 = w, y0 = h, x1 = -1, y1 = -1;
  for (int y = 0; y < h; ++y) {
    for (int x = 0; x < w; ++x) {
      if (inked(x, y)) {
        x0 = std::min(x0, x);
        x1 = std::max(x1, x);
        y0 = std::min(y0, y);
        y1 = std::max(y1, y);
      }
    }
  }
  if (x1 < 0) return g;
  // The black box's top-left corner lies gmptGlyphOrigin from the pen on the baseline, y upwards.
  g.left = metrics.gmptGlyphOrigin.x + x0;
  g.top = FaceOf(face).baseline - metrics.gmptGlyphOrigin.y + y0;
  g.width = x1 - x0 + 1;
  g.height = y1 - y0 + 1;
  g.ink.resize(static_cast<std::size_t>(g.width) * g.height);
  for (int y = 0; y < g.height; ++y) {
    for (int x = 0; x < g.width; ++x) g.ink[static_cast<std::size_t>(y) * g.width + x] = inked(x0 + x, y0 + y);
  }
  return g;
}
