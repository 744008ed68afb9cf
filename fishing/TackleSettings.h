#pragma once
#include <cstdint>

// Tackle categories as GameState::equipped indexes them.
enum TackleCategory : int { kRod = 1, kFloat = 2, kHook = 3, kLine = 4, kBait = 5 };

// Catalog indexes of the other gear that fishing looks at.
constexpr int kRodRestItem = 61;      // 竿かけ: no fatigue
constexpr int kLandingNetItem = 63;   // 玉網: big fish are landed

// What the equipped tackle does to the fishing, looked up by item number (any other number,
// nothing equipped included, takes the last column of its table).
int StrikeDelayMs();       // rod
int DipPeriodMs();         // float
int ReturnPeriodMs();      // float
int SinkLimitForBait();
int DissolvePeriodMs();    // bait
int BiteRollRangeForBait();
int StartingBaitThrown();  // bait

bool OwnsRodRest();
bool OwnsLandingNet();
