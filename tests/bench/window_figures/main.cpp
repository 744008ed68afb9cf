// tavo2-window-figures START_NS: figures of the game in a real window (run it under Xvfb in a folder
// holding a save file: tests/bench/run.sh). START_NS is CLOCK_REALTIME in nanoseconds just before
// the program was started. Prints, as table rows:
//  - the time from that moment to the first frame of the map, and the peak memory (maximum
//    resident set) at that frame, with the game started as main_game.cpp starts it;
//  - what presenting one frame costs at 1×, 2× and 3× (the scaled copy and its display).
#include <sys/resource.h>
#include <time.h>

#include <cstdio>
#include <cstdlib>
#include <optional>

#include "app/TavoApp.h"
#include "framework/Desktop.h"
#include "framework/Encoding.h"
#include "framework/Resources.h"
#include "platform/SdlPlatform.h"

namespace {
std::int64_t RealtimeNs() {
  timespec ts{};
  clock_gettime(CLOCK_REALTIME, &ts);
  return static_cast<std::int64_t>(ts.tv_sec) * 1'000'000'000 + ts.tv_nsec;
}

std::int64_t MonotonicNs() {
  timespec ts{};
  clock_gettime(CLOCK_MONOTONIC, &ts);
  return static_cast<std::int64_t>(ts.tv_sec) * 1'000'000'000 + ts.tv_nsec;
}

// Ends the game at its first frame, keeping the picture for the presentation figures.
class FirstFrame : public SdlPlatform {
 public:
  using SdlPlatform::SdlPlatform;
  void Present(const Surface& screen) override {
    SdlPlatform::Present(screen);
    if (shownAtNs) return;
    shownAtNs = RealtimeNs();
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    peakKiB = usage.ru_maxrss;
    picture = screen;
    Desktop::Get().Quit();
  }
  std::int64_t shownAtNs = 0;
  long peakKiB = 0;
  Surface picture;
};

double PresentMicroseconds(const Surface& picture, int scale) {
  SdlPlatform platform({kScreenWidth, kScreenHeight}, {0, 0}, "figures", scale);
  platform.Present(picture);  // the texture is made once
  constexpr int kFrames = 200;
  const std::int64_t start = MonotonicNs();
  for (int i = 0; i < kFrames; ++i) platform.Present(picture);
  return static_cast<double>(MonotonicNs() - start) / kFrames / 1000.0;
}
}  // namespace

int main(int argc, char** argv) {
  if (argc < 2) {
    std::fprintf(stderr, "usage: tavo2-window-figures START_NS\n");
    return 2;
  }
  const std::int64_t startNs = std::strtoll(argv[1], nullptr, 10);
  Surface picture;
  {
    FirstFrame platform({kScreenWidth, kScreenHeight}, {kFrameX, kFrameY}, AsChars(u8"ポムル Ver2.11"), 1);
    platform.SetIcon(IconResource(1));
    Desktop& desktop = Desktop::Get();
    desktop.Install(platform, {kScreenWidth, kScreenHeight});
    {
      TTavoApp app;
      app.Run();
    }
    desktop.Uninstall();
    std::printf("| start-up to the first frame of the map | %.1f ms |\n",
                static_cast<double>(platform.shownAtNs - startNs) / 1e6);
    std::printf("| peak memory at that frame (maximum resident set) | %.1f MiB |\n",
                static_cast<double>(platform.peakKiB) / 1024.0);
    picture = platform.picture;
  }
  for (int scale : {1, 2, 3})
    std::printf("| presenting one frame at %dx (%d x %d window) | %.2f ms |\n", scale, kScreenWidth * scale,
                kScreenHeight * scale, PresentMicroseconds(picture, scale) / 1000.0);
  return 0;
}
