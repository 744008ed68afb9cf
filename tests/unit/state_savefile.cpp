#include <gtest/gtest.h>

#include <algorithm>
#include <csignal>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

#include "state/SaveFile.h"

namespace fs = std::filesystem;

namespace {

using Bytes = std::vector<char>;

Bytes Pattern(size_t size, int seed) {
  Bytes bytes(size);
  for (size_t i = 0; i < size; ++i) bytes[i] = static_cast<char>(i * 31 + static_cast<size_t>(seed));
  return bytes;
}

GameState PatternState(int seed) {
  GameState s;
  std::memcpy(static_cast<void*>(&s), Pattern(sizeof s, seed).data(), sizeof s);
  return s;
}

bool SameBytes(const GameState& a, const GameState& b) { return std::memcmp(&a, &b, sizeof a) == 0; }

void WriteRaw(const std::string& path, const Bytes& bytes) {
  std::ofstream(path, std::ios::binary).write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
}

Bytes ReadRaw(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
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

  ASSERT_TRUE(WriteSaveFile(original, path_));
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
  EXPECT_EQ(ReadSaveFile(into, path_).outcome, LoadOutcome::Missing);
  EXPECT_TRUE(SameBytes(into, before));
  EXPECT_EQ(Entries(), std::vector<std::string>{"tavo2.dat"});
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
  EXPECT_FALSE(WriteSaveFile(PatternState(4), path_));
  EXPECT_TRUE(fs::is_directory(path_));
  EXPECT_EQ(Entries(), std::vector<std::string>{"tavo2.dat"});
}

// A write that fails half-way (at the file size limit) leaves the old save and no temporary file.
TEST_F(SaveFileTest, WriteFailingMidwayKeepsTheOldFile) {
  const Bytes old = Pattern(11236, 6);
  WriteRaw(path_, old);
  struct rlimit saved, small;
  ASSERT_EQ(::getrlimit(RLIMIT_FSIZE, &saved), 0);
  small = saved;
  small.rlim_cur = 1000;
  const auto previousHandler = std::signal(SIGXFSZ, SIG_IGN);
  ASSERT_EQ(::setrlimit(RLIMIT_FSIZE, &small), 0);
  const bool written = WriteSaveFile(PatternState(4), path_);
  ::setrlimit(RLIMIT_FSIZE, &saved);
  std::signal(SIGXFSZ, previousHandler);

  EXPECT_FALSE(written);
  EXPECT_EQ(ReadRaw(path_), old);
  EXPECT_EQ(Entries(), std::vector<std::string>{"tavo2.dat"});
}

TEST_F(SaveFileTest, ReadOnlyDirectoryKeepsTheOldFileAndTheDamagedOne) {
  if (::geteuid() == 0) GTEST_SKIP() << "permissions do not bind root";
  const Bytes old = Pattern(11236, 6);
  WriteRaw(path_, old);
  fs::permissions(dir_, fs::perms::owner_read | fs::perms::owner_exec);
  EXPECT_FALSE(WriteSaveFile(PatternState(4), path_));
  EXPECT_EQ(ReadRaw(path_), old);

  WriteRaw(path_, {'x'});  // the file itself is still writable
  GameState into{};
  const LoadResult result = ReadSaveFile(into, path_);
  EXPECT_EQ(result.outcome, LoadOutcome::Damaged);
  EXPECT_TRUE(result.keptAs.empty());
  EXPECT_EQ(ReadRaw(path_), Bytes{'x'});
}

}  // namespace
