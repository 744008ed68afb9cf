#include <vector>

#include "fishing/Turistart.h"
#include "fishing/WindowPlaces.h"
#include "framework/MessageBox.h"
#include "results/Kekka.h"
#include "tests/unit/DesktopFixture.h"
#include "tests/unit/FishingFixture.h"

namespace {
constexpr int kFishingTemplate = 7, kCatchResultTemplate = 8, kEnd = 115;
constexpr TSize kScreen{600, 443};
constexpr TSize kResult{238, 253};            // outer size of the catch result
const TRect kTrip = TRect::FromSize(0, 97, 368, 249);  // the fishing dialog where it opens

class TScreen : public TWindow {
 public:
  TScreen() : TWindow(nullptr, "screen") { SetClientSize(kScreen); }
};

class PlacesTest : public DesktopTest {
 protected:
  FreshTrip fresh_;
  TScreen screen_;
};
}  // namespace

TEST(FishingPlaces, ResultsCascadeBesideTheDialogIntoFreePlaces) {
  struct Case {
    const char* what;
    std::vector<TPoint> open;
    TPoint place;
  };
  const Case cases[] = {
      {"the first at the top", {}, {362, 0}},
      {"the next one step lower", {{362, 0}}, {362, 24}},
      {"a place freed by a closed result is taken again", {{362, 24}, {362, 48}}, {362, 0}},
      {"the last step that fits the screen", {{362, 0}, {362, 24}, {362, 48}, {362, 72}, {362, 96}, {362, 120},
                                              {362, 144}}, {362, 168}},
      {"all taken: the cascade starts over", {{362, 0}, {362, 24}, {362, 48}, {362, 72}, {362, 96}, {362, 120},
                                              {362, 144}, {362, 168}}, {362, 0}},
  };
  for (const Case& c : cases) EXPECT_EQ(CatchResultPlace(kResult, kTrip, kScreen, c.open), c.place) << c.what;
  EXPECT_EQ(FishingDialogPlace({368, 249}, kScreen), kTrip.TopLeft());
  // On a wider screen the results stand clear of the dialog.
  EXPECT_EQ(CatchResultPlace(kResult, kTrip, {800, 600}, {}), (TPoint{368, 0}));
}

TEST_F(PlacesTest, ResultsNeverHideTheSceneOrTheButtons) {
  screen_.Create();
  TTuristart trip(&screen_, kFishingTemplate);
  std::vector<TRect> results;
  TRect tripRect;
  std::vector<TRect> uncovered;  // the scene and the five buttons, on the screen
  Then([&](HeadlessPlatform&) -> std::optional<InputEvent> {
    tripRect = trip.ScreenOuterRect();
    const TPoint o = trip.ClientOrigin();
    uncovered.push_back(TRect::FromSize(o.x + 50, o.y + 10, 256, 128));
    for (const Control& c : trip.Controls()) uncovered.push_back(c.rect.Offset(o.x, o.y));
    for (int i = 0; i < 10; ++i) (new TKekka(&trip, kCatchResultTemplate))->Create();
    for (const TWindow* w : Desktop::Get().TopLevels())
      if (dynamic_cast<const TKekka*>(w)) results.push_back(w->ScreenOuterRect());
    return std::nullopt;
  });
  ThenCommand(&trip, kEnd);
  ThenAnswer(IDOK);
  trip.Execute();
  EXPECT_EQ(tripRect, kTrip);
  ASSERT_EQ(results.size(), 10u);
  ASSERT_EQ(uncovered.size(), 6u);
  for (const TRect& r : results) {
    EXPECT_EQ((TRect{0, 0, kScreen.cx, kScreen.cy}.Intersect(r)), r) << "off the screen at " << r.top;
    for (const TRect& u : uncovered) EXPECT_TRUE(r.Intersect(u).IsEmpty()) << "covers " << u.left << "," << u.top;
  }
  // Cascading: eight different places, then the ninth and tenth over the first two.
  for (std::size_t i = 1; i < 8; ++i) EXPECT_EQ(results[i].top, results[i - 1].top + 24);
  EXPECT_EQ(results[8].TopLeft(), results[0].TopLeft());
}
