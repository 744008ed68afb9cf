#include "state/GameState.h"

#include <cstring>

GameState gameState{};

std::string_view ItemLine(const TackleItem& item, int line) {
  if (line < 0 || line >= kItemLineCount) return {};
  const char* text = item.lines[line];
  const void* nul = std::memchr(text, '\0', kItemLineBytes);
  const size_t length = nul ? static_cast<size_t>(static_cast<const char*>(nul) - text) : kItemLineBytes;
  return {text, length};
}
