#pragma once
// The few zlib calls the game makes (the packed pictures, the runner's PNGs), for the web build:
// Emscripten's zlib is a port fetched at build time, so these are Debian's header-only stb
// inflater and deflater (libstb-dev) behind zlib's own names (zlib_stb.cpp).
#include <cstddef>

using Bytef = unsigned char;
using uLong = unsigned long;
using uLongf = uLong;
using uInt = unsigned int;

inline constexpr int Z_OK = 0;
inline constexpr int Z_DATA_ERROR = -3;
inline constexpr int Z_MEM_ERROR = -4;
inline constexpr int Z_BUF_ERROR = -5;

int uncompress(Bytef* dest, uLongf* destLen, const Bytef* source, uLong sourceLen);
int compress2(Bytef* dest, uLongf* destLen, const Bytef* source, uLong sourceLen, int level);
// stb's deflater uses fixed Huffman codes only: incompressible data grows by up to an eighth.
inline uLong compressBound(uLong sourceLen) { return sourceLen + sourceLen / 8 + 64; }
uLong crc32(uLong crc, const Bytef* buf, uInt len);
