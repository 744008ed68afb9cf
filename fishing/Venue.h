#pragma once
#include "state/GameState.h"
#include "state/ProcessValues.h"

// Where the trip takes place. selectedWater is 0..5 for a water of the map and 10..14 for a
// tournament venue, which stands for the water 10 less.

constexpr int kTournamentVenueBase = 10;
constexpr int kTournamentSeconds = 1200;

inline bool IsTournament() { return selectedWater >= kTournamentVenueBase; }

// The water fished; it may lie outside 0..5, so check with IsWater before indexing by it.
inline int WaterFished() { return IsTournament() ? selectedWater - kTournamentVenueBase : selectedWater; }

inline bool IsWater(int water) { return water >= 0 && water < kWaterCount; }
