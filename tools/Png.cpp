#include "tools/Png.h"

#include <zlib.h>

#include <cstdint>
#include <fstream>
#include <vector>

#include "framework/Surface.h"

namespace {
void PutU32(std::vector<unsigned char>& out, std::uint32_t v) {
  for (int shift = 24; shift >= 0; shift -= 8) out.push_back(static_cast<unsigned char>(v >> shift));
}

void Chunk(std::ofstream& file, const char* type, const std::vector<unsigned char>& data) {
  std::vector<unsigned char> bytes;
  PutU32(bytes, static_cast<std::uint32_t>(data.size()));
  bytes.insert(bytes.end(), type, type + 4);
  bytes.insert(bytes.end(), data.begin(), data.end());
  uLong crc = crc32(0L, bytes.data() + 4, static_cast<uInt>(bytes.size() - 4));
  PutU32(bytes, static_cast<std::uint32_t>(crc));
  file.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
}
}  // namespace

bool WritePng(const Surface& s, const std::string& path) {
  std::vector<unsigned char> raw;
  raw.reserve(static_cast<std::size_t>(s.Height()) * (1 + 3 * s.Width()));
  for (int y = 0; y < s.Height(); ++y) {
    raw.push_back(0);  // no filter
    for (int x = 0; x < s.Width(); ++x) {
      TColor c = s.Pixel(x, y);
      raw.push_back(static_cast<unsigned char>(c >> 16));
      raw.push_back(static_cast<unsigned char>(c >> 8));
      raw.push_back(static_cast<unsigned char>(c));
    }
  }
  uLongf packedSize = compressBound(static_cast<uLong>(raw.size()));
  std::vector<unsigned char> packed(packedSize);
  if (compress2(packed.data(), &packedSize, raw.data(), static_cast<uLong>(raw.size()), 6) != Z_OK) return false;
  packed.resize(packedSize);

  std::ofstream file(path, std::ios::binary);
  if (!file) return false;
  static const unsigned char kSignature[8] = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
  file.write(reinterpret_cast<const char*>(kSignature), 8);
  std::vector<unsigned char> header;
  PutU32(header, static_cast<std::uint32_t>(s.Width()));
  PutU32(header, static_cast<std::uint32_t>(s.Height()));
  header.insert(header.end(), {8, 2, 0, 0, 0});  // 8-bit RGB, deflate, no filter, no interlace
  Chunk(file, "IHDR", header);
  Chunk(file, "IDAT", packed);
  Chunk(file, "IEND", {});
  return static_cast<bool>(file.flush());
}
