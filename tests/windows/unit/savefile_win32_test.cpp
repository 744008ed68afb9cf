#include <gtest/gtest.h>

#include <windows.h>

#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "state/SaveFile.h"
#include "state/SaveLock.h"
#include "tests/unit/SaveFileBytes.h"

// The Windows save file and lock: the record byte for byte as on Linux, the same outcomes for
// what Windows can put in a save's place, and failures that leave the old file as it was.
namespace fs = std::filesystem;

namespace {

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
  std::wstring W(const std::string& name) const { return (dir_ / name).wstring(); }
  DWORD Attributes(const std::string& name) const { return GetFileAttributesW(W(name).c_str()); }
  // A file held open without sharing, as an editor or a backup program may hold it.
  HANDLE Hold(const std::string& name) const {
    return CreateFileW(W(name).c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
  }
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
  ASSERT_EQ(WriteSaveFile(PatternState(1), path_), WriteOutcome::Written);
  ASSERT_EQ(WriteSaveFile(PatternState(2), path_), WriteOutcome::Written);
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
  ASSERT_EQ(WriteSaveFile(loaded, In("again.dat")), WriteOutcome::Written);
  EXPECT_EQ(ReadRaw(In("again.dat")), linux);
}

TEST_F(SaveFileWin32Test, OnlyANameThatIsNotThereIsAFirstStart) {
  GameState state = PatternState(3);
  EXPECT_EQ(ReadSaveFile(state, path_).outcome, LoadOutcome::Missing);
  EXPECT_EQ(ReadSaveFile(state, In("no-such-folder/tavo2.dat")).outcome, LoadOutcome::Missing);
  EXPECT_TRUE(SameBytes(state, PatternState(3)));
}

TEST_F(SaveFileWin32Test, AFolderInTheSavesPlaceIsUnreadableAndMovedAside) {
  fs::create_directory(path_);
  GameState state = PatternState(3);
  const LoadResult result = ReadSaveFile(state, path_);
  EXPECT_EQ(result.outcome, LoadOutcome::Unreadable);
  EXPECT_EQ(result.problem, ReadProblem::Folder);
  EXPECT_EQ(result.keptAs, In("tavo2-damaged-1.dat"));
  EXPECT_TRUE(fs::is_directory(In("tavo2-damaged-1.dat")));
  EXPECT_FALSE(fs::exists(path_));
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

TEST_F(SaveFileWin32Test, ASaveAnotherProgramHoldsIsUnreadableAndStaysWhereItIs) {
  // It cannot be read, nor moved aside: it stays, and the game must not save over it (the
  // message and the refusal are the shared code's, SaveFile.cpp).
  WriteRaw(path_, BytesOf(PatternState(5)));
  const HANDLE held = Hold("tavo2.dat");
  ASSERT_NE(held, INVALID_HANDLE_VALUE);
  GameState state = PatternState(6);
  const LoadResult result = ReadSaveFile(state, path_);
  CloseHandle(held);
  EXPECT_EQ(result.outcome, LoadOutcome::Unreadable);
  EXPECT_EQ(result.problem, ReadProblem::Error);
  EXPECT_EQ(result.error, static_cast<int>(ERROR_SHARING_VIOLATION));
  EXPECT_EQ(result.keptAs, "");
  EXPECT_EQ(ReadRaw(path_), BytesOf(PatternState(5)));
  EXPECT_TRUE(SameBytes(state, PatternState(6)));
}

TEST_F(SaveFileWin32Test, WritingOverAFolderKeepsItAndLeavesNoTemporaryFile) {
  fs::create_directory(path_);
  EXPECT_EQ(WriteSaveFile(PatternState(5), path_), WriteOutcome::OldKept);
  EXPECT_TRUE(fs::is_directory(path_));
  EXPECT_EQ(Names(), std::vector<std::string>{"tavo2.dat"});
}

TEST_F(SaveFileWin32Test, ASaveAnotherProgramHoldsKeepsItsBytes) {
  ASSERT_EQ(WriteSaveFile(PatternState(6), path_), WriteOutcome::Written);
  const HANDLE held = Hold("tavo2.dat");
  ASSERT_NE(held, INVALID_HANDLE_VALUE);
  EXPECT_EQ(WriteSaveFile(PatternState(7), path_), WriteOutcome::OldKept);
  CloseHandle(held);
  EXPECT_EQ(ReadRaw(path_), BytesOf(PatternState(6)));
  EXPECT_EQ(Names(), std::vector<std::string>{"tavo2.dat"});
}

TEST_F(SaveFileWin32Test, AReadOnlySaveIsWrittenAndStaysReadOnly) {
  // As on Linux the save keeps the old file's permissions; Windows would refuse the replace.
  ASSERT_EQ(WriteSaveFile(PatternState(8), path_), WriteOutcome::Written);
  ASSERT_TRUE(SetFileAttributesW(W("tavo2.dat").c_str(), FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_HIDDEN));
  EXPECT_EQ(WriteSaveFile(PatternState(9), path_), WriteOutcome::Written);
  EXPECT_EQ(ReadRaw(path_), BytesOf(PatternState(9)));
  EXPECT_EQ(Attributes("tavo2.dat") & (FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_HIDDEN),
            static_cast<DWORD>(FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_HIDDEN));
  EXPECT_EQ(Names(), std::vector<std::string>{"tavo2.dat"});
}

TEST_F(SaveFileWin32Test, TheTemporaryFileHasOneNameBesideTheSave) {
  EXPECT_EQ(SaveTempName(path_), path_ + ".tmp");
  // One left by an interrupted save, read-only even, never blocks the next.
  WriteRaw(path_ + ".tmp", Bytes(3, 'p'));
  SetFileAttributesW(W("tavo2.dat.tmp").c_str(), FILE_ATTRIBUTE_READONLY);
  EXPECT_EQ(WriteSaveFile(PatternState(10), path_), WriteOutcome::Written);
  EXPECT_EQ(ReadRaw(path_), BytesOf(PatternState(10)));
  EXPECT_EQ(Names(), std::vector<std::string>{"tavo2.dat"});
}

TEST_F(SaveFileWin32Test, AFolderInTheTemporaryFilesPlaceKeepsTheOldSave) {
  ASSERT_EQ(WriteSaveFile(PatternState(11), path_), WriteOutcome::Written);
  fs::create_directory(path_ + ".tmp");
  EXPECT_EQ(WriteSaveFile(PatternState(12), path_), WriteOutcome::OldKept);
  EXPECT_EQ(ReadRaw(path_), BytesOf(PatternState(11)));
  EXPECT_TRUE(fs::is_directory(path_ + ".tmp"));
}

TEST_F(SaveFileWin32Test, TheStartClearsAStaleTemporaryFileButNoFolder) {
  WriteRaw(path_ + ".tmp", Bytes(3, 'p'));
  SetFileAttributesW(W("tavo2.dat.tmp").c_str(), FILE_ATTRIBUTE_READONLY);
  RemoveStaleSaveTemp(path_);
  EXPECT_FALSE(fs::exists(path_ + ".tmp"));
  fs::create_directory(path_ + ".tmp");
  RemoveStaleSaveTemp(path_);
  EXPECT_TRUE(fs::is_directory(path_ + ".tmp"));
}

// Symbolic links need a privilege on Windows (or its developer mode), and Wine 8 makes none that
// Windows' calls see as one: where no link can be had, these tests are skipped.
bool MakeLink(const std::wstring& link, const std::wstring& target) {
  if (!CreateSymbolicLinkW(link.c_str(), target.c_str(), SYMBOLIC_LINK_FLAG_ALLOW_UNPRIVILEGED_CREATE)) return false;
  const DWORD attributes = GetFileAttributesW(link.c_str());
  return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_REPARSE_POINT) != 0;
}

TEST_F(SaveFileWin32Test, ASaveThroughALinkWritesItsTargetAndTheLinkStays) {
  fs::create_directory(dir_ / "saves");
  WriteRaw(In("saves/game.dat"), BytesOf(PatternState(13)));
  if (!MakeLink(W("tavo2.dat"), W("saves\\game.dat"))) GTEST_SKIP() << "no symbolic links here";
  GameState loaded;
  ASSERT_EQ(ReadSaveFile(loaded, path_).outcome, LoadOutcome::Loaded);
  EXPECT_TRUE(SameBytes(loaded, PatternState(13)));
  EXPECT_EQ(WriteSaveFile(PatternState(14), path_), WriteOutcome::Written);
  EXPECT_NE(Attributes("tavo2.dat") & FILE_ATTRIBUTE_REPARSE_POINT, 0u);
  EXPECT_EQ(ReadRaw(In("saves/game.dat")), BytesOf(PatternState(14)));
  EXPECT_EQ(fs::path(SaveTempName(path_)).filename(), "game.dat.tmp");
  std::vector<std::string> saves;
  for (const auto& entry : fs::directory_iterator(dir_ / "saves")) saves.push_back(entry.path().filename().string());
  EXPECT_EQ(saves, std::vector<std::string>{"game.dat"});
}

TEST_F(SaveFileWin32Test, ALinkToNothingIsUnreadableAndTheLinkIsKeptAside) {
  if (!MakeLink(W("tavo2.dat"), W("saves\\gone.dat"))) GTEST_SKIP() << "no symbolic links here";
  GameState state;
  const LoadResult result = ReadSaveFile(state, path_);
  EXPECT_EQ(result.outcome, LoadOutcome::Unreadable);
  EXPECT_EQ(result.problem, ReadProblem::DanglingLink);
  EXPECT_EQ(result.keptAs, In("tavo2-damaged-1.dat"));
  EXPECT_NE(Attributes("tavo2-damaged-1.dat") & FILE_ATTRIBUTE_REPARSE_POINT, 0u);
}

std::wstring ProgramFolder() {
  wchar_t path[MAX_PATH];
  const std::wstring full(path, GetModuleFileNameW(nullptr, path, MAX_PATH));
  return full.substr(0, full.find_last_of(L"\\/") + 1);
}

using Outcome = SaveLock::Outcome;

TEST_F(SaveFileWin32Test, OneCopyPerFolderUntilItLetsGo) {
  SaveLock first, second, elsewhere;
  EXPECT_EQ(first.Acquire(path_), Outcome::Held);
  EXPECT_EQ(second.Acquire(path_), Outcome::HeldByOther);
  EXPECT_FALSE(second.Held());
  fs::create_directory(dir_ / "other");
  EXPECT_EQ(elsewhere.Acquire(In("other/tavo2.dat")), Outcome::Held);
  first.Release();
  EXPECT_EQ(second.Acquire(path_), Outcome::Held);
  EXPECT_TRUE(fs::exists(path_ + ".lock"));
}

TEST_F(SaveFileWin32Test, WhereNoLockFileCanBeMadeTheFolderIsLocked) {
  fs::create_directory(path_ + ".lock");
  SaveLock first, second;
  EXPECT_EQ(first.Acquire(path_), Outcome::Held);
  EXPECT_EQ(second.Acquire(path_), Outcome::HeldByOther);
  first.Release();
  EXPECT_EQ(second.Acquire(path_), Outcome::Held);
}

// A second copy of the game, another process, started in the folder of a running one.
TEST_F(SaveFileWin32Test, ASecondCopyInTheFolderSaysSoAndLeavesTheSaveAlone) {
  WriteRaw(path_, BytesOf(PatternState(15)));
  WriteRaw(In("second.script"), Bytes{'a', 'n', 's', 'w', 'e', 'r', ' ', 'o', 'k', '\n'});
  SaveLock running;
  ASSERT_EQ(running.Acquire(path_), Outcome::Held);

  SECURITY_ATTRIBUTES inherit{sizeof inherit, nullptr, TRUE};
  const HANDLE out = CreateFileW(W("out.txt").c_str(), GENERIC_WRITE, FILE_SHARE_READ, &inherit, CREATE_ALWAYS,
                                 FILE_ATTRIBUTE_NORMAL, nullptr);
  ASSERT_NE(out, INVALID_HANDLE_VALUE);
  STARTUPINFOW startup{};
  startup.cb = sizeof startup;
  startup.dwFlags = STARTF_USESTDHANDLES;
  startup.hStdOutput = out;
  startup.hStdError = out;
  std::wstring command = L"\"" + ProgramFolder() + L"tavo2-script.exe\" second.script";
  PROCESS_INFORMATION process{};
  ASSERT_TRUE(CreateProcessW(nullptr, command.data(), nullptr, nullptr, TRUE, 0, nullptr, dir_.wstring().c_str(),
                             &startup, &process));
  WaitForSingleObject(process.hProcess, 30000);
  DWORD code = 1;
  GetExitCodeProcess(process.hProcess, &code);
  CloseHandle(process.hThread);
  CloseHandle(process.hProcess);
  CloseHandle(out);

  EXPECT_EQ(code, 0u);
  const Bytes printed = ReadRaw(In("out.txt"));
  const std::string text(printed.begin(), printed.end());
  EXPECT_NE(text.find("\xE3\x82\x82\xE3\x81\x86\xE3\x83\x9D\xE3\x83\xA0\xE3\x83\xAB"), std::string::npos) << text;  // UTF-8 "もうポムル"
  EXPECT_NE(text.find("\nexit\n"), std::string::npos) << text;
  EXPECT_EQ(ReadRaw(path_), BytesOf(PatternState(15)));
  EXPECT_FALSE(fs::exists(path_ + ".tmp"));
}

}  // namespace
