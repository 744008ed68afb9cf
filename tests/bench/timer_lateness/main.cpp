// tavo2-timer-lateness [SECONDS [RECORD]]: how late window timers of 1, 15 and 20 ms are delivered in
// a real window (run it under Xvfb: tests/bench/run.sh), with the session record written to RECORD
// when given. Prints mean and 99th-percentile lateness.
#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <vector>

#include "app/SessionRecord.h"
#include "framework/Desktop.h"
#include "framework/Window.h"
#include "platform/GameWindow.h"

namespace {
// Records, for every tick, how long after its due time it arrived.
class TProbe : public TWindow {
 public:
  TProbe(GameWindowPlatform& platform, unsigned period) : TWindow(nullptr, "probe"), platform_(platform), period_(period) {
    SetClientSize({600, 443});
  }
  DECLARE_RESPONSE_TABLE(TProbe);
  void EvTimer(int id) {
    (void)id;
    const std::uint64_t due = *Desktop::Get().Timers().DeliveredDue();
    std::uint64_t now = platform_.NowMicroseconds();
    latenessUs.push_back(now > due * 1000 ? static_cast<double>(now - due * 1000) : 0.0);
  }
  void Paint(TDC&, bool, const TRect&) override {}
  std::vector<double> latenessUs;

 private:
  GameWindowPlatform& platform_;
  unsigned period_;
};
DEFINE_RESPONSE_TABLE(TProbe, TWindow, RT::Timer(&TProbe::EvTimer))
}  // namespace

int main(int argc, char** argv) {
  const double seconds = argc > 1 ? std::atof(argv[1]) : 3.0;
  GameWindowPlatform platform({600, 443}, {100, 50}, "timer lateness");
  RecordingPlatform recording(platform);
  if (argc > 2) recording.Start(std::make_unique<SessionRecord>(argv[2], StartSave{}, false));
  Desktop& desktop = Desktop::Get();
  desktop.Install(recording, {600, 443});
  std::printf("| period | ticks | mean lateness | p99 lateness |\n|---|---|---|---|\n");
  for (unsigned period : {1u, 15u, 20u}) {
    TProbe probe(platform, period);
    probe.Create();
    probe.SetTimer(1, period);
    const std::uint64_t end = desktop.Now() + static_cast<std::uint64_t>(seconds * 1000);
    desktop.RunLoop([&] { return desktop.Now() >= end; });
    probe.KillTimer(1);
    probe.Destroy();
    std::vector<double> late = probe.latenessUs;
    if (late.empty()) continue;
    double mean = 0;
    for (double v : late) mean += v;
    mean /= static_cast<double>(late.size());
    std::sort(late.begin(), late.end());
    double p99 = late[std::min(late.size() - 1, late.size() * 99 / 100)];
    std::printf("| %u ms | %zu | %.3f ms | %.3f ms |\n", period, late.size(), mean / 1000.0, p99 / 1000.0);
  }
  desktop.Uninstall();
  return 0;
}
