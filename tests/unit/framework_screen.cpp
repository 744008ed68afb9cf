// What reaches the player's screen: the frames a real window is given to present.
#include <gtest/gtest.h>

#include <optional>
#include <vector>

#include "framework/DC.h"
#include "framework/Desktop.h"
#include "framework/Dialog.h"
#include "platform/HeadlessPlatform.h"

namespace {
constexpr TColor kPainted = Rgb(10, 20, 30), kBlitted = Rgb(200, 100, 50);

// A headless platform that wants frames, as a real window does, and keeps the last one.
class FramePlatform : public HeadlessPlatform {
 public:
  using HeadlessPlatform::HeadlessPlatform;
  bool WantsFrames() const override { return true; }
  void Present(const Surface& screen) override {
    HeadlessPlatform::Present(screen);
    last = screen;
  }
  Surface last;
};

// Paints itself one colour; on its timer it draws a square through a client DC, outside any
// paint, as the fishing scene draws its float.
class TBlitter : public TWindow {
 public:
  TBlitter() : TWindow(nullptr, "blitter") { SetClientSize({600, 443}); }
  DECLARE_RESPONSE_TABLE(TBlitter);
  void Paint(TDC& dc, bool, const TRect&) override { dc.FillRect({0, 0, 600, 443}, kPainted); }
  void EvTimer(int) {
    KillTimer(1);
    Surface square(10, 10, kBlitted);
    TBitmap bitmap(std::move(square));
    TClientDC dc(*this);
    DrawBitmap(dc, bitmap, 40, 40);
  }
};
DEFINE_RESPONSE_TABLE(TBlitter, TWindow, RT::Timer(&TBlitter::EvTimer))

class ScreenTest : public ::testing::Test {
 protected:
  ScreenTest()
      : platform_([this](HeadlessPlatform& p) -> std::optional<InputEvent> {
          if (waits_-- <= 0) throw Done{};
          p.BeginWait(10);
          return std::nullopt;
        }) {
    Desktop::Get().Install(platform_, {600, 443});
  }
  ~ScreenTest() override { Desktop::Get().Uninstall(); }
  void RunFor(int waits) {
    waits_ = waits;
    try {
      Desktop::Get().RunLoop([] { return false; });
    } catch (const Done&) {
    }
  }
  TColor Shown(const TWindow& w, int x, int y) const {
    const TPoint o = w.ClientOrigin();
    return platform_.last.Pixel(o.x + x, o.y + y);
  }
  struct Done {};
  int waits_ = 0;
  FramePlatform platform_;
};
}  // namespace

TEST_F(ScreenTest, ABlitOutsideThePaintReachesTheScreen) {
  TBlitter w;
  w.Create();
  w.SetTimer(1, 5);
  RunFor(1);
  ASSERT_GE(platform_.Presents(), 1);
  EXPECT_EQ(Shown(w, 5, 5), kPainted);
  EXPECT_EQ(Shown(w, 45, 45), kBlitted) << "the blit was not presented";
}

TEST_F(ScreenTest, TheWindowOpenedLastIsShownOnTop) {
  TBlitter below;
  below.Create();
  TDialog above(nullptr, 3);  // a tool chooser: grey face, an OK button
  above.Create();
  RunFor(0);
  const TPoint o = above.ClientOrigin();
  const TPoint b = below.ClientOrigin();
  ASSERT_TRUE(below.ScreenClientRect().Contains({o.x + 2, o.y + 2})) << "the test wants the dialog over the window";
  EXPECT_EQ(platform_.last.Pixel(o.x + 2, o.y + 2), kFaceGrey);
  EXPECT_EQ(platform_.last.Pixel(b.x + 1, b.y + 1), kPainted);
  above.Destroy();
}
