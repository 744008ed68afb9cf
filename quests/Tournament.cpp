#include "quests/Tournament.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <limits>

#include "fishing/Turistart.h"
#include "framework/DC.h"
#include "results/Kekka2.h"
#include "shops/FishShop.h"
#include "state/GameState.h"
#include "state/ProcessValues.h"

// One rung of the ladder: played only at exactly its entry level, won by strictly more than its
// winning weight of ヘラブナ.
struct Tournament {
  int buttonId;
  int entryLevel;
  int venue;  // the water fished is venue - 10
  long winningTenthsKg;
  TPoint crown;
  const char* alreadyWon;
  const char* cannotEnter;  // nullptr: the first rung is open to everyone who got in
};

namespace {
constexpr int kCrownPicture = 42;
constexpr int kRulesTemplate = 13, kFishingTemplate = 7, kDayResultTemplate = 9;
constexpr int kCmRules = 116;
constexpr const char* kCaption = "ヘラ釣り大会";
constexpr double kYenPerKg = 100.0;

// From the bottom of the ladder up: the level after a win is the entry level + 1.
constexpr Tournament kLadder[] = {
    {115, 0, 11, 500, {15, 176}, "地区大会はすでに優勝しています。", nullptr},
    {114, 1, 12, 550, {15, 140}, "市町村大会はすでに優勝しています。", "地区大会に優勝しないと参加出来ません。"},
    {113, 2, 13, 600, {15, 103}, "都道府県大会はすでに優勝しています。", "市町村大会に優勝しないと参加出来ません。"},
    {112, 3, 14, 650, {15, 67}, "地方大会はすでに優勝しています。", "都道府県大会に優勝しないと参加出来ません。"},
    {111, 4, 10, 700, {15, 30}, "あなたは日本一です。", "地方大会に優勝しないと参加出来ません。"},
};

const Tournament& Rung(int buttonId) {
  return *std::find_if(std::begin(kLadder), std::end(kLadder),
                       [buttonId](const Tournament& t) { return t.buttonId == buttonId; });
}

// Before a tournament the creel is bought at 100 yen a kilogram, whatever the fish, truncated once
// on the new balance, which saturates at the limits of its type.
void SellCreelForTournament() {
  const double total = gameState.money + kYenPerKg * CreelWeight();
  constexpr double kLow = std::numeric_limits<int32_t>::min(), kHigh = std::numeric_limits<int32_t>::max();
  if (!std::isnan(total)) gameState.money = static_cast<int32_t>(std::clamp(std::trunc(total), kLow, kHigh));
  ClearCreel();
}
}  // namespace

DEFINE_RESPONSE_TABLE(TTaikai, TDialog,
                      RT::Command(111, &TTaikai::CmTournament<111>),
                      RT::Command(112, &TTaikai::CmTournament<112>),
                      RT::Command(113, &TTaikai::CmTournament<113>),
                      RT::Command(114, &TTaikai::CmTournament<114>),
                      RT::Command(115, &TTaikai::CmTournament<115>),
                      RT::Command(kCmRules, &TTaikai::CmRules))

TTaikai::TTaikai(TWindow* parent, int templateId) : TDialog(parent, templateId), crown_(kCrownPicture) {}

void TTaikai::Paint(TDC& dc, bool, const TRect&) {
  for (const Tournament& t : kLadder)
    if (gameState.tournamentLevel > t.entryLevel) DrawBitmap(dc, crown_, t.crown.x, t.crown.y);
}

template <int ButtonId>
void TTaikai::CmTournament() {
  Play(Rung(ButtonId));
}

void TTaikai::CmRules() {
  TDialog rules(this, kRulesTemplate);
  rules.Execute();
}

void TTaikai::Play(const Tournament& t) {
  const int32_t level = gameState.tournamentLevel;
  if (level > t.entryLevel) {
    MessageBox(t.alreadyWon, kCaption, MB_OK);
    return;
  }
  if (level < t.entryLevel) {
    if (t.cannotEnter) MessageBox(t.cannotEnter, kCaption, MB_OK);
    return;
  }
  if (MessageBox("釣れた魚を買っていいですか", "大会の前は魚をゼロ", MB_YESNO) != IDYES) return;
  SellCreelForTournament();
  selectedWater = t.venue;
  todayCarpWeight = 0.0;
  {
    TTuristart trip(this, kFishingTemplate);
    trip.Execute();
  }
  {
    TKekka2 dayResult(this, kDayResultTemplate);
    dayResult.Execute();
  }
  char text[400];  // "%6.1f" of any double fits
  // Every weight is a whole number of tenths, but their sum as a double is not: ten fish of 50.0 kg
  // in all can add up to a hair more. The verdict counts tenths.
  if (std::lround(todayCarpWeight * 10.0) > t.winningTenthsKg) {
    std::snprintf(text, sizeof text, "優勝しました。へら数は%6.1fKgでした。", todayCarpWeight);
    MessageBox(text, "やったぜ！優勝した", MB_OK);
    gameState.tournamentLevel = t.entryLevel + 1;
  } else {
    std::snprintf(text, sizeof text, "へらが釣れたのは%6.1fKgでした。", todayCarpWeight);
    MessageBox(text, "残念でした", MB_OK);
  }
  // The new crown shows at the menu's next paint.
}
