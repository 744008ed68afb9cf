// The save file with POSIX calls (SaveFile_win32.cpp: the same with Windows' own).
#include "state/SaveFile.h"

#include <cerrno>
#include <cstring>
#include <string_view>
#include <vector>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>


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

constexpr int kMaxLinkHops = 40;  // the kernel's own limit

// Follows path's symbolic links to the name they end at, which may not exist yet. False (errno
// ELOOP) when they lead round in a circle.
bool ResolveLinks(const std::string& path, std::string& target) {
  std::string current = path;
  for (int hop = 0; hop <= kMaxLinkHops; ++hop) {
    struct stat info;
    if (::lstat(current.c_str(), &info) != 0 || !S_ISLNK(info.st_mode)) {
      target = current;
      return true;
    }
    std::string link(static_cast<size_t>(info.st_size > 0 ? info.st_size : 256) + 1, '\0');
    const ssize_t n = ::readlink(current.c_str(), link.data(), link.size());
    if (n < 0 || static_cast<size_t>(n) >= link.size()) {
      target = current;  // changed under us: let the caller's open report it
      return true;
    }
    link.resize(static_cast<size_t>(n));
    const size_t slash = current.find_last_of('/');
    current = link.front() == '/' || slash == std::string::npos ? link : current.substr(0, slash + 1) + link;
  }
  errno = ELOOP;
  return false;
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

ReadProblem ProblemOf(int error) {
  switch (error) {
    case EACCES:
    case EPERM:
      return ReadProblem::Permission;
    case ELOOP:
      return ReadProblem::LinkLoop;
    default:
      return ReadProblem::Error;
  }
}

// What cannot be read is moved aside as a damaged file is: the player may still want it.
LoadResult Unreadable(ReadProblem problem, int error, const std::string& keep) {
  return {LoadOutcome::Unreadable, KeepDamagedFile(keep), problem, problem == ReadProblem::Error ? error : 0};
}

// The fallback where no file can be made beside the save: write the record over the old one.
WriteOutcome RewriteInPlace(const GameState& from, const std::string& target) {
  const int fd = ::open(target.c_str(), O_WRONLY | O_CLOEXEC | O_NOCTTY | O_NONBLOCK | O_NOFOLLOW);
  if (fd < 0) return WriteOutcome::OldKept;
  struct stat info;
  if (::fstat(fd, &info) != 0 || !S_ISREG(info.st_mode) || ::ftruncate(fd, 0) != 0) {
    ::close(fd);
    return WriteOutcome::OldKept;
  }
  // Cut first: a rewrite that stops part-way leaves a short file, never a whole-sized mixture of
  // two records.
  const auto* bytes = reinterpret_cast<const unsigned char*>(&from);
  bool ok = WriteFully(fd, bytes, kRecordBytes) && ::fsync(fd) == 0;
  ok = (::close(fd) == 0) && ok;
  return ok ? WriteOutcome::Written : WriteOutcome::Torn;
}

}  // namespace

LoadResult ReadSaveFile(GameState& into, const std::string& path) {
  struct stat info;
  if (::lstat(path.c_str(), &info) != 0) {
    // Only a name that does not exist at all is a first start.
    if (errno == ENOENT) return {LoadOutcome::Missing, {}};
    return Unreadable(ProblemOf(errno), errno, path);
  }
  // What is kept aside is always the name itself: a link is moved, never what it points to.
  std::string target;
  if (!ResolveLinks(path, target)) return Unreadable(ReadProblem::LinkLoop, ELOOP, path);
  if (::lstat(target.c_str(), &info) != 0) {
    const int error = errno;
    return Unreadable(error == ENOENT ? ReadProblem::DanglingLink : ProblemOf(error), error, path);
  }
  if (S_ISDIR(info.st_mode)) return Unreadable(ReadProblem::Folder, 0, path);
  if (!S_ISREG(info.st_mode)) return Unreadable(ReadProblem::NotAFile, 0, path);

  // O_NONBLOCK keeps a FIFO swapped in since the check from hanging start-up.
  const int fd = ::open(target.c_str(), O_RDONLY | O_CLOEXEC | O_NOCTTY | O_NONBLOCK);
  if (fd < 0) return Unreadable(ProblemOf(errno), errno, path);
  if (::fstat(fd, &info) != 0 || !S_ISREG(info.st_mode)) {
    ::close(fd);
    return Unreadable(ReadProblem::NotAFile, 0, path);
  }

  // One byte more than a record, to tell an oversized file from an exact one.
  std::vector<unsigned char> buffer(kRecordBytes + 1);
  size_t got = 0;
  const bool readOk = ReadFully(fd, buffer.data(), buffer.size(), got);
  const int readError = errno;
  ::close(fd);

  if (!readOk) return Unreadable(ProblemOf(readError), readError, path);
  if (got != kRecordBytes) return {LoadOutcome::Damaged, KeepDamagedFile(path)};
  std::memcpy(static_cast<void*>(&into), buffer.data(), kRecordBytes);
  return {LoadOutcome::Loaded, {}};
}

std::string SaveTempName(const std::string& path) {
  std::string target;
  if (!ResolveLinks(path, target)) target = path;
  return target + ".tmp";
}

void RemoveStaleSaveTemp(const std::string& path) {
  const std::string temp = SaveTempName(path);
  struct stat info;
  if (::lstat(temp.c_str(), &info) == 0 && !S_ISDIR(info.st_mode)) ::unlink(temp.c_str());
}

WriteOutcome WriteSaveFile(const GameState& from, const std::string& path) {
  std::string target;
  if (!ResolveLinks(path, target)) return WriteOutcome::OldKept;
  struct stat old;
  const bool hasOld = ::stat(target.c_str(), &old) == 0;
  // Never replace what is not a save: a folder, a FIFO, a device.
  if (hasOld && !S_ISREG(old.st_mode)) return WriteOutcome::OldKept;

  const std::string temp = target + ".tmp";
  if (::unlink(temp.c_str()) != 0 && errno != ENOENT && errno != EACCES && errno != EPERM)
    return WriteOutcome::OldKept;
  const int fd = ::open(temp.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0600);
  if (fd < 0) {
    const bool mayNotWriteFolder = errno == EACCES || errno == EPERM;
    return mayNotWriteFolder && hasOld ? RewriteInPlace(from, target) : WriteOutcome::OldKept;
  }

  // The save keeps the old file's permissions, and its owner where we may give it back (root).
  if (hasOld && (old.st_uid != ::geteuid() || old.st_gid != ::getegid())) {
    [[maybe_unused]] const int givenBack = ::fchown(fd, old.st_uid, old.st_gid);
  }
  const mode_t mode = hasOld ? (old.st_mode & 07777) : 0644;
  const auto* bytes = reinterpret_cast<const unsigned char*>(&from);
  bool ok = ::fchmod(fd, mode) == 0 && WriteFully(fd, bytes, kRecordBytes) && ::fsync(fd) == 0;
  ok = (::close(fd) == 0) && ok;
  if (!ok) {
    ::unlink(temp.c_str());
    return WriteOutcome::OldKept;
  }
  if (::rename(temp.c_str(), target.c_str()) != 0) {
    // A sticky folder refuses to replace another user's file: that file may still be writable.
    const bool refused = errno == EACCES || errno == EPERM;
    ::unlink(temp.c_str());
    return refused && hasOld ? RewriteInPlace(from, target) : WriteOutcome::OldKept;
  }
  SyncDirectory(DirectoryOf(target));
  return WriteOutcome::Written;
}
