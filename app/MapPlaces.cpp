#include "app/MapPlaces.h"

#include "state/GameState.h"

namespace {
constexpr MapPlace kPlaces[] = {
    {Place::Home, 0, 14, 113, 300, 372, PlaceCondition::Always},
    {Place::TackleShop, 0, 134, 245, 267, 383, PlaceCondition::Always},
    {Place::FishShop, 0, 256, 343, 297, 375, PlaceCondition::Always},
    {Place::Master, 1, 146, 185, 12, 51, PlaceCondition::HomeStage},
    {Place::Master, 2, 246, 279, 48, 86, PlaceCondition::HomeStage},
    {Place::Master, 3, 332, 369, 140, 176, PlaceCondition::HomeStage},
    {Place::Master, 4, 449, 487, 179, 217, PlaceCondition::HomeStage},
    {Place::Master, 5, 534, 573, 204, 241, PlaceCondition::HomeStage},
    {Place::Water, 1, 14, 103, 21, 107, PlaceCondition::Always},
    {Place::Water, 2, 137, 246, 78, 163, PlaceCondition::Always},
    {Place::Water, 3, 271, 327, 187, 232, PlaceCondition::Always},
    {Place::Water, 4, 384, 483, 243, 320, PlaceCondition::Always},
    {Place::Water, 5, 521, 579, 271, 364, PlaceCondition::Always},
    {Place::Water, 0, 456, 578, 20, 117, PlaceCondition::Always},
    {Place::TournamentHouse, 0, 15, 125, 196, 261, PlaceCondition::TournamentHouseOpen},
    {Place::WorldButton, 0, 150, 200, 200, 250, PlaceCondition::ChampionStage},
};
}  // namespace

const MarkerPosition kMarkerPositions[6] = {{546, 32}, {55, 55}, {180, 120}, {290, 200}, {425, 285}, {555, 320}};

std::span<const MapPlace> MapPlaces() { return kPlaces; }

bool Contains(const MapPlace& p, int x, int y) { return x > p.left && x < p.right && y > p.top && y < p.bottom; }

TRect ClickRect(const MapPlace& p) { return {p.left + 1, p.top + 1, p.right, p.bottom}; }

bool AllMasterFishCaught() {
  for (int w = 0; w < kWaterCount; ++w)
    if (gameState.nushiPresent[w] != 0) return false;
  return true;
}

bool ConditionHolds(PlaceCondition condition) {
  const std::int32_t level = gameState.tournamentLevel;
  switch (condition) {
    case PlaceCondition::Always:
      return true;
    case PlaceCondition::HomeStage:
      return level < 7;
    case PlaceCondition::TournamentHouseOpen:
      return AllMasterFishCaught() && level < 7;
    case PlaceCondition::ChampionStage:
      return level == 6;
  }
  return false;
}
