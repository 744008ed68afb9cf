#pragma once
#include <optional>
#include <string_view>

// Why a cast is refused: the message box's text and caption (CP932).
struct CastRefusal {
  std::string_view text;
  std::string_view caption;
};

// The first check a cast fails, in the order the player is told: rod, float, hook, line, then
// tiredness without a rod rest (never in a tournament). No bait is needed.
std::optional<CastRefusal> FirstCastRefusal();

constexpr int kFatigueLimitSeconds = 600;
