#include "state/SaveFile.h"

#include <cerrno>
#include <cstring>
#include <string_view>
#include <vector>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include "framework/MessageBox.h"
#include "state/Reset.h"

namespace {

constexpr size_t kRecordBytes = sizeof(GameState);
constexpr int kMaxDamagedCopies = 9999;

// "dir/tavo2.dat" -> "dir/tavo2-damaged-3.dat".
std::string DamagedName(const std::string& path, int n) {
  const size_t slash = path.find_last_of('/');
  const size_t nameStart = slash == std::string::npos ? 0 : slash + 1;
  size_t dot = path.find_last_of('.');
  if (dot == std::string::npos || dot <= nameStart) dot = path.size();  // no extension, or a dot file
  return path.substr(0, dot) + "-damaged-" + std::to_string(n) + path.substr(dot);
}

std::string DirectoryOf(const std::string& path) {
  const size_t slash = path.find_last_of('/');
  if (slash == std::string::npos) return ".";
  if (slash == 0) return "/";
  return path.substr(0, slash);
}

// Moves the file at path to the first free damaged name and returns that name, or "" on failure.
// A hard link claims the new name without ever replacing an existing file; where the file system
// has no hard links, check-then-rename is the fallback.
std::string KeepDamagedFile(const std::string& path) {
  for (int n = 1; n <= kMaxDamagedCopies; ++n) {
    const std::string candidate = DamagedName(path, n);
    if (::link(path.c_str(), candidate.c_str()) == 0) {
      // Should the unlink fail, the copy is still kept and the next start keeps another one.
      ::unlink(path.c_str());
      return candidate;
    }
    if (errno == EEXIST) continue;
    struct stat info;
    if (::lstat(candidate.c_str(), &info) == 0) continue;
    if (errno != ENOENT) return {};
    return ::rename(path.c_str(), candidate.c_str()) == 0 ? candidate : std::string{};
  }
  return {};
}

// Reads until size bytes or end of file; false on a read error.
bool ReadFully(int fd, unsigned char* buffer, size_t size, size_t& got) {
  got = 0;
  while (got < size) {
    const ssize_t n = ::read(fd, buffer + got, size - got);
    if (n == 0) return true;
    if (n < 0) {
      if (errno == EINTR) continue;
      return false;
    }
    got += static_cast<size_t>(n);
  }
  return true;
}

bool WriteFully(int fd, const unsigned char* data, size_t size) {
  size_t done = 0;
  while (done < size) {
    const ssize_t n = ::write(fd, data + done, size - done);
    if (n < 0) {
      if (errno == EINTR) continue;
      return false;
    }
    if (n == 0) return false;
    done += static_cast<size_t>(n);
  }
  return true;
}

// Best effort: the rename is already in place, and losing it to a crash only brings back the old
// file, so a failure here does not make the save a failure.
void SyncDirectory(const std::string& directory) {
  const int fd = ::open(directory.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (fd < 0) return;
  ::fsync(fd);
  ::close(fd);
}

}  // namespace

LoadResult ReadSaveFile(GameState& into, const std::string& path) {
  // O_NONBLOCK keeps a FIFO in the file's place from hanging start-up.
  const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NOCTTY | O_NONBLOCK);
  if (fd < 0) return {LoadOutcome::Missing, {}};

  struct stat info;
  const bool statOk = ::fstat(fd, &info) == 0;
  if (statOk && !S_ISREG(info.st_mode)) {
    ::close(fd);
    return {LoadOutcome::Missing, {}};
  }

  // One byte more than a record, to tell an oversized file from an exact one.
  std::vector<unsigned char> buffer(kRecordBytes + 1);
  size_t got = 0;
  const bool readOk = statOk && ReadFully(fd, buffer.data(), buffer.size(), got);
  ::close(fd);

  if (!readOk || got != kRecordBytes) return {LoadOutcome::Damaged, KeepDamagedFile(path)};
  std::memcpy(static_cast<void*>(&into), buffer.data(), kRecordBytes);
  return {LoadOutcome::Loaded, {}};
}

bool WriteSaveFile(const GameState& from, const std::string& path) {
  std::string temp = path + ".tmp-XXXXXX";
  const int fd = ::mkstemp(temp.data());
  if (fd < 0) return false;

  const auto* bytes = reinterpret_cast<const unsigned char*>(&from);
  bool ok = ::fchmod(fd, 0644) == 0 && WriteFully(fd, bytes, kRecordBytes) && ::fsync(fd) == 0;
  ok = (::close(fd) == 0) && ok;
  if (ok) ok = ::rename(temp.c_str(), path.c_str()) == 0;
  if (!ok) {
    ::unlink(temp.c_str());
    return false;
  }
  SyncDirectory(DirectoryOf(path));
  return true;
}

void LoadGameState() {
  const LoadResult result = ReadSaveFile(gameState, kSaveFileName);
  switch (result.outcome) {
    case LoadOutcome::Loaded:
      return;
    case LoadOutcome::Missing:
      MessageBox(nullptr, "データーファイルがありません！", "ポムル", MB_OK);
      MessageBox(nullptr, "初めから行います。", "ポムル", MB_OK);
      break;
    case LoadOutcome::Damaged: {
      std::string text = "データーファイルが壊れています！\n初めから行います。\n";
      if (result.keptAs.empty())
        text += "壊れたファイルは残せませんでした。";
      else
        text += "壊れたファイルは " + result.keptAs + " として残しました。";
      MessageBox(nullptr, text, "ポムル", MB_OK);
      break;
    }
  }
  ResetGameState();
}

bool SaveGameState(TWindow* owner) {
  if (WriteSaveFile(gameState, kSaveFileName)) return true;
  MessageBox(owner, "セーブできませんでした。\nデーターファイルは前のままです。", "ポムル", MB_OK);
  return false;
}
