// A platform without a screen is never handed a composed one; one with a screen shows the new
// picture all through a blocking sleep.
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

// A real window's screen: what it was last given, and what it showed while the program slept.
class ScreenPlatform : public FramedPlatform {
 public:
  using FramedPlatform::FramedPlatform;
  void Present(const Surface& screen) override { shown = screen; }
  void Sleep(unsigned ms) override {
    shownAsleep = shown;
    HeadlessPlatform::Sleep(ms);
  }
  Surface shown, shownAsleep;
};

// On a command, draws its left half through its paint and its right half at once, then holds the
// picture, as the champion picture and the fish shop's greeting do.
class TPause : public TWindow {
 public:
  TPause() : TWindow(nullptr, "pause") { SetClientSize({40, 20}); }
  void Paint(TDC& dc, bool, const TRect&) override { dc.FillRect({0, 0, 20, 20}, left); }
  bool Dispatch(const Message& m) override {
    if (m.kind != Msg::Command) return false;
    left = Rgb(255, 0, 0);
    Invalidate(false);
    TClientDC(*this).FillRect({20, 0, 40, 20}, Rgb(0, 0, 255));
    Desktop::Get().Sleep(1000);
    return true;
  }
  TColor left = kFaceGrey;
};

TEST(Frames, ABlockingSleepShowsThePictureDrawnBeforeIt) {
  TPause* pause = nullptr;
  int step = 0;
  ScreenPlatform platform([&](HeadlessPlatform&) -> std::optional<InputEvent> {
    if (step++ > 0) throw 0;
    InputEvent command;
    command.kind = InputEvent::Kind::Command;
    command.target = pause;
    return command;
  });
  Desktop::Get().Install(platform, {100, 100});
  {
    TPause window;
    pause = &window;
    window.Create();
    try {
      Desktop::Get().RunLoop([] { return false; });
    } catch (int) {
    }
  }
  ASSERT_TRUE(platform.shownAsleep.Bounds().Contains({30, 10})) << "nothing was shown during the sleep";
  EXPECT_EQ(platform.shownAsleep.Pixel(10, 10), Rgb(255, 0, 0)) << "the paint due before the sleep";
  EXPECT_EQ(platform.shownAsleep.Pixel(30, 10), Rgb(0, 0, 255)) << "what was drawn just before the sleep";
  Desktop::Get().Uninstall();
}
}  // namespace
