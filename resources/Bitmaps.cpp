#include <algorithm>
#include <array>
#include <cstdio>
#include <cstdlib>
#include <map>
#include <string>

#include "framework/Resources.h"

// Placeholder artwork: every picture is generated at its exact size and shows its own number, so
// a misplaced or wrongly numbered bitmap is obvious on screen.

namespace {

constexpr std::array<BitmapResourceInfo, 54> kBitmaps{{
    {1, 16, 128, 256},   // rod 5 (legendary)
    {2, 16, 128, 256},   // rod 4
    {3, 16, 128, 256},   // rod 3
    {4, 16, 128, 256},   // rod 2
    {5, 16, 128, 256},   // rod 1
    {6, 16, 16, 256},    // empty check box
    {7, 16, 16, 256},    // ticked check box
    {8, 16, 128, 256},   // float 3 (legendary)
    {9, 16, 128, 256},   // float 2
    {10, 16, 128, 256},  // float 1
    {11, 16, 128, 256},  // blank rod or float slot
    {12, 32, 32, 256},   // blank hook or line slot
    {13, 32, 32, 256},   // hook 2 (legendary)
    {14, 32, 32, 256},   // hook 1
    {15, 48, 64, 256},   // blank bait slot
    {16, 32, 32, 256},   // line 2 (legendary)
    {17, 32, 32, 256},   // line 1
    {18, 200, 200, 256},  // fish shop
    {19, 48, 64, 256},   // bait 4 (legendary)
    {20, 48, 64, 256},   // bait 3
    {21, 48, 64, 256},   // bait 2
    {22, 48, 64, 256},   // bait 1
    {23, 128, 64, 256},  // rod rest
    {24, 64, 64, 256},   // tackle box
    {25, 128, 64, 256},  // landing net
    {26, 600, 400, 256},  // home map
    {27, 16, 16, 256},   // pond marker
    {28, 16, 16, 256},   // lake marker
    {29, 400, 300, 256},  // the house
    {30, 200, 100, 2},   // large fish print
    {31, 100, 50, 2},    // small fish print
    {32, 400, 350, 256},  // tackle shop interior
    {33, 200, 200, 256},  // master's room
    {34, 256, 128, 256},  // fight pictures 34..40
    {35, 256, 128, 256},
    {36, 256, 128, 256},
    {37, 256, 128, 256},
    {38, 256, 128, 256},
    {39, 256, 128, 256},
    {40, 256, 128, 256},
    {41, 600, 400, 256},  // champion splash
    {42, 32, 32, 16},    // crown
    {43, 118, 75, 256},  // tournament house button
    {44, 65, 65, 256},   // world button
    {45, 600, 400, 256},  // world map
    {46, 256, 128, 256},  // master fish landed
    {70, 256, 128, 256},  // fishing scene
    {71, 8, 96, 256},    // float
    {72, 32, 96, 256},   // lure sprite
    {73, 32, 96, 256},   // lure mask
    {74, 96, 96, 256},   // cast sprite
    {75, 96, 96, 256},   // cast mask
    {76, 96, 96, 256},   // strike sprite
    {77, 96, 96, 256},   // strike mask
}};

constexpr bool AscendingById() {
  for (std::size_t i = 1; i < kBitmaps.size(); ++i)
    if (kBitmaps[i - 1].id >= kBitmaps[i].id) return false;
  return true;
}
static_assert(AscendingById(), "BitmapResourceTable() promises ascending ids");

constexpr int kSceneId = 70;
constexpr bool IsMask(int id) { return id == 73 || id == 75 || id == 77; }
constexpr bool IsSprite(int id) { return id == 72 || id == 74 || id == 76; }

// 3×5 digits, one row per entry, bit 2 = left column.
constexpr std::array<std::array<unsigned char, 5>, 10> kDigitFont{{
    {7, 5, 5, 5, 7},  // 0
    {2, 6, 2, 2, 7},  // 1
    {7, 1, 7, 4, 7},  // 2
    {7, 1, 7, 1, 7},  // 3
    {5, 5, 7, 1, 1},  // 4
    {7, 4, 7, 1, 7},  // 5
    {7, 4, 7, 5, 7},  // 6
    {7, 1, 2, 2, 2},  // 7
    {7, 5, 7, 5, 7},  // 8
    {7, 5, 7, 1, 7},  // 9
}};
constexpr int kDigitW = 3;
constexpr int kDigitH = 5;
constexpr int kMaxScale = 12;

// The classic 16-colour palette, for the one 16-colour picture.
constexpr std::array<TColor, 16> kPalette16{
    Rgb(0, 0, 0),       Rgb(128, 0, 0),   Rgb(0, 128, 0),   Rgb(128, 128, 0),
    Rgb(0, 0, 128),     Rgb(128, 0, 128), Rgb(0, 128, 128), Rgb(192, 192, 192),
    Rgb(128, 128, 128), Rgb(255, 0, 0),   Rgb(0, 255, 0),   Rgb(255, 255, 0),
    Rgb(0, 0, 255),     Rgb(255, 0, 255), Rgb(0, 255, 255), Rgb(255, 255, 255)};

int Red(TColor c) { return static_cast<int>((c >> 16) & 0xFF); }
int Green(TColor c) { return static_cast<int>((c >> 8) & 0xFF); }
int Blue(TColor c) { return static_cast<int>(c & 0xFF); }
TColor Darker(TColor c) { return Rgb(Red(c) / 2, Green(c) / 2, Blue(c) / 2); }
TColor Contrasting(TColor c) {
  return Red(c) * 3 + Green(c) * 6 + Blue(c) > 128 * 10 ? kBlack : kWhite;
}

// Spreads neighbouring numbers over clearly different mid-tone colours.
TColor FillColour(int id) {
  return Rgb(64 + (id * 53) % 160, 64 + (id * 97) % 160, 64 + (id * 31) % 160);
}

// Draws the decimal number as large as fits in the area (up to kMaxScale), centred, side by side
// or stacked for tall narrow areas; if even scale 1 does not fit, what fits is drawn, clipped.
void DrawNumber(Surface& s, const TRect& area, int number, TColor colour) {
  const std::string digits = std::to_string(number);
  const int n = static_cast<int>(digits.size());
  const int rowW = n * kDigitW + (n - 1), rowH = kDigitH;
  const int colW = kDigitW, colH = n * kDigitH + (n - 1);
  const int rowScale = std::min(area.Width() / rowW, area.Height() / rowH);
  const int colScale = std::min(area.Width() / colW, area.Height() / colH);
  const bool stacked = colScale > rowScale;
  const int scale = std::clamp(stacked ? colScale : rowScale, 1, kMaxScale);
  const int w = (stacked ? colW : rowW) * scale, h = (stacked ? colH : rowH) * scale;
  const int left = area.left + (area.Width() - w) / 2;
  const int top = area.top + (area.Height() - h) / 2;
  for (int i = 0; i < n; ++i) {
    const auto& glyph = kDigitFont[static_cast<std::size_t>(digits[static_cast<std::size_t>(i)] - '0')];
    const int gx = left + (stacked ? 0 : i * (kDigitW + 1) * scale);
    const int gy = top + (stacked ? i * (kDigitH + 1) * scale : 0);
    for (int row = 0; row < kDigitH; ++row)
      for (int col = 0; col < kDigitW; ++col)
        if (glyph[static_cast<std::size_t>(row)] & (4 >> col))
          s.Fill(TRect::FromSize(gx + col * scale, gy + row * scale, scale, scale).Intersect(area), colour);
  }
}

void DrawBorder(Surface& s, TColor c) {
  const int w = s.Width(), h = s.Height();
  s.Fill({0, 0, w, 1}, c);
  s.Fill({0, h - 1, w, h}, c);
  s.Fill({0, 0, 1, h}, c);
  s.Fill({w - 1, 0, w, h}, c);
}

TRect Inner(const Surface& s) { return {2, 2, s.Width() - 2, s.Height() - 2}; }

Surface MakePlain(const BitmapResourceInfo& info) {
  TColor fill = FillColour(info.id);
  TColor border = Darker(fill);
  if (info.colors == 2) {
    fill = kWhite;
    border = kBlack;
  } else if (info.colors == 16) {
    // A bright palette entry; its dark twin sits eight places lower.
    const std::size_t bright = 9 + static_cast<std::size_t>(info.id % 7);
    fill = kPalette16[bright];
    border = kPalette16[bright - 8];
  }
  Surface s(info.width, info.height, fill);
  DrawBorder(s, border);
  DrawNumber(s, Inner(s), info.id, Contrasting(fill));
  return s;
}

// Sky, far shore and water. The float strip is repaired from columns 122..129 of this picture
// where it lies over 132..139, so those columns must match in the top 96 rows.
Surface MakeScene(const BitmapResourceInfo& info) {
  Surface s(info.width, info.height, Rgb(40, 90, 160));
  s.Fill({0, 0, info.width, 40}, Rgb(160, 200, 240));
  s.Fill({0, 40, info.width, 48}, Rgb(60, 120, 60));
  DrawBorder(s, Rgb(20, 45, 80));
  DrawNumber(s, {4, 100, 120, 126}, info.id, kWhite);
  for (int y = 0; y < 96; ++y)
    for (int x = 122; x < 130; ++x) s.SetPixel(x + 10, y, s.Pixel(x, y));
  return s;
}

bool InEllipse(int w, int h, int x, int y) {
  const double cx = (w - 1) / 2.0, cy = (h - 1) / 2.0;
  const double rx = w / 2.0 - 1, ry = h / 2.0 - 1;
  const double dx = (x - cx) / rx, dy = (y - cy) / ry;
  return dx * dx + dy * dy <= 1.0;
}

// The part of the ellipse well inside its edge, split in halves: the mask's number goes in the
// upper half, the sprite's in the lower, so neither hides the other.
TRect EllipseHalf(int w, int h, bool upper) {
  const int iw = w * 7 / 10, ih = h * 7 / 10;
  const int left = (w - iw) / 2, top = (h - ih) / 2;
  return upper ? TRect{left, top, left + iw, top + ih / 2} : TRect{left, top + ih / 2, left + iw, top + ih};
}

// Mask: white keeps the scene, black lets the sprite through.
Surface MakeMask(const BitmapResourceInfo& info) {
  Surface s(info.width, info.height, kWhite);
  for (int y = 0; y < info.height; ++y)
    for (int x = 0; x < info.width; ++x)
      if (InEllipse(info.width, info.height, x, y)) s.SetPixel(x, y, kBlack);
  DrawNumber(s, EllipseHalf(info.width, info.height, true), info.id, kWhite);
  return s;
}

// A sprite is ORed onto the scene after its mask was ANDed, so it must be black wherever its
// mask is white.
Surface MakeSprite(const BitmapResourceInfo& info, const Surface& mask) {
  const TColor fill = FillColour(info.id);
  Surface s(info.width, info.height, fill);
  DrawNumber(s, EllipseHalf(info.width, info.height, false), info.id, Contrasting(fill));
  for (int y = 0; y < info.height; ++y)
    for (int x = 0; x < info.width; ++x)
      if (mask.Pixel(x, y) == kWhite) s.SetPixel(x, y, kBlack);
  return s;
}

const BitmapResourceInfo& Info(int id) {
  for (const auto& info : kBitmaps)
    if (info.id == id) return info;
  std::fprintf(stderr, "tavo2: there is no bitmap resource %d\n", id);
  std::abort();
}

Surface Generate(const BitmapResourceInfo& info) {
  if (info.id == kSceneId) return MakeScene(info);
  if (IsMask(info.id)) return MakeMask(info);
  if (IsSprite(info.id)) return MakeSprite(info, MakeMask(Info(info.id + 1)));
  return MakePlain(info);
}

}  // namespace

std::span<const BitmapResourceInfo> BitmapResourceTable() { return kBitmaps; }

const Surface& BitmapResource(int id) {
  // Node-based, so references handed out stay valid as more pictures are added.
  static std::map<int, Surface> cache;
  if (auto it = cache.find(id); it != cache.end()) return it->second;
  const BitmapResourceInfo& info = Info(id);
  return cache.emplace(id, Generate(info)).first->second;
}
