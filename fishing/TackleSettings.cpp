#include "fishing/TackleSettings.h"

#include "state/GameState.h"

namespace {
struct ItemSetting {
  int item;
  int value;
};

// A setting per item number, with the value for every other number last.
template <int N>
struct SettingTable {
  ItemSetting rows[N];
  int otherwise;

  int For(int item) const {
    for (const ItemSetting& row : rows)
      if (row.item == item) return row.value;
    return otherwise;
  }
};

constexpr SettingTable<4> kStrikeDelay{{{5, 1}, {4, 100}, {3, 500}, {2, 1000}}, 2000};
constexpr SettingTable<2> kDipPeriod{{{1, 50}, {2, 30}}, 15};
constexpr SettingTable<2> kReturnPeriod{{{1, 110}, {2, 75}}, 30};
constexpr SettingTable<1> kSinkLimit{{{1, 30}}, 80};
constexpr SettingTable<3> kDissolvePeriod{{{4, 500}, {3, 1000}, {2, 2000}}, 5000};
constexpr SettingTable<1> kBiteRollRange{{{4, 10}}, 30};
constexpr SettingTable<1> kStartingBaitThrown{{{4, 1000}}, 0};

int Equipped(TackleCategory category) { return gameState.equipped[category]; }
}  // namespace

int StrikeDelayMs() { return kStrikeDelay.For(Equipped(kRod)); }
int DipPeriodMs() { return kDipPeriod.For(Equipped(kFloat)); }
int ReturnPeriodMs() { return kReturnPeriod.For(Equipped(kFloat)); }
int SinkLimitForBait() { return kSinkLimit.For(Equipped(kBait)); }
int DissolvePeriodMs() { return kDissolvePeriod.For(Equipped(kBait)); }
int BiteRollRangeForBait() { return kBiteRollRange.For(Equipped(kBait)); }
int StartingBaitThrown() { return kStartingBaitThrown.For(Equipped(kBait)); }

bool OwnsRodRest() { return gameState.items[kRodRestItem].owned != 0; }
bool OwnsLandingNet() { return gameState.items[kLandingNetItem].owned != 0; }
