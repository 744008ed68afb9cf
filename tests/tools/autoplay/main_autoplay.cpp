// tavo2-autoplay DAY SCRIPT OUTPUT: plays one day of the game in the current directory (from its
// tavo2.dat, or a new game without one) and writes the day's script and the runner's output for
// it. Exit 0: the day is played and saved; 10: the world stage has been reached as well.
//
// The play goes through ScriptRunner itself: the runner reads its lines from a stream whose
// buffer asks the player for each next line, with the game live in this process; consecutive
// waits are merged in the script, as no input happens between them.
#include <cstring>
#include <fstream>
#include <iostream>
#include <istream>
#include <sstream>
#include <string>
#include <vector>

#include "state/GameState.h"
#include "tests/tools/autoplay/Lookahead.h"
#include "tests/tools/autoplay/Player.h"
#include "tests/tools/autoplay/ScriptFeed.h"
#include "tools/ScriptRunner.h"

namespace {
constexpr int kWorldLevel = 7;

template <std::size_t N>
std::string List(const std::uint8_t (&values)[N]) {
  std::string s;
  for (std::size_t i = 0; i < N; ++i) s += (i ? "," : "") + std::to_string(values[i]);
  return s;
}

// The header line that makes the test compare the saved file with a crafted one of this state.
std::string SaveCheck(const GameState& g) {
  std::string owned;
  for (int i = 0; i < kCatalogSlots; ++i)
    if (g.items[i].owned) owned += (owned.empty() ? "" : ",") + std::to_string(i);
  std::string line = "#! same-as-save equipped=" + List(g.equipped) + " nushiPresent=" + List(g.nushiPresent) +
                     " nushiHeld=" + List(g.nushiHeld) + " bestLevel=" + std::to_string(g.bestLevel) +
                     " money=" + std::to_string(g.money) + " dayCount=" + std::to_string(g.dayCount) +
                     " tournamentLevel=" + std::to_string(g.tournamentLevel);
  if (!owned.empty()) line += " owned=" + owned;
  return line + "\n";
}

bool SavedIsLive() {
  std::ifstream file("tavo2.dat", std::ios::binary);
  std::vector<char> bytes((std::istreambuf_iterator<char>(file)), std::istreambuf_iterator<char>());
  return bytes.size() == sizeof(GameState) && std::memcmp(bytes.data(), &gameState, sizeof(GameState)) == 0;
}
}  // namespace

int main(int argc, char** argv) {
  if (argc != 4) {
    std::cerr << "usage: tavo2-autoplay DAY SCRIPT OUTPUT\n";
    return 2;
  }
  Player player(std::stoi(argv[1]));
  ScriptWriter script;
  LineFeed feed([&]() -> std::optional<std::string> {
    if (InCopy()) return CopyLine();
    std::string line;
    try {
      line = player.Next();
    } catch (const NowACopy&) {
      return CopyLine();
    }
    script.Add(line);
    return line;
  });
  std::istream in(&feed);
  std::ostringstream out, err;
  const int code = ScriptRunner(in, out, err).Run();
  if (InCopy()) std::_Exit(71);  // a copy ends in CopyLine, never here
  if (code != 0 || !out.str().ends_with("exit\n")) {
    std::cerr << "autoplay: the runner stopped (" << code << "): " << err.str();
    return 1;
  }
  if (!SavedIsLive()) {
    std::cerr << "autoplay: tavo2.dat does not hold the game as it ended\n";
    return 1;
  }
  std::ofstream(argv[2]) << player.Heading() << SaveCheck(gameState) << script.Text();
  std::ofstream(argv[3]) << out.str();
  return gameState.tournamentLevel == kWorldLevel ? 10 : 0;
}
