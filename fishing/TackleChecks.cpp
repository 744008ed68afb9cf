#include "fishing/TackleChecks.h"

#include "fishing/TackleSettings.h"
#include "fishing/TripVariables.h"
#include "fishing/Venue.h"

namespace {
struct MissingTackle {
  TackleCategory category;
  CastRefusal refusal;
};

constexpr MissingTackle kMissingTackle[] = {
    {kRod, {"竿を持っていません", "竿ぐらい準備せよ"}},
    {kFloat, {"浮きが付いていません", "浮きが無いとわかんない"}},
    {kHook, {"針が付いていません", "針なしでどうして釣れるの"}},
    {kLine, {"釣り糸が付いていません", "糸がなければどうするの"}},
};

constexpr CastRefusal kTired{"竿かけが無く疲れました。", "もう釣り終了"};
}  // namespace

std::optional<CastRefusal> FirstCastRefusal() {
  for (const MissingTackle& check : kMissingTackle)
    if (gameState.equipped[check.category] == 0) return check.refusal;
  if (fatigueSeconds > kFatigueLimitSeconds && !IsTournament()) return kTired;
  return std::nullopt;
}
