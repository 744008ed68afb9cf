// The autoplayer's pieces that the playthrough's scripts rely on: lines fetched only when the
// runner needs them, waits in a row written as one (and the headless clock under which a wait
// split into looks replays as that one wait), and a look ahead that leaves the game alone.
#include <gtest/gtest.h>

#include <stdlib.h>
#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <istream>
#include <sstream>
#include <string>
#include <vector>

#include "fishing/BiteBands.h"
#include "fishing/TackleSettings.h"
#include "fishing/Turistart.h"
#include "framework/Desktop.h"
#include "framework/UiObserver.h"
#include "platform/HeadlessPlatform.h"
#include "tests/tools/autoplay/Angler.h"
#include "tests/tools/autoplay/Lookahead.h"
#include "tests/tools/autoplay/ScriptFeed.h"
#include "tests/unit/FishingFixture.h"
#include "tools/ScriptRunner.h"

namespace {
TEST(AutoplayFeed, TheSourceIsAskedForALineOnlyWhenTheRunnerReadsOne) {
  int asked = 0;
  LineFeed feed([&asked]() -> std::optional<std::string> {
    if (asked == 2) return std::nullopt;
    return "wait " + std::to_string(++asked);
  });
  std::istream in(&feed);
  std::string line;
  ASSERT_TRUE(std::getline(in, line));
  EXPECT_EQ(line, "wait 1");
  EXPECT_EQ(asked, 1);
  ASSERT_TRUE(std::getline(in, line));
  EXPECT_EQ(line, "wait 2");
  EXPECT_EQ(asked, 2);
  EXPECT_FALSE(std::getline(in, line));
}

TEST(AutoplayFeed, WaitsInARowAreWrittenAsOne) {
  ScriptWriter script;
  for (const char* line : {"wait 10", "wait 20", "press 113", "wait 5", "# a note", "wait 5", "wait 1", "press 116"})
    script.Add(line);
  script.Add("wait 7");
  EXPECT_EQ(script.Text(), "wait 30\npress 113\nwait 5\n# a note\nwait 6\npress 116\nwait 7\n");
}

TEST(AutoplayAngler, TheMasterFishIsWorthMostThenTheBiggerFish) {
  const int best[] = {kMasterPattern, 24, 23, 22, 12, 11};
  for (std::size_t i = 0; i + 1 < std::size(best); ++i) EXPECT_GT(Worth(best[i]), Worth(best[i + 1])) << best[i];
  for (int small : {1, 2, 3}) {
    EXPECT_GT(Worth(11), Worth(small));
    EXPECT_GT(Worth(small), 0);
  }
  EXPECT_EQ(Worth(0), 0);  // a strike that hooks nothing
}

// Adds one to a value at each line it plays; reports the value once it has played three.
class CountingProbe : public Probe {
 public:
  explicit CountingProbe(int* value) : value_(value) {}
  std::optional<std::string> NextLine() override {
    if (lines_ == 3) return std::nullopt;
    ++lines_;
    ++*value_;
    return "wait 1";
  }
  std::string Report() override { return std::to_string(*value_); }

