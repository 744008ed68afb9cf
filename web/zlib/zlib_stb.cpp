#include "zlib.h"

#include <cstdlib>
#include <cstring>

#define STB_IMAGE_IMPLEMENTATION
#define STBI_ONLY_PNG
#define STBI_NO_STDIO
#include <stb_image.h>
#define STB_IMAGE_WRITE_IMPLEMENTATION
#define STBI_WRITE_NO_STDIO
#include <stb_image_write.h>

int uncompress(Bytef* dest, uLongf* destLen, const Bytef* source, uLong sourceLen) {
  const int got = stbi_zlib_decode_buffer(reinterpret_cast<char*>(dest), static_cast<int>(*destLen),
                                          reinterpret_cast<const char*>(source), static_cast<int>(sourceLen));
  if (got < 0) return Z_DATA_ERROR;
  *destLen = static_cast<uLongf>(got);
  return Z_OK;
}

int compress2(Bytef* dest, uLongf* destLen, const Bytef* source, uLong sourceLen, int level) {
  int length = 0;
  unsigned char* packed =
      stbi_zlib_compress(const_cast<unsigned char*>(source), static_cast<int>(sourceLen), &length, level < 5 ? 5 : level);
  if (packed == nullptr) return Z_MEM_ERROR;
  const bool fits = static_cast<uLongf>(length) <= *destLen;
  if (fits) {
    std::memcpy(dest, packed, static_cast<std::size_t>(length));
    *destLen = static_cast<uLongf>(length);
  }
  STBIW_FREE(packed);
  return fits ? Z_OK : Z_BUF_ERROR;
}

uLong crc32(uLong crc, const Bytef* buf, uInt len) {
  static const auto table = [] {
    struct Table {
      unsigned long v[256];
    } t{};
    for (unsigned long n = 0; n < 256; ++n) {
      unsigned long c = n;
      for (int k = 0; k < 8; ++k) c = (c & 1) ? 0xEDB88320UL ^ (c >> 1) : c >> 1;
      t.v[n] = c;
    }
    return t;
  }();
  crc ^= 0xFFFFFFFFUL;
  for (uInt i = 0; i < len; ++i) crc = table.v[(crc ^ buf[i]) & 0xFF] ^ (crc >> 8);
  return crc ^ 0xFFFFFFFFUL;
}
