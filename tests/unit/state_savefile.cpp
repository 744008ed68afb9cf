#include <gtest/gtest.h>

#include <algorithm>
#include <csignal>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <functional>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include "state/SaveFile.h"
#include "tests/unit/SaveFileBytes.h"
#include "tests/unit/OrdinaryUser.h"

namespace fs = std::filesystem;

namespace {

// Saves with the process's file size limit at 1000 bytes, so every write stops part way.
WriteOutcome WriteCutShort(const GameState& state, const std::string& path) {
  struct rlimit saved, small;
  if (::getrlimit(RLIMIT_FSIZE, &saved) != 0) std::abort();
  small = saved;
  small.rlim_cur = 1000;
  const auto previousHandler = std::signal(SIGXFSZ, SIG_IGN);
  if (::setrlimit(RLIMIT_FSIZE, &small) != 0) std::abort();
  const WriteOutcome outcome = WriteSaveFile(state, path);
  ::setrlimit(RLIMIT_FSIZE, &saved);
  std::signal(SIGXFSZ, previousHandler);
  return outcome;
}

// Each test gets a fresh directory holding the save file's place.
class SaveFileTest : public ::testing::Test {
 protected:
  void SetUp() override {
    std::string pattern = (fs::temp_directory_path() / "state-savefile-XXXXXX").string();
    ASSERT_NE(::mkdtemp(pattern.data()), nullptr);
    dir_ = pattern;
    path_ = InDir(kSaveFileName);
  }
  void TearDown() override {
    std::error_code ignored;
    fs::permissions(dir_, fs::perms::owner_all, ignored);
    fs::remove_all(dir_, ignored);
  }
  // Names in the directory, to catch stray temporary files.
  std::vector<std::string> Entries() const {
    std::vector<std::string> names;
    for (const auto& e : fs::directory_iterator(dir_)) names.push_back(e.path().filename().string());
    std::sort(names.begin(), names.end());
    return names;
  }
  std::string InDir(const char* name) const { return (dir_ / name).string(); }

