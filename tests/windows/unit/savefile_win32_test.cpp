#include <gtest/gtest.h>

#include <windows.h>

#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "state/SaveFile.h"

// The Windows save file: the record byte for byte as on Linux, and failures that leave the old
// file as it was and no temporary file behind.
namespace fs = std::filesystem;

namespace {

using Bytes = std::vector<char>;

GameState PatternState(int seed) {
  GameState s;
  auto* bytes = reinterpret_cast<unsigned char*>(&s);
  for (std::size_t i = 0; i < sizeof s; ++i) bytes[i] = static_cast<unsigned char>(i * 31 + static_cast<std::size_t>(seed));
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

Bytes BytesOf(const GameState& s) {
  const auto* p = reinterpret_cast<const char*>(&s);
  return {p, p + sizeof s};
}

class SaveFileWin32Test : public ::testing::Test {
 protected:
  void SetUp() override {
    static int counter = 0;
    dir_ = fs::temp_directory_path() /
           ("tavo2-save-" + std::to_string(GetCurrentProcessId()) + "-" + std::to_string(++counter));
    fs::remove_all(dir_);
    ASSERT_TRUE(fs::create_directory(dir_));
    path_ = In(kSaveFileName);
  }
  void TearDown() override {
    std::error_code ignored;
    for (const auto& entry : fs::directory_iterator(dir_, ignored))
      SetFileAttributesW(entry.path().wstring().c_str(), FILE_ATTRIBUTE_NORMAL);
    fs::remove_all(dir_, ignored);
  }
  std::string In(const std::string& name) const { return (dir_ / name).string(); }
  // The names in the folder, sorted.
  std::vector<std::string> Names() const {
    std::vector<std::string> names;
    for (const auto& entry : fs::directory_iterator(dir_)) names.push_back(entry.path().filename().string());
    std::sort(names.begin(), names.end());
    return names;
  }

  fs::path dir_;
  std::string path_;
};

TEST_F(SaveFileWin32Test, RoundTripKeepsEveryByteAndReplacesTheOldFile) {
  ASSERT_TRUE(WriteSaveFile(PatternState(1), path_));
  ASSERT_TRUE(WriteSaveFile(PatternState(2), path_));
  EXPECT_EQ(ReadRaw(path_), BytesOf(PatternState(2)));
  GameState loaded;
  EXPECT_EQ(ReadSaveFile(loaded, path_).outcome, LoadOutcome::Loaded);
  EXPECT_TRUE(SameBytes(loaded, PatternState(2)));
  EXPECT_EQ(Names(), std::vector<std::string>{"tavo2.dat"});
}

TEST_F(SaveFileWin32Test, ASaveMadeOnLinuxLoadsAndIsWrittenBackUnchanged) {
  const Bytes linux = ReadRaw(TAVO2_SOURCE_DIR "/tests/fixtures/saved-game.dat");
  ASSERT_EQ(linux.size(), sizeof(GameState));
  WriteRaw(path_, linux);
  GameState loaded;
  ASSERT_EQ(ReadSaveFile(loaded, path_).outcome, LoadOutcome::Loaded);
  ASSERT_TRUE(WriteSaveFile(loaded, In("again.dat")));
  EXPECT_EQ(ReadRaw(In("again.dat")), linux);
}

TEST_F(SaveFileWin32Test, MissingOrAFolderLeavesTheStateAlone) {
  GameState state = PatternState(3);
  EXPECT_EQ(ReadSaveFile(state, path_).outcome, LoadOutcome::Missing);
  fs::create_directory(path_);
  EXPECT_EQ(ReadSaveFile(state, path_).outcome, LoadOutcome::Missing);
  EXPECT_TRUE(SameBytes(state, PatternState(3)));
}

TEST_F(SaveFileWin32Test, WrongSizedFilesAreDamagedAndKept) {
  for (std::size_t size : {std::size_t{0}, std::size_t{100}, sizeof(GameState) - 1, sizeof(GameState) + 1}) {
    const Bytes bytes(size, 'x');
    WriteRaw(path_, bytes);
    GameState state = PatternState(4);
    const LoadResult result = ReadSaveFile(state, path_);
    EXPECT_EQ(result.outcome, LoadOutcome::Damaged) << size;
    EXPECT_EQ(result.keptAs, In("tavo2-damaged-1.dat")) << size;
    EXPECT_EQ(ReadRaw(In("tavo2-damaged-1.dat")), bytes) << size;
    EXPECT_FALSE(fs::exists(path_)) << size;
    EXPECT_TRUE(SameBytes(state, PatternState(4))) << size;
    fs::remove(In("tavo2-damaged-1.dat"));
  }
}

TEST_F(SaveFileWin32Test, DamagedCopiesNeverOverwriteEachOther) {
  WriteRaw(In("tavo2-damaged-1.dat"), Bytes(5, 'a'));
  WriteRaw(path_, Bytes(7, 'b'));
  GameState state;
  EXPECT_EQ(ReadSaveFile(state, path_).keptAs, In("tavo2-damaged-2.dat"));
  EXPECT_EQ(ReadRaw(In("tavo2-damaged-1.dat")), Bytes(5, 'a'));
  EXPECT_EQ(ReadRaw(In("tavo2-damaged-2.dat")), Bytes(7, 'b'));
}

TEST_F(SaveFileWin32Test, WritingOverAFolderFailsCleanly) {
  fs::create_directory(path_);
  EXPECT_FALSE(WriteSaveFile(PatternState(5), path_));
  EXPECT_TRUE(fs::is_directory(path_));
  EXPECT_EQ(Names(), std::vector<std::string>{"tavo2.dat"});  // no temporary file left
}

TEST_F(SaveFileWin32Test, ASaveAnotherProgramHoldsKeepsItsBytes) {
  ASSERT_TRUE(WriteSaveFile(PatternState(6), path_));
  // Open without sharing, as an editor or a backup program may hold it.
  const HANDLE held = CreateFileW(fs::path(path_).wstring().c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING,
                                  FILE_ATTRIBUTE_NORMAL, nullptr);
  ASSERT_NE(held, INVALID_HANDLE_VALUE);
  EXPECT_FALSE(WriteSaveFile(PatternState(7), path_));
  CloseHandle(held);
  EXPECT_EQ(ReadRaw(path_), BytesOf(PatternState(6)));
  EXPECT_EQ(Names(), std::vector<std::string>{"tavo2.dat"});
}

TEST_F(SaveFileWin32Test, AReadOnlySaveIsNotReplacedBehindThePlayersBack) {
  ASSERT_TRUE(WriteSaveFile(PatternState(8), path_));
  ASSERT_TRUE(SetFileAttributesW(fs::path(path_).wstring().c_str(), FILE_ATTRIBUTE_READONLY));
  EXPECT_FALSE(WriteSaveFile(PatternState(9), path_));
  EXPECT_EQ(ReadRaw(path_), BytesOf(PatternState(8)));
  EXPECT_EQ(Names(), std::vector<std::string>{"tavo2.dat"});
}

}  // namespace
