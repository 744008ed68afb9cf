// tavo2-stress RUNNER HOLD_LIBRARY [KILLS [SEED]]
// The crash test. Plays a day headless and saves it, over and over, and kills the game: held just
// before or just after each call that touches the save (the HOLD_LIBRARY preloaded into it stops
// it there), and at random moments after such a call. After every run the save must be exactly
// the old or the new record (or, for the in-place rewrite, a short file the loader calls damaged),
// a link must still be a link, and at most one temporary file may be there; a run that ends by
// itself leaves none. Stops after KILLS kills (default 1000).
#include <fcntl.h>
#include <grp.h>
#include <pwd.h>
#include <signal.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdint>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <iterator>
#include <optional>
#include <stdexcept>
#include <random>
#include <string>
#include <thread>
#include <vector>

#include "state/GameState.h"

namespace fs = std::filesystem;

namespace {

using Bytes = std::vector<char>;
constexpr size_t kRecordBytes = sizeof(GameState);

struct Scenario {
  const char* name;
  bool linked;     // tavo2.dat is a link to saves/game.dat
  bool inPlace;    // an ordinary user's folder it may not write: the save is rewritten in place
  bool firstSave;  // no save yet: a new game's first save
};
constexpr Scenario kScenarios[] = {
    {"replace", false, false, false},
    {"link", true, false, false},
    {"in-place", false, true, false},
    {"first-save", false, false, true},
};

constexpr const char* kDay = "click 50 50\nclose\nanswer ok\nmenu 55534\nanswer yes\nanswer yes\n";
constexpr const char* kNewGame = "answer ok\nanswer ok\n";

Bytes ReadAll(const fs::path& path) {
  std::ifstream in(path, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

void WriteAll(const fs::path& path, const Bytes& bytes) {
  std::ofstream(path, std::ios::binary | std::ios::trunc).write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
}

// The record after one more day: the game adds one to dayCount and changes nothing else.
Bytes NextDay(Bytes record) {
  int32_t day;
  std::memcpy(&day, record.data() + offsetof(GameState, dayCount), sizeof day);
  ++day;
  std::memcpy(record.data() + offsetof(GameState, dayCount), &day, sizeof day);
  return record;
}

struct User {
  uid_t uid;
  gid_t gid;
};

class Stress {
 public:
  Stress(fs::path base, std::string runner, std::string library, std::optional<User> user)
      : base_(std::move(base)), runner_(std::move(runner)), library_(std::move(library)), user_(user) {}

  int Run(long wantedKills, uint64_t seed);

 private:
  struct Held {
    int scenario;
    long call;
    bool after;
  };
  enum class End { Finished, Killed };

  fs::path Dir(const Scenario& s) const { return base_ / s.name; }
  fs::path Record(const Scenario& s) const { return s.linked ? Dir(s) / "saves/game.dat" : Dir(s) / "tavo2.dat"; }
  void Prepare(const Scenario& s, const Bytes& record);
  pid_t Launch(const Scenario& s, long holdAt, bool after, const fs::path& countFile, bool startOnly = false,
               const fs::path& output = "/dev/null");
  bool Pairs(int count);
  bool StartClearsTheTemp(const Scenario& s);
  std::optional<int> Wait(pid_t pid, bool untilStopped);
  std::optional<End> Play(const Scenario& s, long holdAt, bool after, std::optional<int> randomDelayUs);
  bool Check(const Scenario& s, const Bytes& old, std::optional<End> end);
  bool Fail(const Scenario& s, const std::string& why);

  fs::path base_;
  std::string runner_, library_;
  std::optional<User> user_;
  std::mt19937_64 random_;
  Bytes reference_;  // a new game's record after its first day, as the game writes it
  long kills_ = 0, heldKills_ = 0, finished_ = 0, oldKept_ = 0, newSaved_ = 0, torn_ = 0;
};

void Stress::Prepare(const Scenario& s, const Bytes& record) {
  const fs::path dir = Dir(s);
  fs::create_directories(dir);
  if (s.linked) {
    fs::create_directories(dir / "saves");
    fs::create_symlink("saves/game.dat", dir / "tavo2.dat");
  }
  if (!s.firstSave) WriteAll(Record(s), record);
  if (s.linked) fs::permissions(Record(s), fs::perms::owner_read | fs::perms::owner_write);
  if (s.inPlace) {
    if (user_) {
      if (::chown(dir.c_str(), user_->uid, user_->gid) != 0 || ::chown(Record(s).c_str(), user_->uid, user_->gid) != 0)
        throw std::runtime_error("cannot give the in-place folder to the ordinary user");
    }
    fs::permissions(dir, fs::perms::owner_read | fs::perms::owner_exec | fs::perms::group_read |
                             fs::perms::group_exec | fs::perms::others_read | fs::perms::others_exec);
  }
}

pid_t Stress::Launch(const Scenario& s, long holdAt, bool after, const fs::path& countFile, bool startOnly,
                     const fs::path& output) {
  const char* name = startOnly ? "start.script" : s.firstSave ? "new-game.script" : "day.script";
  const std::string script = (base_ / name).string();
  const pid_t pid = ::fork();
  if (pid != 0) return pid;
  const int in = ::open(script.c_str(), O_RDONLY);
  const int out = ::open(output.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
  if (in < 0 || out < 0 || ::dup2(in, 0) < 0 || ::dup2(out, 1) < 0 || ::dup2(out, 2) < 0) ::_exit(120);
  if (s.inPlace && user_ &&
      (::setgroups(0, nullptr) != 0 || ::setgid(user_->gid) != 0 || ::setuid(user_->uid) != 0))
    ::_exit(121);
  if (::chdir(Dir(s).c_str()) != 0) ::_exit(122);
  ::setenv("LD_PRELOAD", library_.c_str(), 1);
  if (holdAt > 0) ::setenv("TAVO2_HOLD_AT", std::to_string(holdAt).c_str(), 1);
  if (after) ::setenv("TAVO2_HOLD_WHEN", "after", 1);
  if (!countFile.empty()) ::setenv("TAVO2_HOLD_COUNT", countFile.c_str(), 1);
  ::execl(runner_.c_str(), runner_.c_str(), static_cast<char*>(nullptr));
  ::_exit(123);
}

// The wait status once the child has stopped (untilStopped) or ended; nullopt after 20 s.
std::optional<int> Stress::Wait(pid_t pid, bool untilStopped) {
  const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(20);
  while (std::chrono::steady_clock::now() < deadline) {
    int status = 0;
    const pid_t got = ::waitpid(pid, &status, WNOHANG | (untilStopped ? WUNTRACED : 0));
    if (got == pid) return status;
    std::this_thread::sleep_for(std::chrono::microseconds(200));
  }
  ::kill(pid, SIGKILL);
  ::waitpid(pid, nullptr, 0);
  return std::nullopt;
}

// One run: held at call holdAt and killed there, or let go again and killed randomDelayUs later,
// or (holdAt 0) left alone. nullopt when the run went wrong by itself.
std::optional<Stress::End> Stress::Play(const Scenario& s, long holdAt, bool after, std::optional<int> randomDelayUs) {
  const pid_t pid = Launch(s, holdAt, after, {});
  std::optional<int> status = Wait(pid, holdAt > 0);
  if (status && WIFSTOPPED(*status)) {
    if (randomDelayUs) {
      ::kill(pid, SIGCONT);
      std::this_thread::sleep_for(std::chrono::microseconds(*randomDelayUs));
    }
    ::kill(pid, SIGKILL);
    status = Wait(pid, false);
  }
  if (!status) return std::nullopt;
  if (WIFSIGNALED(*status) && WTERMSIG(*status) == SIGKILL) return End::Killed;
  if (WIFEXITED(*status) && WEXITSTATUS(*status) == 0) return End::Finished;
  return std::nullopt;
}

bool Stress::Fail(const Scenario& s, const std::string& why) {
  std::cerr << "FAIL (" << s.name << "): " << why << "\n";
  return false;
}

bool Stress::Check(const Scenario& s, const Bytes& old, std::optional<End> end) {
  if (!end) return Fail(s, "the game failed or hung by itself");
  if (*end == End::Killed) ++kills_;
  else ++finished_;

  // Only the save, its lock, one temporary file, and the link's folder may be there.
  int temps = 0;
  for (const fs::path& dir : {Dir(s), Dir(s) / "saves"}) {
    if (!fs::exists(dir)) continue;
    for (const auto& e : fs::directory_iterator(dir)) {
      const std::string name = e.path().filename().string();
      if (name.find(".tmp") != std::string::npos) ++temps;
      else if (name != "tavo2.dat" && name != "tavo2.dat.lock" && name != "saves" && name != "game.dat")
        return Fail(s, "unexpected file " + e.path().string());
    }
  }
  if (temps > (*end == End::Killed ? 1 : 0))
    return Fail(s, std::to_string(temps) + " temporary files after a " + (*end == End::Killed ? "kill" : "finished run"));
  if (s.linked && (!fs::is_symlink(Dir(s) / "tavo2.dat") || fs::read_symlink(Dir(s) / "tavo2.dat") != "saves/game.dat"))
    return Fail(s, "tavo2.dat is no longer the link");
  if (s.linked && fs::status(Record(s)).permissions() != (fs::perms::owner_read | fs::perms::owner_write))
    return Fail(s, "the linked save lost its permissions");

  const bool exists = fs::exists(Record(s));
  const Bytes now = exists ? ReadAll(Record(s)) : Bytes{};
  const Bytes next = s.firstSave ? reference_ : NextDay(old);
  if (exists && now == next) {
    ++newSaved_;
  } else if (*end == End::Finished) {
    return Fail(s, "a run that finished did not save the next day");
  } else if (s.firstSave ? !exists : now == old) {
    ++oldKept_;
  } else if (s.inPlace && now.size() < kRecordBytes) {
    ++torn_;  // the loader takes it for damaged; put the old record back for the next run
    WriteAll(Record(s), old);
  } else {
    return Fail(s, "the save is neither the old nor the new record (" + std::to_string(now.size()) + " bytes)");
  }
  if (*end == End::Killed && !StartClearsTheTemp(s)) return false;
  if (s.firstSave) fs::remove(Record(s));
  return true;
}

// Two copies started together in one folder, each playing a day and saving it: one is refused, or
// the second starts after the first has ended and plays on from its save. Either way no day is
// lost: the save ends with one more day per copy that played.
bool Stress::Pairs(int count) {
  const Scenario& s = kScenarios[0];
  int refused = 0;
  for (int pair = 0; pair < count; ++pair) {
    const Bytes old = ReadAll(Record(s));
    const fs::path outputs[2] = {base_ / "copy1.out", base_ / "copy2.out"};
    const pid_t pids[2] = {Launch(s, 0, false, {}, false, outputs[0]), Launch(s, 0, false, {}, false, outputs[1])};
    Bytes expected = old;
    for (int copy = 0; copy < 2; ++copy) {
      const std::optional<int> status = Wait(pids[copy], false);
      const Bytes output = ReadAll(outputs[copy]);
      // The refused copy's box is not what the script expects, so the runner stops there.
      if (std::string(output.begin(), output.end()).find("このフォルダーではもうポムルが動いています") != std::string::npos)
        ++refused;
      else if (status && WIFEXITED(*status) && WEXITSTATUS(*status) == 0)
        expected = NextDay(expected);
      else
        return Fail(s, "a copy of a pair failed");
    }
    if (ReadAll(Record(s)) != expected) return Fail(s, "two copies in one folder lost a day");
  }
  std::cout << "pairs started together " << count << ": a copy refused in " << refused << ", no day lost\n";
  return true;
}

// After a kill: a start that does not save leaves no temporary file, and the save as it was.
bool Stress::StartClearsTheTemp(const Scenario& s) {
  const bool existed = fs::exists(Record(s));
  const Bytes before = existed ? ReadAll(Record(s)) : Bytes{};
  const std::optional<int> status = Wait(Launch(s, 0, false, {}, true), false);
  if (!status || !WIFEXITED(*status) || WEXITSTATUS(*status) != 0) return Fail(s, "a start after a kill failed");
  for (const fs::path& temp : {Dir(s) / "tavo2.dat.tmp", Dir(s) / "saves/game.dat.tmp"})
    if (fs::exists(fs::symlink_status(temp))) return Fail(s, "the start after a kill left " + temp.string());
  if (fs::exists(Record(s)) != existed || (existed && ReadAll(Record(s)) != before))
    return Fail(s, "the start after a kill changed the save");
  return true;
}

int Stress::Run(long wantedKills, uint64_t seed) {
  random_.seed(seed);
  std::ofstream(base_ / "day.script") << kDay;
  std::ofstream(base_ / "new-game.script") << kNewGame << kDay;
  std::ofstream(base_ / "start.script") << "";

  std::vector<int> scenarios;
  for (int i = 0; i < static_cast<int>(std::size(kScenarios)); ++i) {
    if (kScenarios[i].inPlace && ::geteuid() == 0 && !user_) {
      std::cout << "SKIP in-place: running as root and cannot become the user nobody\n";
      continue;
    }
    scenarios.push_back(i);
  }

  const Scenario& first = kScenarios[std::size(kScenarios) - 1];
  Prepare(first, {});
  if (Play(first, 0, false, std::nullopt) != End::Finished || !fs::exists(Record(first)))
    return Fail(first, "the game does not save a new game"), 1;
  reference_ = ReadAll(Record(first));
  fs::remove(Record(first));
  if (reference_.size() != kRecordBytes) return Fail(first, "the saved record has the wrong size"), 1;

  // Each scenario once to the end, counting the calls that touch the save: the held points.
  std::vector<long> callCount(std::size(kScenarios), 0);
  std::vector<Held> plan;
  for (int i : scenarios) {
    const Scenario& s = kScenarios[i];
    if (!s.firstSave) Prepare(s, reference_);
    const fs::path countFile = base_ / "count";
    const Bytes old = s.firstSave ? Bytes{} : ReadAll(Record(s));
    const pid_t pid = Launch(s, 0, false, countFile);
    const std::optional<int> status = Wait(pid, false);
    const bool finished = status && WIFEXITED(*status) && WEXITSTATUS(*status) == 0;
    if (!Check(s, old, finished ? std::optional(End::Finished) : std::nullopt)) return 1;
    std::ifstream(countFile) >> callCount[i];
    if (callCount[i] <= 0) return Fail(s, "the preloaded library saw no call touching the save"), 1;
    for (long call = 1; call <= callCount[i]; ++call)
      for (bool after : {false, true}) plan.push_back({i, call, after});
  }
  std::shuffle(plan.begin(), plan.end(), random_);

  size_t next = 0;
  while (kills_ < wantedKills) {
    int i;
    std::optional<End> end;
    Bytes old;
    if (next < plan.size()) {
      const Held held = plan[next++];
      i = held.scenario;
      old = kScenarios[i].firstSave ? Bytes{} : ReadAll(Record(kScenarios[i]));
      end = Play(kScenarios[i], held.call, held.after, std::nullopt);
      if (end == End::Killed) ++heldKills_;
    } else {
      i = scenarios[std::uniform_int_distribution<size_t>(0, scenarios.size() - 1)(random_)];
      const long call = std::uniform_int_distribution<long>(1, callCount[i])(random_);
      const int delayUs = std::uniform_int_distribution<int>(0, 1500)(random_);
      old = kScenarios[i].firstSave ? Bytes{} : ReadAll(Record(kScenarios[i]));
      end = Play(kScenarios[i], call, false, delayUs);
    }
    if (!Check(kScenarios[i], old, end)) return 1;
  }
  if (!Pairs(static_cast<int>(wantedKills / 5))) return 1;
  // A last run of each, left alone, clears whatever temporary file the kills left.
  for (int i : scenarios) {
    const Bytes old = kScenarios[i].firstSave ? Bytes{} : ReadAll(Record(kScenarios[i]));
    if (!Check(kScenarios[i], old, Play(kScenarios[i], 0, false, std::nullopt))) return 1;
  }

  std::cout << "kills " << kills_ << " (held at a call " << heldKills_ << ", random " << kills_ - heldKills_
            << "), runs that finished " << finished_ << "\n"
            << "after a kill or a finished run: the new record " << newSaved_ << ", the old record " << oldKept_
            << ", a short file from an in-place rewrite " << torn_ << "\n"
            << "calls touching the save per run:";
  for (int i : scenarios) std::cout << " " << kScenarios[i].name << " " << callCount[i];
  std::cout << "\nPASS\n";
  return 0;
}

// Whether a child can become the user (root in a container may not).
bool CanBecome(const User& user) {
  const pid_t pid = ::fork();
  if (pid == 0)
    ::_exit(::setgroups(0, nullptr) == 0 && ::setgid(user.gid) == 0 && ::setuid(user.uid) == 0 && ::geteuid() != 0 ? 0 : 1);
  int status = 1;
  ::waitpid(pid, &status, 0);
  return WIFEXITED(status) && WEXITSTATUS(status) == 0;
}

int Main(const std::string& runner, const std::string& library, long kills, uint64_t seed) {
  std::string pattern = (fs::temp_directory_path() / "tavo2-stress-XXXXXX").string();
  if (!::mkdtemp(pattern.data())) {
    std::cerr << "cannot make a folder in " << fs::temp_directory_path() << "\n";
    return 2;
  }
  const fs::path base = pattern;
  // Copies the ordinary user can run, whatever folder the build is in.
  fs::permissions(base, fs::perms::owner_all | fs::perms::group_read | fs::perms::group_exec |
                            fs::perms::others_read | fs::perms::others_exec);
  fs::copy_file(runner, base / "runner");
  fs::copy_file(library, base / "hold.so");
  std::optional<User> user;
  if (::geteuid() == 0)
    if (const passwd* nobody = ::getpwnam("nobody"); nobody && nobody->pw_uid != 0)
      if (const User candidate{nobody->pw_uid, nobody->pw_gid}; CanBecome(candidate)) user = candidate;

  int result = 2;
  try {
    result = Stress(base, (base / "runner").string(), (base / "hold.so").string(), user).Run(kills, seed);
  } catch (const std::exception& e) {
    std::cerr << "FAIL: " << e.what() << "\n";
  }
  if (result == 0) {
    for (const auto& e : fs::recursive_directory_iterator(base))
      if (e.is_directory() && !e.is_symlink()) fs::permissions(e.path(), fs::perms::owner_all, fs::perm_options::add);
    fs::remove_all(base);
  } else {
    std::cerr << "the folders are kept in " << base << "\n";
  }
  return result;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 3 || argc > 5) {
    std::cerr << "usage: tavo2-stress RUNNER HOLD_LIBRARY [KILLS [SEED]]\n";
    return 2;
  }
  const long kills = argc > 3 ? std::atol(argv[3]) : 1000;
  const uint64_t seed = argc > 4 ? std::stoull(argv[4]) : std::random_device{}();
  std::cout << "seed " << seed << " (tavo2-stress RUNNER LIBRARY " << kills << " " << seed << " replays it)\n";
  return Main(argv[1], argv[2], kills, seed);
}
