// tavo2-soak RUNNER SECONDS [SEED]: the random-play soak. A monkey plays the game through the
// runner (the sanitized one under make soak) for SECONDS: it asks the runner which windows are open
// (the windows detail command) and picks at random among what can be done there — places of the map,
// spots and buttons of every dialog, any answer to every box, the menu, closing, waiting — and
// saves, quits and restarts at random, sometimes from a crafted save (late in the game, rich, near
// the day limit). After every step it checks the state: the creel counts 0..99, money and days
// stay in range and never wrap, every index is in range, and the save file is always 11236 bytes.
// The monkey's own generator is seeded (printed, to replay a run); the game's never is.
#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <map>
#include <optional>
#include <random>
#include <set>
#include <sstream>
#include <string>
#include <vector>

#include "app/MapPlaces.h"
#include "state/Catalog.h"
#include "state/GameState.h"
#include "state/Reset.h"

namespace fs = std::filesystem;

namespace {

constexpr int kMapWidth = 600, kMapHeight = 400;
constexpr int kMaxCreel = 99;
constexpr int kStepTimeoutMs = 120'000;
const char* const kAnswerNames[] = {"", "ok", "cancel", "", "", "", "yes", "no"};

struct Window {
  std::string kind, title;
  bool enabled = false, closeBox = false;
  int width = 0, height = 0;
  std::vector<int> buttons;
};

struct Failure {
  std::string why;
};

// The runner as a child process, talking through pipes.
class Runner {
 public:
  Runner(const std::string& binary, const fs::path& folder, const fs::path& log) {
    int in[2], out[2];
    if (::pipe(in) != 0 || ::pipe(out) != 0) throw Failure{"pipe"};
    pid_ = ::fork();
    if (pid_ == 0) {
      const int err = ::open(log.c_str(), O_WRONLY | O_CREAT | O_APPEND, 0644);
      if (::chdir(folder.c_str()) != 0 || err < 0 || ::dup2(in[0], 0) < 0 || ::dup2(out[1], 1) < 0 || ::dup2(err, 2) < 0)
        ::_exit(126);
      ::close(in[1]);
      ::close(out[0]);
      ::execl(binary.c_str(), binary.c_str(), static_cast<char*>(nullptr));
      ::_exit(127);
    }
    ::close(in[0]);
    ::close(out[1]);
    to_ = in[1];
    from_ = out[0];
  }
  ~Runner() {
    if (to_ >= 0) ::close(to_);
    if (from_ >= 0) ::close(from_);
    if (pid_ > 0) {
      ::kill(pid_, SIGKILL);
      ::waitpid(pid_, nullptr, 0);
    }
  }

  bool Send(const std::string& line) {
    const std::string text = line + "\n";
    return ::write(to_, text.data(), text.size()) == static_cast<ssize_t>(text.size());
  }
  // The next line of output; nullopt at its end. Fails when the runner says nothing for too long.
  std::optional<std::string> ReadLine() {
    while (true) {
      const size_t newline = buffer_.find('\n');
      if (newline != std::string::npos) {
        std::string line = buffer_.substr(0, newline);
        buffer_.erase(0, newline + 1);
        return line;
      }
      pollfd p{from_, POLLIN, 0};
      if (::poll(&p, 1, kStepTimeoutMs) <= 0) throw Failure{"the game hung: no output for 120 s"};
      char chunk[4096];
      const ssize_t n = ::read(from_, chunk, sizeof chunk);
      if (n <= 0) return std::nullopt;
      buffer_.append(chunk, static_cast<size_t>(n));
    }
  }
  void CloseInput() {
    ::close(to_);
    to_ = -1;
  }
  void Kill() { ::kill(pid_, SIGKILL); }
  // The exit status once it has ended.
  int Wait() {
    int status = 0;
    ::waitpid(pid_, &status, 0);
    pid_ = -1;
    return status;
  }

