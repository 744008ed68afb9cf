#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <string>

#include <sys/wait.h>
#include <unistd.h>

#include "state/SaveLock.h"
#include "tests/unit/OrdinaryUser.h"

namespace fs = std::filesystem;

namespace {

class SaveLockTest : public ::testing::Test {
 protected:
  void SetUp() override {
    std::string pattern = (fs::temp_directory_path() / "state-savelock-XXXXXX").string();
    ASSERT_NE(::mkdtemp(pattern.data()), nullptr);
    dir_ = pattern;
    save_ = (dir_ / "tavo2.dat").string();
  }
  void TearDown() override {
    std::error_code ignored;
    fs::permissions(dir_, fs::perms::owner_all, ignored);
    fs::remove_all(dir_, ignored);
  }
  fs::path dir_;
  std::string save_;
};

using Outcome = SaveLock::Outcome;

TEST_F(SaveLockTest, OneCopyPerFolderUntilItLetsGo) {
  SaveLock first, second, elsewhere;
  EXPECT_EQ(first.Acquire(save_), Outcome::Held);
  EXPECT_EQ(second.Acquire(save_), Outcome::HeldByOther);
  EXPECT_FALSE(second.Held());
  fs::create_directory(dir_ / "other");
  EXPECT_EQ(elsewhere.Acquire((dir_ / "other/tavo2.dat").string()), Outcome::Held);
  first.Release();
  EXPECT_EQ(second.Acquire(save_), Outcome::Held);
  EXPECT_TRUE(fs::exists(save_ + ".lock"));
}

// Another process holds the lock until it ends, however it ends: a killed copy leaves none behind.
TEST_F(SaveLockTest, AnotherProcessHoldsTheLockUntilItDies) {
  int ready[2];
  ASSERT_EQ(::pipe(ready), 0);
  const pid_t pid = ::fork();
  ASSERT_GE(pid, 0);
  if (pid == 0) {
    SaveLock lock;
    const char held = lock.Acquire(save_) == Outcome::Held ? 'y' : 'n';
    if (::write(ready[1], &held, 1) != 1) ::_exit(1);
    ::pause();
    ::_exit(0);
  }
  char held = 0;
  ASSERT_EQ(::read(ready[0], &held, 1), 1);
  EXPECT_EQ(held, 'y');
  SaveLock mine;
  EXPECT_EQ(mine.Acquire(save_), Outcome::HeldByOther);
  ::kill(pid, SIGKILL);
  ::waitpid(pid, nullptr, 0);
  ::close(ready[0]);
  ::close(ready[1]);
  EXPECT_EQ(mine.Acquire(save_), Outcome::Held);
}

// In a folder the player may not write: a lock file someone made there still serves; without one,
// the folder itself is locked; a folder that cannot even be listed has nothing to lock.
TEST_F(SaveLockTest, AReadOnlyFolderLocksWhatItCan) {
  const bool ran = RunAsOrdinaryUser(dir_, [&] {
    for (const bool lockFileThere : {true, false}) {
      SCOPED_TRACE(lockFileThere);
      fs::remove(save_ + ".lock");
      if (lockFileThere) std::ofstream(save_ + ".lock").put('x');
      fs::permissions(dir_, fs::perms::owner_read | fs::perms::owner_exec);
      SaveLock first, second;
      EXPECT_EQ(first.Acquire(save_), Outcome::Held);
      EXPECT_EQ(second.Acquire(save_), Outcome::HeldByOther);
      EXPECT_EQ(fs::exists(save_ + ".lock"), lockFileThere);
      fs::permissions(dir_, fs::perms::owner_all);
    }
    fs::remove(save_ + ".lock");
    fs::permissions(dir_, fs::perms::owner_exec);
    SaveLock nothing;
    EXPECT_EQ(nothing.Acquire(save_), Outcome::Unavailable);
    fs::permissions(dir_, fs::perms::owner_all);
  });
  if (!ran) GTEST_SKIP() << kNoOrdinaryUser;
}

}  // namespace
