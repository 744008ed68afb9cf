// Tournaments on creels no runner script can catch to the gram: the verdict's edge, what counts,
// the sale before the trip, and the crowns.
#include <string>
#include <vector>

#include "framework/UiObserver.h"
#include "quests/Tournament.h"
#include "shops/FishShop.h"
#include "state/GameState.h"
#include "state/ProcessValues.h"
#include "tests/unit/DesktopFixture.h"
#include "tests/unit/PictureAsserts.h"

namespace {
constexpr int kMenuTemplate = 11, kDayResultOk = 117, kCrown = 42;

class TournamentTest : public DesktopTest, UiObserver {
 protected:
  TournamentTest() : saved_(gameState) { Desktop::Get().SetObserver(this); }
  ~TournamentTest() override {
    Desktop::Get().SetObserver(nullptr);
    gameState = saved_;
    ClearCreel();
  }
  void BoxOpened(std::string_view text, std::string_view caption, unsigned) override {
    boxes_.push_back(std::string(caption) + ": " + std::string(text));
  }
  static void FillCreel(std::initializer_list<CreelEntry> fish) {
    ClearCreel();
    for (const CreelEntry& f : fish) creel[creelCount++] = f;
  }

  // Plays the tournament of button id: yes to the sale, then the trip's catch is `catch_` (put in
  // the creel while the trip is open), the trip is closed and the day result confirmed.
  void Play(int buttonId, std::initializer_list<CreelEntry> catch_) {
    ThenAnswer(IDYES);
    Then([this, catch_](HeadlessPlatform&) -> std::optional<InputEvent> {
      moneyAtTrip_ = gameState.money;
      creelAtTrip_ = creelCount;
      venue_ = selectedWater;
      FillCreel(catch_);
      InputEvent close;
      close.kind = InputEvent::Kind::Close;
      close.target = Desktop::Get().TopmostModal();
      return close;
    });
    ThenAnswer(IDOK);  // the trip's end
    Then([](HeadlessPlatform&) -> std::optional<InputEvent> {
      return CommandEvent(Desktop::Get().TopmostModal(), kDayResultOk);
    });
    ThenAnswer(IDOK);  // the verdict
    TTaikai menu(nullptr, kMenuTemplate);
    menu.SendCommand(buttonId);
  }

  GameState saved_;
  std::vector<std::string> boxes_;
  int32_t moneyAtTrip_ = 0, creelAtTrip_ = -1, venue_ = 0;
};

CreelEntry Carp(double kg) { return {5, 40.0, kg}; }
}  // namespace

TEST_F(TournamentTest, OnlyStrictlyMoreThanTheWinningWeightOfHeraWins) {
  struct Case {
    int level, button;
    std::initializer_list<CreelEntry> catch_;
    const char* verdict;
    int levelAfter, venue;
  } cases[] = {
      {0, 115, {Carp(25.0), Carp(25.0)}, "残念でした: へらが釣れたのは  50.0Kgでした。", 0, 11},
      {0, 115, {Carp(25.0), Carp(25.5)}, "やったぜ！優勝した: 優勝しました。へら数は  50.5Kgでした。", 1, 11},
      // Exactly the winning weight, though these ten add up to 50.000000000000014 as doubles.
      {0, 115, {Carp(6.2), Carp(6.2), Carp(6.2), Carp(6.2), Carp(6.2), Carp(6.2), Carp(6.2), Carp(2.2), Carp(2.2),
                Carp(2.2)},
       "残念でした: へらが釣れたのは  50.0Kgでした。", 0, 11},
      {1, 114, {Carp(55.0)}, "残念でした: へらが釣れたのは  55.0Kgでした。", 1, 12},
      {3, 112, {Carp(65.25)}, "やったぜ！優勝した: 優勝しました。へら数は  65.2Kgでした。", 4, 14},
      {4, 111, {Carp(70.0)}, "残念でした: へらが釣れたのは  70.0Kgでした。", 4, 10},
      {4, 111, {Carp(35.0), Carp(35.125)}, "やったぜ！優勝した: 優勝しました。へら数は  70.1Kgでした。", 5, 10},
      // Only ヘラブナ count: 80 kg of carp and crucian carp do not help 10 kg of ヘラブナ.
      {0, 115, {{6, 90.0, 40.0}, Carp(10.0), {4, 60.0, 40.0}}, "残念でした: へらが釣れたのは  10.0Kgでした。", 0, 11},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.verdict);
    boxes_.clear();
    gameState.tournamentLevel = c.level;
    Play(c.button, c.catch_);
    ASSERT_FALSE(boxes_.empty());
    EXPECT_EQ(boxes_.back(), c.verdict);
    EXPECT_EQ(int32_t{gameState.tournamentLevel}, c.levelAfter);
    EXPECT_EQ(venue_, c.venue);
    EXPECT_EQ(creelCount, static_cast<int32_t>(c.catch_.size())) << "the tournament's catch stays in the creel";
  }
}

TEST_F(TournamentTest, TheCreelIsBoughtAtAHundredYenAKiloTruncatedOnceOnTheNewBalance) {
  struct Case {
    int money;
    std::initializer_list<CreelEntry> creel;
    int moneyAfter;
  } cases[] = {
      {4300, {{1, 9.0, 1.5}, {5, 30.0, 2.5}}, 4700},
      {-10, {{3, 6.0, 0.015}}, -8},                  // -8.5 truncates towards zero
      {10, {{3, 6.0, 0.009}, {3, 6.0, 0.009}}, 11},  // 0.9 + 0.9: truncated once, not per fish
      {2147483600, {{6, 90.0, 40.0}}, 2147483647},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.money);
    gameState.tournamentLevel = 0;
    gameState.money = c.money;
    FillCreel(c.creel);
    Play(115, {});
    EXPECT_EQ(moneyAtTrip_, c.moneyAfter);
    EXPECT_EQ(creelAtTrip_, 0) << "the creel is empty when the trip starts";
  }
}

TEST_F(TournamentTest, ACrownHangsBesideEveryTournamentWon) {
  const TPoint crowns[] = {{15, 176}, {15, 140}, {15, 103}, {15, 67}, {15, 30}};  // district first
  for (int level : {0, 3, 5, 7}) {
    SCOPED_TRACE(level);
    gameState.tournamentLevel = level;
    TTaikai menu(nullptr, kMenuTemplate);
    menu.Create();
    menu.UpdateWindow();
    for (int won = 0; won < 5; ++won) {
      const bool crowned = PictureAt(menu.ClientSurface(), kCrown, crowns[won].x, crowns[won].y);
      EXPECT_EQ(crowned, won < level) << "tournament " << won;
    }
    menu.Destroy();
  }
}