 private:
  pid_t pid_ = -1;
  int to_ = -1, from_ = -1;
  std::string buffer_;
};

std::string Unquote(const std::string& text, size_t& at) {
  std::string value;
  if (at >= text.size() || text[at] != '"') return value;
  for (++at; at < text.size() && text[at] != '"'; ++at) {
    if (text[at] == '\\' && at + 1 < text.size()) ++at;
    value += text[at];
  }
  ++at;
  return value;
}

Window ParseWindow(const std::string& line) {
  Window w;
  std::istringstream words(line);
  std::string word;
  words >> word >> w.kind;
  size_t at = line.find('"');
  w.title = Unquote(line, at);
  std::istringstream rest(line.substr(at));
  while (rest >> word) {
    if (word == "enabled") w.enabled = true;
    else if (word == "closebox") w.closeBox = true;
    else if (word == "size") rest >> w.width >> w.height;
    else if (word == "buttons") {
      rest >> word;
      std::istringstream ids(word);
      for (std::string id; std::getline(ids, id, ',');)
        if (id != "-") w.buttons.push_back(std::stoi(id));
    }
  }
  return w;
}

std::vector<long long> Numbers(const std::string& text) {
  std::vector<long long> values;
  std::istringstream in(text);
  for (std::string item; std::getline(in, item, ',');)
    if (!item.empty()) values.push_back(std::stoll(item));
  return values;
}

class Monkey {
 public:
  Monkey(std::string runner, fs::path folder, uint64_t seed) : runner_(std::move(runner)), folder_(std::move(folder)), random_(seed) {}
  void Play(std::chrono::seconds duration);
  void Report(std::ostream& out) const;

 private:
  int Roll(int n) { return std::uniform_int_distribution<int>(0, n - 1)(random_); }
  bool Chance(double p) { return std::uniform_real_distribution<double>(0, 1)(random_) < p; }
  void CraftSave();
  void Session();
  // Sends a command, then asks for the windows and the state; false when the game has ended.
  bool Step(Runner& runner, const std::string& command);
  std::string Choose();
  void CheckState(const std::map<std::string, std::string>& state);
  void CheckSaveFile(bool cleanExit);

  std::string runner_;
  fs::path folder_;
  std::mt19937_64 random_;
  std::ofstream replay_;
  std::vector<Window> windows_;
  std::string lastBox_, lastCommand_;
  std::optional<long long> lastDay_;
  bool startOverAnswered_ = false;

