#pragma once
// Save-file bytes for the save tests of both systems: a recognisable pattern, and raw reads and
// writes that go around the code under test.
#include <cstddef>
#include <cstring>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "state/GameState.h"

using Bytes = std::vector<char>;

inline Bytes Pattern(std::size_t size, int seed) {
  Bytes bytes(size);
  for (std::size_t i = 0; i < size; ++i) bytes[i] = static_cast<char>(i * 31 + static_cast<std::size_t>(seed));
  return bytes;
}

inline GameState PatternState(int seed) {
  GameState s;
  std::memcpy(static_cast<void*>(&s), Pattern(sizeof s, seed).data(), sizeof s);
  return s;
}

inline bool SameBytes(const GameState& a, const GameState& b) { return std::memcmp(&a, &b, sizeof a) == 0; }

inline Bytes BytesOf(const GameState& s) {
  const auto* p = reinterpret_cast<const char*>(&s);
  return {p, p + sizeof s};
}

inline void WriteRaw(const std::string& path, const Bytes& bytes) {
  std::ofstream(path, std::ios::binary).write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
}

inline Bytes ReadRaw(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}