 private:
  int* value_;
  int lines_ = 0;
};

TEST(AutoplayLookahead, TheCopyReportsWhatItSawAndThisProcessIsUntouched) {
  int value = 1;
  std::string report;
  try {
    report = RunInCopy(std::make_unique<CountingProbe>(&value));
  } catch (const NowACopy&) {
    // The copy: plays its probe's lines to the end, where it reports and exits.
    for (int line = 0; line < 10; ++line) CopyLine();
    std::_Exit(3);
  }
  EXPECT_EQ(report, "4");
  EXPECT_EQ(value, 1);
  EXPECT_FALSE(InCopy());
}

// The player looks at the trip every `lookMs` (each look a wait of its own); the script keeps one
// wait for the whole stretch. Returns the trip's trace: every timer event, when, and the state.
class TraceKeeper : public UiObserver {
 public:
  bool Tracing() const override { return true; }
  void TraceLine(std::string_view line) override { lines.emplace_back(line); }
  std::vector<std::string> lines;
};
struct PlayedOut {};

std::vector<std::string> TraceOfATrip(std::uint64_t lookMs) {
  FreshTrip fresh;
  Equip(2, 1, 1, 1, 3);  // a slow rod: the bites run on while a strike waits for it
  gameState.items[kLandingNetItem].owned = 1;
  struct Move {
    int button;
    std::uint64_t thenMs;
  };
  // Cast, strike the settled float twice to bait the water, then cast and let the bites come.
  const Move moves[] = {{111, 2200}, {113, 1600}, {111, 2200}, {113, 1600}, {111, 90000}};
  std::size_t next = 0;
  std::uint64_t waitLeft = 0;
  TTuristart* trip = nullptr;
  HeadlessPlatform platform([&](HeadlessPlatform& p) -> std::optional<InputEvent> {
    if (waitLeft > 0) {
      const std::uint64_t look = std::min(waitLeft, lookMs);
      waitLeft -= look;
      p.BeginWait(look);
      return std::nullopt;
    }
    if (next == std::size(moves)) throw PlayedOut{};
    waitLeft = moves[next].thenMs;
    InputEvent e;
    e.kind = InputEvent::Kind::Command;
    e.target = trip;
    e.id = moves[next++].button;
    return e;
  });
  TraceKeeper trace;
  Desktop::Get().Install(platform, {600, 443});
  Desktop::Get().SetObserver(&trace);
  {
    TTuristart dialog(nullptr, 7);
    trip = &dialog;
    try {
      dialog.Execute();
    } catch (const PlayedOut&) {
    }
  }
  Desktop::Get().SetObserver(nullptr);
  Desktop::Get().Uninstall();
  return trace.lines;
}

TEST(AutoplayWaits, AWaitSplitIntoLooksReplaysAsOneWait) {
  const std::vector<std::string> oneWait = TraceOfATrip(1'000'000);
  // Bites came and went: the trace holds their steps and their strike windows.
  ASSERT_GT(oneWait.size(), 500u);
  EXPECT_TRUE(std::any_of(oneWait.begin(), oneWait.end(),
                          [](const std::string& l) { return l.find("strikeWindow=100") != std::string::npos; }));
  EXPECT_EQ(TraceOfATrip(10), oneWait);
  EXPECT_EQ(TraceOfATrip(7), oneWait);
}

// A directory of its own for a run of the whole program, which reads and writes tavo2.dat there.
class InFreshDirectory {
 public:
  InFreshDirectory() : before_(std::filesystem::current_path()) {
    char pattern[] = "/tmp/tavo2-autoplay-XXXXXX";
    dir_ = mkdtemp(pattern);
    std::filesystem::current_path(dir_);
  }
  ~InFreshDirectory() {
    std::filesystem::current_path(before_);
    std::filesystem::remove_all(dir_);
  }

 private:
  std::filesystem::path before_, dir_;
};

// The hardest strike of the playthrough: 丸湖's master fish with the cheapest rod, which strikes
// two seconds after the press, while the window that hooks the master lasts 550 ms after a long
// pause. Only a strike pressed well before the window opens lands it.
TEST(AutoplayAngler, LandsTheMasterFishWithTheSlowestRod) {
  FreshTrip fresh;
  InFreshDirectory dir;
  Equip(1, 1, 1, 1, 0);
  gameState.items[kLandingNetItem].owned = 1;
  gameState.items[kRodRestItem].owned = 1;
  ASSERT_EQ(StrikeDelayMs(), 2000);
  std::FILE* save = std::fopen("tavo2.dat", "wb");
  ASSERT_EQ(std::fwrite(&gameState, sizeof gameState, 1, save), 1u);
  std::fclose(save);

  constexpr std::uint64_t kGiveUpMs = 15 * 60 * 1000;
  Angler angler([] { return gameState.nushiPresent[1] == 0; });
  bool atTheLake = false;
  std::uint64_t lastLook = 0;
  LineFeed feed([&]() -> std::optional<std::string> {
    if (InCopy()) return CopyLine();
    try {
      Desktop& desktop = Desktop::Get();
      lastLook = desktop.Now();
      if (lastLook > kGiveUpMs) return std::nullopt;
      if (desktop.TopmostMessageBox()) return "answer ok";  // only the trip's goodbye
      if (!dynamic_cast<TDialog*>(desktop.TopLevels().back())) {
        if (atTheLake) return std::nullopt;  // back on the map: the end
        atTheLake = true;
        return "click 58 64";
      }
      return angler.Next();
    } catch (const NowACopy&) {
      return CopyLine();
    }
  });
  std::istream in(&feed);
  std::ostringstream out, err;
  EXPECT_EQ(ScriptRunner(in, out, err).Run(), 0) << err.str();
  if (InCopy()) std::_Exit(3);  // a copy ends in CopyLine
  EXPECT_EQ(gameState.nushiPresent[1], 0);
  EXPECT_EQ(gameState.nushiHeld[1], 1);
  EXPECT_LT(lastLook, kGiveUpMs) << "an angler that lets the master go by";
}
}  // namespace
