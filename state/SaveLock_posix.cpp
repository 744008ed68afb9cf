#include "state/SaveLock.h"

#include <cerrno>
#include <string>

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {
constexpr int kOpenFlags = O_CLOEXEC | O_NOCTTY | O_NOFOLLOW | O_NONBLOCK;

std::string DirectoryOf(const std::string& path) {
  const size_t slash = path.find_last_of('/');
  if (slash == std::string::npos) return ".";
  return slash == 0 ? "/" : path.substr(0, slash);
}

// What to lock: the lock file, made if need be; in a folder we may not write, a lock file someone
// else made there, else the folder itself. The lock file is never removed: a copy starting
// meanwhile could lock a file about to be gone.
int OpenLockable(const std::string& savePath) {
  const std::string lockPath = savePath + ".lock";
  int fd = ::open(lockPath.c_str(), O_RDWR | O_CREAT | kOpenFlags, 0644);
  if (fd < 0) fd = ::open(lockPath.c_str(), O_RDONLY | kOpenFlags);
  if (fd >= 0) {
    struct stat info;
    if (::fstat(fd, &info) == 0 && S_ISREG(info.st_mode)) return fd;
    ::close(fd);
  }
  return ::open(DirectoryOf(savePath).c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
}
}  // namespace

SaveLock::Outcome SaveLock::Acquire(const std::string& savePath) {
  Release();
  const int fd = OpenLockable(savePath);
  if (fd < 0) return Outcome::Unavailable;
  // flock, not fcntl locks: they belong to this open file, so even a second Acquire in the same
  // process is refused, and no other close of the same file drops them.
  if (::flock(fd, LOCK_EX | LOCK_NB) != 0) {
    const bool taken = errno == EWOULDBLOCK;
    ::close(fd);
    return taken ? Outcome::HeldByOther : Outcome::Unavailable;
  }
  handle_ = fd;
  return Outcome::Held;
}

void SaveLock::Release() {
  if (handle_ == -1) return;
  ::close(static_cast<int>(handle_));  // closing the only descriptor of the open file drops the lock
  handle_ = -1;
}
