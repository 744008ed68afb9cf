#include <zlib.h>

#include <array>
#include <cstdio>
#include <cstdlib>
#include <map>
#include <vector>

#include "framework/Resources.h"
#include "resources/art/Pictures.h"

// The pictures are drawn in resources/art and packed into the program by the build; this table
// is what the screens expect of them, and each picture is checked against it when first used.

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

[[noreturn]] void Fail(int id, const char* what) {
  std::fprintf(stderr, "tavo2: bitmap resource %d: %s\n", id, what);
  std::abort();
}

const BitmapResourceInfo& Info(int id) {
  for (const auto& info : kBitmaps)
    if (info.id == id) return info;
  std::fprintf(stderr, "tavo2: there is no bitmap resource %d\n", id);
  std::abort();
}

const PackedPicture& Packed(int id) {
  for (const PackedPicture& p : PackedPictures())
    if (p.id == id) return p;
  Fail(id, "no picture was built for it");
}

Surface Unpack(const BitmapResourceInfo& info) {
  const PackedPicture& p = Packed(info.id);
  if (p.width != info.width || p.height != info.height) Fail(info.id, "the picture has the wrong size");
  if (p.palette.size() > static_cast<std::size_t>(info.colors)) Fail(info.id, "the picture has too many colours");
  std::vector<unsigned char> indices(static_cast<std::size_t>(p.width) * static_cast<std::size_t>(p.height));
  uLongf size = static_cast<uLongf>(indices.size());
  const auto* packed = reinterpret_cast<const Bytef*>(p.pixels);
  if (uncompress(indices.data(), &size, packed, static_cast<uLong>(p.pixelBytes)) != Z_OK || size != indices.size())
    Fail(info.id, "the packed pixels are damaged");
  Surface s(p.width, p.height);
  std::size_t i = 0;
  for (int y = 0; y < p.height; ++y) {
    TColor* row = s.Row(y);
    for (int x = 0; x < p.width; ++x, ++i) {
      if (indices[i] >= p.palette.size()) Fail(info.id, "a pixel lies outside the palette");
      row[x] = p.palette[indices[i]];
    }
  }
  return s;
}

}  // namespace

std::span<const BitmapResourceInfo> BitmapResourceTable() { return kBitmaps; }

const Surface& BitmapResource(int id) {
  // Node-based, so references handed out stay valid as more pictures are unpacked.
  static std::map<int, Surface> cache;
  if (auto it = cache.find(id); it != cache.end()) return it->second;
  return cache.emplace(id, Unpack(Info(id))).first->second;
}
