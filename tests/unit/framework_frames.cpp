// A platform without a screen is never handed a composed one.
#include "framework/DC.h"
#include "framework/Window.h"
#include "tests/unit/DesktopFixture.h"

namespace {
// The headless platform with a screen to show, as a real window has.
class FramedPlatform : public HeadlessPlatform {
 public:
  using HeadlessPlatform::HeadlessPlatform;
  bool WantsFrames() const override { return true; }
};

// Draws at every tick, so every turn of the loop has something new to show.
class TTicker : public TWindow {
 public:
  TTicker() : TWindow(nullptr, "ticker") { SetClientSize({50, 50}); }
  bool Dispatch(const Message& m) override {
    TClientDC(*this).FillRect({0, 0, 10, 10}, Rgb(++ticks, 0, 0));
    return m.kind == Msg::Timer;
  }
  int ticks = 0;
};

template <class ThePlatform>
int PresentsOfTwentyTicks() {
  int waits = 2;
  ThePlatform platform([&waits](HeadlessPlatform& p) -> std::optional<InputEvent> {
    if (waits-- == 0) throw 0;
    p.BeginWait(200);
    return std::nullopt;
  });
  Desktop::Get().Install(platform, {100, 100});
  {
    TTicker ticker;
    ticker.Create();
    ticker.SetTimer(1, 20);
    try {
      Desktop::Get().RunLoop([] { return false; });
    } catch (int) {
    }
    EXPECT_EQ(ticker.ticks, 20);
  }
  const int presents = platform.Presents();
  Desktop::Get().Uninstall();
  return presents;
}

TEST(Frames, OnlyAPlatformThatWantsFramesIsGivenThem) {
  EXPECT_GT(PresentsOfTwentyTicks<FramedPlatform>(), 20);
  EXPECT_EQ(PresentsOfTwentyTicks<HeadlessPlatform>(), 0);
}
}  // namespace
