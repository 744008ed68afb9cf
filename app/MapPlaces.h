#pragma once
#include <cstdint>
#include <span>

#include "framework/Geometry.h"

// The places of the map: click rectangles with strict bounds (a point matches when
// left < x < right and top < y < bottom), tested one after another in this order.
enum class Place { Home, TackleShop, FishShop, Master, Water, TournamentHouse, WorldButton };
enum class PlaceCondition { Always, HomeStage, TournamentHouseOpen, ChampionStage };

struct MapPlace {
  Place place;
  int number;  // the master 1..5 or the water 0..5; 0 otherwise
  int left, right, top, bottom;
  PlaceCondition condition;
};

std::span<const MapPlace> MapPlaces();
bool Contains(const MapPlace& place, int x, int y);
// The pixels a click on the place may hit, as a half-open rectangle.
TRect ClickRect(const MapPlace& place);
bool ConditionHolds(PlaceCondition condition);

// Where the master-fish markers sit (top-left corners), per water.
struct MarkerPosition {
  int x, y;
};
extern const MarkerPosition kMarkerPositions[6];

// Whether every water's master fish has been caught (the tournament house is open).
bool AllMasterFishCaught();
