#pragma once
#include <bit>
#include <cstddef>
#include <cstdint>
#include <string_view>

// The saved record. Its bytes are the save file, so the layout is fixed to the byte: packed, no
// padding, little-endian integers (some at odd offsets inside TackleItem). Read packed members by
// value; never take their address or bind a reference to them. That includes passing them to
// anything taking const T& (std::min, test assertions): copy first, as in int32_t{gameState.money}.

constexpr int kCategorySlots = 7;   // tackle categories 1..6; slot 0 unused
constexpr int kWaterCount = 6;      // water 0 is the pond, 1..5 the lakes
constexpr int kCatalogSlots = 70;   // catalog index = category * 10 + position
constexpr int kItemLineCount = 5;
constexpr int kItemLineBytes = 30;  // NUL-terminated, at most 29 bytes of text

#pragma pack(push, 1)
struct TackleItem {
  uint8_t owned;
  int32_t price;      // -1: not on sale
  int32_t sellPrice;  // -1: cannot be sold
  char lines[kItemLineCount][kItemLineBytes];
  uint8_t reservedTail;
};

struct GameState {
  uint8_t equipped[kCategorySlots];  // item number per category, 0 = nothing
  uint8_t reserved7;
  uint8_t nushiPresent[kWaterCount];
  uint8_t nushiHeld[kWaterCount];
  int32_t bestLevel;
  int32_t money;
  TackleItem items[kCatalogSlots];
  int32_t dayCount;
  int32_t tournamentLevel;
};
#pragma pack(pop)

static_assert(std::endian::native == std::endian::little, "the save file is the record's raw bytes");

static_assert(sizeof(TackleItem) == 160);
static_assert(offsetof(TackleItem, owned) == 0);
static_assert(offsetof(TackleItem, price) == 1);
static_assert(offsetof(TackleItem, sellPrice) == 5);
static_assert(offsetof(TackleItem, lines) == 9);
static_assert(offsetof(TackleItem, reservedTail) == 159);

static_assert(sizeof(GameState) == 11236);
static_assert(offsetof(GameState, equipped) == 0);
static_assert(offsetof(GameState, reserved7) == 7);
static_assert(offsetof(GameState, nushiPresent) == 8);
static_assert(offsetof(GameState, nushiHeld) == 14);
static_assert(offsetof(GameState, bestLevel) == 20);
static_assert(offsetof(GameState, money) == 24);
static_assert(offsetof(GameState, items) == 28);
static_assert(offsetof(GameState, dayCount) == 11228);
static_assert(offsetof(GameState, tournamentLevel) == 11232);

// The one record of the process; zero-filled until loading or the new-game reset runs.
extern GameState gameState;

// A display line of an entry, up to its NUL or the end of its field: a loaded file may carry lines
// without a terminator. line outside 0..4 gives an empty text.
std::string_view ItemLine(const TackleItem& item, int line);