  long steps_ = 0, sessions_ = 0, days_ = 0, trips_ = 0, crafted_ = 0, saves_ = 0, kills_ = 0, scriptEnds_ = 0;
  std::map<std::string, long> dialogs_;
  std::set<std::string> boxes_;
};

void Monkey::CraftSave() {
  ResetGameState();
  GameState& g = gameState;
  g.tournamentLevel = Roll(8);
  for (int water = 0; water < kWaterCount; ++water) {
    g.nushiPresent[water] = static_cast<uint8_t>(Chance(g.tournamentLevel > 0 ? 0.1 : 0.5));
    g.nushiHeld[water] = static_cast<uint8_t>(!g.nushiPresent[water] && Chance(0.5));
  }
  // Often at the limit, where every sale must saturate.
  const int32_t moneys[] = {0, 1, 500, 4300, 99999, 2147483000, 2147483647, 2147483647, 2147483647};
  g.money = Chance(0.6) ? moneys[Roll(9)] : Roll(2000000);
  g.dayCount = Chance(0.2) ? 2147483647 - Roll(3) : Roll(1000);
  g.bestLevel = Roll(20);
  for (const CatalogEntry& entry : kTackleCatalog) g.items[entry.index].owned = static_cast<uint8_t>(Chance(0.5));
  // Mostly a full set of tackle, so that fish are caught and fought.
  const bool fullSet = Chance(0.7);
  for (int category = 1; category <= kEquippableCategories; ++category) {
    const int n = fullSet ? 1 + Roll(ItemCount(category)) : Roll(ItemCount(category) + 1);
    const int index = CatalogIndexOfItem(category, n);
    if (fullSet && index >= 0) g.items[index].owned = 1;
    if (n == 0 || (index >= 0 && IsOwned(g.items[index]))) g.equipped[category] = static_cast<uint8_t>(n);
  }
  std::ofstream(folder_ / "tavo2.dat", std::ios::binary | std::ios::trunc)
      .write(reinterpret_cast<const char*>(&g), sizeof g);
  ++crafted_;
}

void Monkey::Play(std::chrono::seconds duration) {
  const auto end = std::chrono::steady_clock::now() + duration;
  while (std::chrono::steady_clock::now() < end) Session();
}

void Monkey::Session() {
  ++sessions_;
  if (sessions_ > 1 && Chance(0.4)) CraftSave();
  // The replay of this session: its starting save and its commands.
  if (fs::exists(folder_ / "tavo2.dat")) fs::copy_file(folder_ / "tavo2.dat", folder_ / "replay-start.dat", fs::copy_options::overwrite_existing);
  else fs::remove(folder_ / "replay-start.dat");
  replay_ = std::ofstream(folder_ / "replay.script", std::ios::trunc);
  lastDay_.reset();
  Runner runner(runner_, folder_, folder_ / "runner.log");
  if (!Step(runner, "texts off")) throw Failure{"the game ended at once"};
  const int length = 20 + Roll(400);
  for (int step = 0; step < length; ++step) {
    if (Chance(0.003)) {  // a crash
      runner.Kill();
      runner.Wait();
      ++kills_;
      CheckSaveFile(false);
      return;
    }
    if (!Step(runner, Choose())) {
      const int status = runner.Wait();
      if (!WIFEXITED(status) || WEXITSTATUS(status) != 0)
        throw Failure{"the game failed (status " + std::to_string(status) + "); see runner.log"};
      ++saves_;
      CheckSaveFile(true);
      return;
    }
  }
  // The script ends: the runner leaves without the close query, saving nothing.
  runner.CloseInput();
  while (runner.ReadLine()) {
  }
  const int status = runner.Wait();
  if (!WIFEXITED(status) || WEXITSTATUS(status) != 0) throw Failure{"the game failed at the end of its script; see runner.log"};
  ++scriptEnds_;
  CheckSaveFile(true);
}

bool Monkey::Step(Runner& runner, const std::string& command) {
  ++steps_;
  lastCommand_ = command;
  replay_ << command << "\n" << std::flush;
  if (!runner.Send(command) || !runner.Send("windows detail") || !runner.Send("state")) {
    // The game may have ended on the command itself.
  }
  std::map<std::string, std::string> state;
  bool inWindows = false, inState = false, sawState = false;
  windows_.clear();
  while (std::optional<std::string> line = runner.ReadLine()) {
    if (inWindows) {
      if (*line == "end") inWindows = false;
      else windows_.push_back(ParseWindow(*line));
    } else if (inState) {
      if (*line == "end") {
        inState = false;
        sawState = true;
        break;
      }
      const size_t eq = line->find('=');
      state[line->substr(0, eq)] = line->substr(eq + 1);
    } else if (*line == "windows") {
      inWindows = true;
    } else if (*line == "state") {
      inState = true;
    } else if (line->rfind("open ", 0) == 0) {
      size_t at = 5;
      const std::string title = Unquote(*line, at);
      ++dialogs_[title];
      if (title == "だだ今、釣りしてます。") ++trips_;
    } else if (line->rfind("box ", 0) == 0) {
      size_t at = 4;
      lastBox_ = Unquote(*line, at);
      if (boxes_.size() < 2000) boxes_.insert(lastBox_);
    } else if (*line == "exit") {
      while (runner.ReadLine()) {
      }
      return false;
    }
  }
  if (!sawState) throw Failure{"the game stopped answering after: " + command + " (see runner.log)"};
  CheckState(state);
  CheckSaveFile(false);
  return true;
}

std::string Monkey::Choose() {
  const Window* top = windows_.empty() ? nullptr : &windows_.back();
  const Window* box = nullptr;
  const Window* modal = nullptr;
  std::vector<int> buttons;
  for (const Window& w : windows_) {
    if (w.kind == "box" && w.enabled) box = &w;
    if (w.kind == "modal" || w.kind == "box") modal = &w;
    if (w.enabled && w.kind != "box")
      buttons.insert(buttons.end(), w.buttons.begin(), w.buttons.end());
  }
  const auto wait = [&] {
    const int kind = Roll(10);
    const int ms = kind < 6 ? Roll(3000) : kind < 9 ? 3000 + Roll(60000) : 60000 + Roll(1200000);
    return "wait " + std::to_string(ms);
  };
  const auto click = [&](const char* verb, int width, int height) {
    return std::string(verb) + " " + std::to_string(Roll(std::max(width, 1))) + " " + std::to_string(Roll(std::max(height, 1)));
  };
  const auto closeTop = [&]() -> std::string { return top && (top->closeBox || top->kind == "frame") ? "close" : wait(); };

  if (box) {
    const int roll = Roll(100);
    std::vector<std::string> answers;
    for (int id : box->buttons)
      if (id > 0 && id < 8 && *kAnswerNames[id]) answers.push_back(kAnswerNames[id]);
    const bool startOver = lastBox_ == "初めから行いますか！";
    if (roll < 85 && !answers.empty()) {
      const std::string answer = answers[static_cast<size_t>(Roll(static_cast<int>(answers.size())))];
      startOverAnswered_ = startOver && answer == "yes";
      return "answer " + answer;
    }
    if (roll < 90) {
      const bool enter = Chance(0.5);
      startOverAnswered_ = startOver && enter;  // Enter is the default button, Yes
      return enter ? "key enter" : "key esc";
    }
    if (roll < 95) return "wait " + std::to_string(Roll(2000));
    return closeTop();
  }
  const int roll = Roll(100);
  if (modal && modal->title == "だだ今、釣りしてます。") {
    // Fishing runs on its clock: mostly its buttons and short waits, so that fish bite and fight.
    constexpr int kEndButton = 115;
    std::vector<int> playing;
    for (int id : buttons)
      if (id != kEndButton) playing.push_back(id);
    if (roll < 2 || (roll < 50 && playing.empty())) return "press " + std::to_string(kEndButton);
    if (roll < 50) return "press " + std::to_string(playing[static_cast<size_t>(Roll(static_cast<int>(playing.size())))]);
    if (roll < 92) return "wait " + std::to_string(50 + Roll(4000));
    if (roll < 96) return click("click", modal->width, modal->height);
    return closeTop();
  }
  if (modal) {
    if (roll < 45) return click("click", modal->width, modal->height);
    if (roll < 50) return click("rclick", modal->width, modal->height);
    if (roll < 72 && !buttons.empty()) return "press " + std::to_string(buttons[static_cast<size_t>(Roll(static_cast<int>(buttons.size())))]);
    if (roll < 77) return closeTop();
    if (roll < 82) return Chance(0.5) ? "key enter" : "key esc";
    return wait();
  }
  // The map.
  if (roll < 30) {
    const auto places = MapPlaces();
    const MapPlace& place = places[static_cast<size_t>(Roll(static_cast<int>(places.size())))];
    const int x = place.left + 1 + Roll(std::max(place.right - place.left - 1, 1));
    const int y = place.top + 1 + Roll(std::max(place.bottom - place.top - 1, 1));
    return "click " + std::to_string(x) + " " + std::to_string(y);
  }
  if (roll < 55) return click("click", kMapWidth, kMapHeight);
  if (roll < 58) return click("rclick", kMapWidth, kMapHeight);
  if (roll < 70) {
    const int menus[] = {55534, 55530, 55542, 55543};
    return "menu " + std::to_string(menus[Roll(4)]);
  }
  if (roll < 78 && !buttons.empty()) return "press " + std::to_string(buttons[static_cast<size_t>(Roll(static_cast<int>(buttons.size())))]);
  if (roll < 82) return closeTop();
  if (roll < 85) return Chance(0.5) ? "key enter" : "key esc";
  return wait();
}

void Monkey::CheckState(const std::map<std::string, std::string>& state) {
  const auto number = [&](const char* key) {
    const auto it = state.find(key);
    if (it == state.end()) throw Failure{std::string("the state has no ") + key};
    return std::stoll(it->second);
  };
  const auto in = [&](const char* key, long long value, long long low, long long high) {
    if (value < low || value > high)
      throw Failure{std::string(key) + " = " + std::to_string(value) + " is outside " + std::to_string(low) + ".." +
                    std::to_string(high) + " after: " + lastCommand_};
  };
  const long long creelCount = number("creelCount");
  in("creelCount", creelCount, 0, kMaxCreel);
  in("money", number("money"), 0, INT32_MAX);
  const long long day = number("dayCount");
  in("dayCount", day, 0, INT32_MAX);
  if (lastDay_ && day < *lastDay_ && !startOverAnswered_)
    throw Failure{"the day count went back from " + std::to_string(*lastDay_) + " to " + std::to_string(day) + " after: " + lastCommand_};
  if (lastDay_ && day == *lastDay_ + 1) ++days_;
  lastDay_ = day;
  startOverAnswered_ = false;
  in("tournamentLevel", number("tournamentLevel"), 0, 7);
  in("bestLevel", number("bestLevel"), 0, INT32_MAX);
  in("tripLevel", number("tripLevel"), 0, INT32_MAX);
  const long long water = number("selectedWater");
  if (!(water >= 0 && water <= 5) && !(water >= 10 && water <= 14)) in("selectedWater", water, 0, 5);
  in("selectedMaster", number("selectedMaster"), 0, 5);
  const std::vector<long long> equipped = Numbers(state.at("equipped"));
  for (int category = 1; category <= kEquippableCategories; ++category)
    in("equipped", equipped.at(static_cast<size_t>(category)), 0, ItemCount(category));
  for (const char* flags : {"nushiPresent", "nushiHeld", "nushiCaughtToday"})
    for (long long flag : Numbers(state.at(flags))) in(flags, flag, 0, 1);
  for (long long index : Numbers(state.at("owned"))) in("owned", index, 0, kCatalogSlots - 1);
  for (long long i = 0; i < creelCount; ++i) {
    const std::vector<long long> entry = Numbers(state.at("creel[" + std::to_string(i) + "]"));
    in("creel species", entry.at(0), 1, 6);
  }
}

void Monkey::CheckSaveFile(bool cleanExit) {
  for (const auto& e : fs::directory_iterator(folder_)) {
    const std::string name = e.path().filename().string();
    if (name.rfind("tavo2-damaged", 0) == 0) throw Failure{"the game kept a damaged save: " + name};
    if (cleanExit && name == "tavo2.dat.tmp") throw Failure{"a temporary file is left after the game ended"};
  }
  struct stat info;
  if (::stat((folder_ / "tavo2.dat").c_str(), &info) == 0 && info.st_size != static_cast<off_t>(sizeof(GameState)))
    throw Failure{"the save is " + std::to_string(info.st_size) + " bytes after: " + lastCommand_};
}

void Monkey::Report(std::ostream& out) const {
  out << "sessions " << sessions_ << " (ended by saving or quitting " << saves_ << ", by the end of their script "
      << scriptEnds_ << ", killed " << kills_ << "; started from a crafted save " << crafted_ << ")\n"
      << "steps " << steps_ << ", days " << days_ << ", fishing trips " << trips_ << ", distinct boxes " << boxes_.size()
      << "\ndialogs opened:";
  for (const auto& [title, count] : dialogs_) out << " " << title << " " << count << ";";
  out << "\n";
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 3 || argc > 4) {
    std::cerr << "usage: tavo2-soak RUNNER SECONDS [SEED]\n";
    return 2;
  }
  ::signal(SIGPIPE, SIG_IGN);  // a command sent as the game ends
  const std::string runner = fs::absolute(argv[1]).string();
  const long seconds = std::atol(argv[2]);
  const uint64_t seed = argc > 3 ? std::stoull(argv[3]) : std::random_device{}();
  std::cout << "seed " << seed << " (tavo2-soak RUNNER " << seconds << " " << seed << " replays it)" << std::endl;
  std::string pattern = (fs::temp_directory_path() / "tavo2-soak-XXXXXX").string();
  if (!::mkdtemp(pattern.data())) return 2;
  const fs::path folder = pattern;
  Monkey monkey(runner, folder, seed);
  try {
    monkey.Play(std::chrono::seconds(seconds));
  } catch (const Failure& failure) {
    monkey.Report(std::cout);
    std::ifstream log(folder / "runner.log");
    std::vector<std::string> lines;
    for (std::string line; std::getline(log, line);) lines.push_back(line);
    for (size_t i = lines.size() > 40 ? lines.size() - 40 : 0; i < lines.size(); ++i) std::cout << lines[i] << "\n";
    std::cout << "FAIL: " << failure.why << "\nreplay: cd " << folder
              << " && cp replay-start.dat tavo2.dat (if there) && RUNNER < replay.script\n";
    return 1;
  }
  monkey.Report(std::cout);
  std::cout << "PASS" << std::endl;
  fs::remove_all(folder);
  return 0;
}
