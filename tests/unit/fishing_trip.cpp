// The trip dialog on the desktop in a tournament: the countdown, the End refusal, the time limit,
// and the close box that ends even a tournament.
#include <string>
#include <vector>

#include "fishing/Turistart.h"
#include "framework/UiObserver.h"
#include "tests/unit/DesktopFixture.h"
#include "tests/unit/FishingFixture.h"

namespace {
class TournamentTripTest : public DesktopTest, public UiObserver {
 protected:
  TournamentTripTest() {
    Equip(3, 2, 1, 1, 2);
    selectedWater = 12;
    Desktop::Get().SetObserver(this);
  }
  ~TournamentTripTest() override { Desktop::Get().SetObserver(nullptr); }
  // Keeps the boxes, the closing, and the time column's texts below its heading.
  void BoxOpened(std::string_view text, std::string_view, unsigned) override { events.push_back("box " + std::string(text)); }
  void DialogClosed(const TWindow&) override { events.push_back("closed"); }
  void TextDrawn(const TWindow&, int x, int y, std::string_view text) override {
    if (x == 310 && y == 40) events.push_back("left [" + std::string(text) + "]");
  }

  int RunTrip() {
    TTuristart trip(nullptr, 7);
    trip_ = &trip;
    int result = -1;
    try {
      result = trip.Execute();
    } catch (const OutOfSteps&) {
    }
    return result;
  }
  void Then(InputEvent::Kind kind, int id = 0) {
    DesktopTest::Then([this, kind, id](HeadlessPlatform&) -> std::optional<InputEvent> {
      InputEvent e;
      e.kind = kind;
      e.target = trip_;
      e.id = id;
      return e;
    });
  }

  FreshTrip fresh_;
  std::vector<std::string> events;
  TTuristart* trip_ = nullptr;
};

TEST_F(TournamentTripTest, TheClockCountsDownAndEndsTheTournamentAtTwentyMinutes) {
  ThenWait(500);
  Then(InputEvent::Kind::Command, 115);  // refused: the trip goes on
  ThenAnswer(IDOK);
  Then(InputEvent::Kind::Command, 111);
  // The box's closing repainted the dialog and so restarted the clock: its ticks now fall at x500.
  ThenWait(1200 * 1000);
  ThenAnswer(IDOK);
  EXPECT_EQ(RunTrip(), IDCANCEL);
  EXPECT_EQ(elapsedSeconds, 1200);
  const std::vector<std::string> start{"left [1200 ]", "box 大会中で終了出来ません。", "left [1200 ]",
                                       "left [      ]", "left [1199]"};
  ASSERT_GT(events.size(), start.size());
  EXPECT_EQ(std::vector<std::string>(events.begin(), events.begin() + start.size()), start);
  const std::vector<std::string> end{"left [      ]", "left [0]", "box 大会終了です。", "closed"};
  EXPECT_EQ(std::vector<std::string>(events.end() - end.size(), events.end()), end);
  // The stop routine ran: the line is out and the trip's bait is forgotten.
  EXPECT_EQ(castPhase + baitThrown + actionState, 0);
}

TEST_F(TournamentTripTest, TheCloseBoxEndsEvenATournament) {
  Then(InputEvent::Kind::Command, 111);
  ThenWait(3000);
  Then(InputEvent::Kind::Close);
  ThenAnswer(IDOK);
  EXPECT_EQ(RunTrip(), IDCANCEL);
  const std::vector<std::string> end{"box 終了します。", "closed"};
  EXPECT_EQ(std::vector<std::string>(events.end() - end.size(), events.end()), end);
  EXPECT_EQ(castPhase, 0);
}
}  // namespace
