#pragma once
#include <cstddef>
#include <cstdint>
#include <span>

// The pictures rendered from resources/art at build time, as tavo2-artpack packs them.
struct PackedPicture {
  int id;
  int width;
  int height;
  std::span<const std::uint32_t> palette;  // 0x00RRGGBB, at most 256 entries
  const char* pixels;                      // zlib stream: width × height palette indices, row by row
  std::size_t pixelBytes;
};

std::span<const PackedPicture> PackedPictures();  // ascending by id
