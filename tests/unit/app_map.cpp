#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <string>

#include "app/Map.h"
#include "framework/Resources.h"
#include "state/Reset.h"
#include "state/SaveFile.h"
#include "tests/unit/DesktopFixture.h"

namespace {
// The map painted from a saved game, in a directory of its own.
class MapPaintTest : public DesktopTest {
 protected:
  MapPaintTest() {
    char pattern[] = "/tmp/tavo2-map-XXXXXX";
    dir_ = mkdtemp(pattern);
    old_ = std::filesystem::current_path();
    std::filesystem::current_path(dir_);
    saved_ = gameState;
  }
  ~MapPaintTest() override {
    gameState = saved_;
    std::filesystem::current_path(old_);
    std::filesystem::remove_all(dir_);
  }

  // Saves a new game changed by edit, then paints a map window that loads it.
  const Surface& PaintMap(void (*edit)(GameState&)) {
    ResetGameState();
    edit(gameState);
    EXPECT_EQ(WriteSaveFile(gameState, kSaveFileName), WriteOutcome::Written);
    gameState = GameState{};
    map_ = std::make_unique<TTavo2>(nullptr);
    map_->SetClientSize({600, 400});
    map_->Create();
    map_->UpdateWindow();
    return map_->ClientSurface();
  }

  // The picture `id` lies at (x, y): sampled at a few of its pixels.
  static void ExpectBitmapAt(const Surface& s, int id, int x, int y) {
    const Surface& b = BitmapResource(id);
    for (auto [bx, by] : {std::pair{0, 0}, {b.Width() / 2, b.Height() / 2}, {b.Width() - 1, b.Height() - 1}})
      EXPECT_EQ(s.Pixel(x + bx, y + by), b.Pixel(bx, by)) << "bitmap " << id << " at " << bx << "," << by;
  }
  static void ExpectBackgroundAt(const Surface& s, int background, int x, int y) {
    EXPECT_EQ(s.Pixel(x + 8, y + 8), BitmapResource(background).Pixel(x + 8, y + 8)) << "at " << x << "," << y;
  }

  std::filesystem::path dir_, old_;
  GameState saved_;
  std::unique_ptr<TTavo2> map_;
};

constexpr int kMarkers[6][2] = {{546, 32}, {55, 55}, {180, 120}, {290, 200}, {425, 285}, {555, 320}};
}  // namespace

TEST_F(MapPaintTest, ANewGameShowsEveryMasterFishOnTheHomeMap) {
  const Surface& s = PaintMap([](GameState&) {});
  ExpectBitmapAt(s, 27, kMarkers[0][0], kMarkers[0][1]);
  for (int w = 1; w < 6; ++w) ExpectBitmapAt(s, 28, kMarkers[w][0], kMarkers[w][1]);
  ExpectBackgroundAt(s, 26, 15, 190);  // no tournament house yet
}

TEST_F(MapPaintTest, TheChampionSeesTheHouseTheCrownAndTheWorldButton) {
  const Surface& s = PaintMap([](GameState& g) {
    g.tournamentLevel = 6;
    for (auto& present : g.nushiPresent) present = 0;
  });
  for (auto [x, y] : kMarkers) ExpectBackgroundAt(s, 26, x, y);
  ExpectBitmapAt(s, 43, 15, 190);
  ExpectBitmapAt(s, 44, 140, 195);
  ExpectBitmapAt(s, 42, 44, 266);
}

TEST_F(MapPaintTest, TheWorldStageHasItsOwnMapWithoutTheTournamentHouse) {
  const Surface& s = PaintMap([](GameState& g) {
    g.tournamentLevel = 7;
    for (auto& present : g.nushiPresent) present = 0;
    g.nushiPresent[3] = 1;
  });
  ExpectBitmapAt(s, 28, kMarkers[3][0], kMarkers[3][1]);
  ExpectBackgroundAt(s, 45, kMarkers[1][0], kMarkers[1][1]);
  ExpectBackgroundAt(s, 45, 15, 190);
  ExpectBackgroundAt(s, 45, 140, 195);
}

TEST_F(MapPaintTest, OnlyAFlagOfExactlyOneDrawsAMarker) {
  const Surface& s = PaintMap([](GameState& g) {
    g.nushiPresent[1] = 2;  // a damaged flag in an otherwise sound file
    g.nushiPresent[2] = 0;
  });
  ExpectBackgroundAt(s, 26, kMarkers[1][0], kMarkers[1][1]);
  ExpectBackgroundAt(s, 26, kMarkers[2][0], kMarkers[2][1]);
  ExpectBitmapAt(s, 28, kMarkers[3][0], kMarkers[3][1]);
  ExpectBackgroundAt(s, 26, 15, 190);  // a flag of 2 is not "caught" either
}