  fs::path dir_;
  std::string path_;
};

TEST_F(SaveFileTest, RoundTripKeepsEveryByteAndReplacesTheOldFile) {
  WriteRaw(path_, Pattern(11236, 1));
  GameState original = PatternState(7);
  original.reserved7 = 0x9C;
  original.items[0].reservedTail = 0x42;  // an entry the catalog never uses

  ASSERT_EQ(WriteSaveFile(original, path_), WriteOutcome::Written);
  struct stat info;
  ASSERT_EQ(::stat(path_.c_str(), &info), 0);
  EXPECT_EQ(info.st_size, 11236);
  EXPECT_EQ(info.st_mode & 07777, 0644u);
  EXPECT_EQ(Entries(), std::vector<std::string>{"tavo2.dat"});

  GameState loaded{};
  const LoadResult result = ReadSaveFile(loaded, path_);
  EXPECT_EQ(result.outcome, LoadOutcome::Loaded);
  EXPECT_TRUE(SameBytes(loaded, original));
}

TEST_F(SaveFileTest, MissingOrDirectoryLeavesStateAlone) {
  GameState into = PatternState(3);
  const GameState before = into;
  EXPECT_EQ(ReadSaveFile(into, path_).outcome, LoadOutcome::Missing);
  fs::create_directory(path_);
  EXPECT_EQ(ReadSaveFile(into, path_).outcome, LoadOutcome::Unreadable);
  EXPECT_TRUE(SameBytes(into, before));
  EXPECT_EQ(Entries(), std::vector<std::string>{"tavo2-damaged-1.dat"});
}

TEST_F(SaveFileTest, WrongSizedFilesAreDamagedAndKept) {
  for (size_t size : {0, 1, 11235, 11237, 40000}) {
    SCOPED_TRACE(size);
    const Bytes bytes = Pattern(size, 5);
    WriteRaw(path_, bytes);
    GameState into = PatternState(9);
    const GameState before = into;

    const LoadResult result = ReadSaveFile(into, path_);

    EXPECT_EQ(result.outcome, LoadOutcome::Damaged);
    EXPECT_EQ(result.keptAs, InDir("tavo2-damaged-1.dat"));
    EXPECT_TRUE(SameBytes(into, before));
    EXPECT_FALSE(fs::exists(path_));
    EXPECT_EQ(ReadRaw(result.keptAs), bytes);
    fs::remove(result.keptAs);
  }
}

TEST_F(SaveFileTest, DamagedCopiesNeverOverwriteEachOther) {
  WriteRaw(InDir("tavo2-damaged-1.dat"), {'o', 'l', 'd'});
  fs::create_directory(InDir("tavo2-damaged-2.dat"));
  WriteRaw(path_, {'n', 'e', 'w'});
  GameState into{};
  const LoadResult result = ReadSaveFile(into, path_);
  EXPECT_EQ(result.keptAs, InDir("tavo2-damaged-3.dat"));
  EXPECT_EQ(ReadRaw(InDir("tavo2-damaged-1.dat")), (Bytes{'o', 'l', 'd'}));
  EXPECT_EQ(ReadRaw(result.keptAs), (Bytes{'n', 'e', 'w'}));
}

TEST_F(SaveFileTest, WriteOverADirectoryFailsCleanly) {
  fs::create_directory(path_);
  EXPECT_EQ(WriteSaveFile(PatternState(4), path_), WriteOutcome::OldKept);
  EXPECT_TRUE(fs::is_directory(path_));
  EXPECT_EQ(Entries(), std::vector<std::string>{"tavo2.dat"});
}

// A write that fails half-way (at the file size limit) leaves the old save and no temporary file.
TEST_F(SaveFileTest, WriteFailingMidwayKeepsTheOldFile) {
  const Bytes old = Pattern(11236, 6);
  WriteRaw(path_, old);
  const WriteOutcome written = WriteCutShort(PatternState(4), path_);

  EXPECT_EQ(written, WriteOutcome::OldKept);
  EXPECT_EQ(ReadRaw(path_), old);
  EXPECT_EQ(Entries(), std::vector<std::string>{"tavo2.dat"});
}

TEST_F(SaveFileTest, ReadOnlyDirectoryKeepsTheOldFileAndTheDamagedOne) {
  const bool ran = RunAsOrdinaryUser(dir_, [&] {
    const Bytes old = Pattern(11236, 6);
    WriteRaw(path_, old);
    fs::permissions(path_, fs::perms::owner_read);  // neither beside it nor in place
    fs::permissions(dir_, fs::perms::owner_read | fs::perms::owner_exec);
    EXPECT_EQ(WriteSaveFile(PatternState(4), path_), WriteOutcome::OldKept);
    EXPECT_EQ(ReadRaw(path_), old);

    fs::permissions(path_, fs::perms::owner_read | fs::perms::owner_write);
    WriteRaw(path_, {'x'});  // the file itself is writable
    GameState into{};
    const LoadResult result = ReadSaveFile(into, path_);
    EXPECT_EQ(result.outcome, LoadOutcome::Damaged);
    EXPECT_TRUE(result.keptAs.empty());
    EXPECT_EQ(ReadRaw(path_), Bytes{'x'});
  });
  if (!ran) GTEST_SKIP() << kNoOrdinaryUser;
}

// Anything at the save's name that cannot be read is no first start: it is kept aside, as it was.
TEST_F(SaveFileTest, UnreadableSavesAreKeptAsideNotTakenForMissing) {
  struct Case {
    const char* what;
    std::function<void(const std::string& path)> make;
    ReadProblem problem;
    fs::file_type keptType;
  };
  const Case cases[] = {
      {"a folder", [](const std::string& p) { fs::create_directory(p); }, ReadProblem::Folder,
       fs::file_type::directory},
      {"a FIFO", [](const std::string& p) { ASSERT_EQ(::mkfifo(p.c_str(), 0644), 0); }, ReadProblem::NotAFile,
       fs::file_type::fifo},
      {"a link to nothing", [](const std::string& p) { fs::create_symlink("gone.dat", p); },
       ReadProblem::DanglingLink, fs::file_type::symlink},
      {"a link to itself", [](const std::string& p) { fs::create_symlink("tavo2.dat", p); }, ReadProblem::LinkLoop,
       fs::file_type::symlink},
      {"two links in a circle",
       [this](const std::string& p) {
         fs::create_symlink("other.lnk", p);
         fs::create_symlink("tavo2.dat", InDir("other.lnk"));
       },
       ReadProblem::LinkLoop, fs::file_type::symlink},
      {"a link to a folder",
       [this](const std::string& p) {
         fs::create_directory(InDir("elsewhere"));
         fs::create_symlink("elsewhere", p);
       },
       ReadProblem::Folder, fs::file_type::symlink},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    for (const auto& e : fs::directory_iterator(dir_)) fs::remove_all(e.path());
    c.make(path_);
    GameState into = PatternState(2);
    const GameState before = into;

    const LoadResult result = ReadSaveFile(into, path_);

    EXPECT_EQ(result.outcome, LoadOutcome::Unreadable);
    EXPECT_EQ(result.problem, c.problem);
    EXPECT_EQ(result.keptAs, InDir("tavo2-damaged-1.dat"));
    EXPECT_EQ(fs::symlink_status(result.keptAs).type(), c.keptType);
    EXPECT_FALSE(fs::exists(fs::symlink_status(path_)));
    EXPECT_TRUE(SameBytes(into, before));
  }
  // What a link leads to is never moved.
  EXPECT_TRUE(fs::is_directory(InDir("elsewhere")));
}

TEST_F(SaveFileTest, AFileThePlayerMayNotReadIsKeptAsideWhole) {
  const bool ran = RunAsOrdinaryUser(dir_, [&] {
    const Bytes old = Pattern(11236, 8);
    WriteRaw(path_, old);
    fs::permissions(path_, fs::perms::none);
    GameState into{};

    const LoadResult result = ReadSaveFile(into, path_);

    EXPECT_EQ(result.outcome, LoadOutcome::Unreadable);
    EXPECT_EQ(result.problem, ReadProblem::Permission);
    ASSERT_EQ(result.keptAs, InDir("tavo2-damaged-1.dat"));
    fs::permissions(result.keptAs, fs::perms::owner_read);
    EXPECT_EQ(ReadRaw(result.keptAs), old);
  });
  if (!ran) GTEST_SKIP() << kNoOrdinaryUser;
}

// In a folder the player may not write, an unreadable save stays where it is (and the game then
// refuses to save over it).
TEST_F(SaveFileTest, AnUnreadableSaveThatCannotBeMovedStaysInPlace) {
  const bool ran = RunAsOrdinaryUser(dir_, [&] {
    WriteRaw(path_, Pattern(11236, 8));
    fs::permissions(path_, fs::perms::none);
    fs::permissions(dir_, fs::perms::owner_read | fs::perms::owner_exec);
    GameState into{};
    const LoadResult result = ReadSaveFile(into, path_);
    EXPECT_EQ(result.outcome, LoadOutcome::Unreadable);
    EXPECT_EQ(result.problem, ReadProblem::Permission);
    EXPECT_TRUE(result.keptAs.empty());
    EXPECT_EQ(Entries(), std::vector<std::string>{"tavo2.dat"});
  });
  if (!ran) GTEST_SKIP() << kNoOrdinaryUser;
}

// A save is killed at the file size limit, inside its write: what is left is the old save and the
// one temporary name, whatever the number of kills, and the next start clears it.
TEST_F(SaveFileTest, KilledSavesLeaveOneTemporaryFileThatStartUpClears) {
  const Bytes old = Pattern(11236, 6);
  WriteRaw(path_, old);
  for (int kill = 0; kill < 3; ++kill) {
    const pid_t pid = ::fork();
    ASSERT_GE(pid, 0);
    if (pid == 0) {
      const struct rlimit noCore = {0, 0}, small = {1000, 1000};
      ::setrlimit(RLIMIT_CORE, &noCore);
      ::setrlimit(RLIMIT_FSIZE, &small);
      std::signal(SIGXFSZ, SIG_DFL);
      WriteSaveFile(PatternState(4), path_);
      ::_exit(0);
    }
    int status = 0;
    ASSERT_EQ(::waitpid(pid, &status, 0), pid);
    ASSERT_TRUE(WIFSIGNALED(status)) << "the save was not killed";
  }
  EXPECT_EQ(ReadRaw(path_), old);
  EXPECT_EQ(Entries(), (std::vector<std::string>{"tavo2.dat", "tavo2.dat.tmp"}));
  EXPECT_EQ(SaveTempName(path_), InDir("tavo2.dat.tmp"));

  RemoveStaleSaveTemp(path_);
  EXPECT_EQ(Entries(), std::vector<std::string>{"tavo2.dat"});
}

// Whatever stands at the temporary name is replaced, never written through.
TEST_F(SaveFileTest, ALinkAtTheTemporaryNameIsNotFollowed) {
  WriteRaw(InDir("victim"), {'v'});
  fs::create_symlink("victim", InDir("tavo2.dat.tmp"));
  const GameState state = PatternState(5);
  ASSERT_EQ(WriteSaveFile(state, path_), WriteOutcome::Written);
  EXPECT_EQ(ReadRaw(InDir("victim")), Bytes{'v'});
  EXPECT_EQ(Entries(), (std::vector<std::string>{"tavo2.dat", "victim"}));
}

// A linked save is written through its link: the link stays, what it leads to gets the record and
// keeps its permissions, and the temporary file is made beside that (the only place a rename can
// replace it).
TEST_F(SaveFileTest, ALinkedSaveIsWrittenThroughItsLink) {
  struct Case {
    const char* link;    // the save's link, relative to the test's folder
    const char* second;  // a second link the first leads to, or nullptr
    const char* file;    // where the record lives
  };
  const Case cases[] = {
      {"saves/real.dat", nullptr, "saves/real.dat"},
      {"ABSOLUTE", nullptr, "saves/real.dat"},
      {"saves/link.dat", "deeper/real.dat", "saves/deeper/real.dat"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.link);
    for (const auto& e : fs::directory_iterator(dir_)) fs::remove_all(e.path());
    const fs::path file = dir_ / c.file;
    fs::create_directories(file.parent_path());
    WriteRaw(file.string(), Pattern(11236, 1));
    fs::permissions(file, fs::perms::owner_read | fs::perms::owner_write);
    const std::string linkText = std::string(c.link) == "ABSOLUTE" ? file.string() : c.link;
    fs::create_symlink(linkText, path_);
    if (c.second) fs::create_symlink(c.second, dir_ / "saves/link.dat");
    const GameState state = PatternState(9);

    ASSERT_EQ(WriteSaveFile(state, path_), WriteOutcome::Written);

    EXPECT_EQ(fs::read_symlink(path_).string(), linkText);
    GameState loaded{};
    EXPECT_EQ(ReadSaveFile(loaded, path_).outcome, LoadOutcome::Loaded);
    EXPECT_TRUE(SameBytes(loaded, state));
    EXPECT_EQ(fs::status(file).permissions(), fs::perms::owner_read | fs::perms::owner_write);
    EXPECT_FALSE(fs::exists(file.string() + ".tmp"));
  }
}

TEST_F(SaveFileTest, ASaveKeepsThePermissionsItFinds) {
  using P = fs::perms;
  const P modes[] = {P::owner_read | P::owner_write, P::owner_read | P::owner_write | P::group_read,
                     P::owner_read, P::owner_all | P::group_all | P::others_read};
  for (P mode : modes) {
    SCOPED_TRACE(static_cast<int>(mode));
    WriteRaw(path_, Pattern(11236, 1));
    fs::permissions(path_, mode);
    ASSERT_EQ(WriteSaveFile(PatternState(2), path_), WriteOutcome::Written);
    EXPECT_EQ(fs::status(path_).permissions(), mode);
  }
  fs::remove(path_);
  ASSERT_EQ(WriteSaveFile(PatternState(2), path_), WriteOutcome::Written);
  EXPECT_EQ(fs::status(path_).permissions(), P::owner_read | P::owner_write | P::group_read | P::others_read);
}

// Root saving a player's game leaves the file the player's.
TEST_F(SaveFileTest, RootSavingAPlayersFileGivesItBack) {
  if (::geteuid() != 0) GTEST_SKIP() << "only root may give a file to another user";
  WriteRaw(path_, Pattern(11236, 1));
  ASSERT_EQ(::chown(path_.c_str(), 65534, 65534), 0);
  ASSERT_EQ(WriteSaveFile(PatternState(2), path_), WriteOutcome::Written);
  struct stat info;
  ASSERT_EQ(::stat(path_.c_str(), &info), 0);
  EXPECT_EQ(info.st_uid, 65534u);
  EXPECT_EQ(info.st_gid, 65534u);
}

// A folder the player may not write, holding a save the player may: the save is rewritten in
// place; a rewrite that stops part-way leaves a file the loader takes for damaged, and says so.
TEST_F(SaveFileTest, AReadOnlyFolderFallsBackToRewritingInPlace) {
  const bool ran = RunAsOrdinaryUser(dir_, [&] {
    using P = fs::perms;
    WriteRaw(path_, Pattern(11236, 1));
    fs::permissions(path_, P::owner_read | P::owner_write);
    struct stat before, after;
    ASSERT_EQ(::stat(path_.c_str(), &before), 0);
    fs::permissions(dir_, P::owner_read | P::owner_exec);
    const GameState state = PatternState(3);

    EXPECT_EQ(WriteSaveFile(state, path_), WriteOutcome::Written);
    ASSERT_EQ(::stat(path_.c_str(), &after), 0);
    EXPECT_EQ(after.st_ino, before.st_ino);
    EXPECT_EQ(after.st_mode & 07777, 0600u);
    GameState loaded{};
    EXPECT_EQ(ReadSaveFile(loaded, path_).outcome, LoadOutcome::Loaded);
    EXPECT_TRUE(SameBytes(loaded, state));
    EXPECT_EQ(Entries(), std::vector<std::string>{"tavo2.dat"});

    const WriteOutcome torn = WriteCutShort(PatternState(4), path_);
    EXPECT_EQ(torn, WriteOutcome::Torn);
    EXPECT_LT(fs::file_size(path_), 11236u);
    EXPECT_EQ(ReadSaveFile(loaded, path_).outcome, LoadOutcome::Damaged);
  });
  if (!ran) GTEST_SKIP() << kNoOrdinaryUser;
}

// Nothing to rewrite in place: a read-only folder without a save cannot be saved in.
TEST_F(SaveFileTest, AReadOnlyFolderWithoutASaveRefusesTheSave) {
  const bool ran = RunAsOrdinaryUser(dir_, [&] {
    fs::permissions(dir_, fs::perms::owner_read | fs::perms::owner_exec);
    EXPECT_EQ(WriteSaveFile(PatternState(4), path_), WriteOutcome::OldKept);
    EXPECT_TRUE(Entries().empty());
  });
  if (!ran) GTEST_SKIP() << kNoOrdinaryUser;
}

}  // namespace
