// One full repaint of the map: the map picture, the master-fish markers and the status text,
// painted by the map window and the status bar as after a fishing trip; headless, no screen.
#include <benchmark/benchmark.h>

#include <unistd.h>

#include <cstdlib>
#include <filesystem>

#include "app/Map.h"
#include "app/StatusText.h"
#include "framework/Desktop.h"
#include "framework/Frame.h"
#include "platform/HeadlessPlatform.h"
#include "state/GameState.h"
#include "state/Reset.h"
#include "state/SaveFile.h"

namespace {
void BM_MapRepaint(benchmark::State& state) {
  // The map loads a saved game from the working directory: a new game, saved in a scratch one.
  char pattern[] = "/tmp/tavo2-bench-XXXXXX";
  const std::filesystem::path dir = mkdtemp(pattern);
  const std::filesystem::path old = std::filesystem::current_path();
  std::filesystem::current_path(dir);
  ResetGameState();
  WriteSaveFile(gameState, kSaveFileName);
  HeadlessPlatform platform([](HeadlessPlatform&) -> std::optional<InputEvent> { std::abort(); });
  Desktop& desktop = Desktop::Get();
  desktop.Install(platform, {600, 443});
  {
    TTavo2 map(nullptr);
    TDecoratedFrame frame(nullptr, "bench", &map);
    TStatusBar bar(&frame);
    statusBar = &bar;
    frame.AssignMenu("IDM_MENU1");
    frame.Insert(bar, TDecoratedFrame::Location::Bottom);
    frame.Create();
    desktop.PaintAll();
    for (auto _ : state) {
      map.Invalidate(true);
      desktop.PaintAll();  // the map, then the status bar its paint set the text of
    }
    statusBar = nullptr;
  }
  desktop.Uninstall();
  std::filesystem::current_path(old);
  std::filesystem::remove_all(dir);
}
BENCHMARK(BM_MapRepaint)->Unit(benchmark::kMicrosecond);
}  // namespace

BENCHMARK_MAIN();
