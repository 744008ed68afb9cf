// Preloaded into the game by the crash test (LD_PRELOAD). Counts the calls that touch the save
// (its files, their folder, and the descriptors opened on them) and stops the process with SIGSTOP
// just before or just after one of them, where the test kills it.
//   TAVO2_HOLD_AT=N         the Nth such call (1-based); none without it
//   TAVO2_HOLD_WHEN=after   stop after the call instead of before it
//   TAVO2_HOLD_COUNT=FILE   write the number of such calls there at a normal exit
#include <dlfcn.h>
#include <fcntl.h>
#include <signal.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdarg>
#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace {
constexpr int kMaxFd = 4096;
bool tracked[kMaxFd];
long calls = 0;
long holdAt = -1;
bool holdAfter = false;

struct Setup {
  Setup() {
    if (const char* at = std::getenv("TAVO2_HOLD_AT")) holdAt = std::atol(at);
    if (const char* when = std::getenv("TAVO2_HOLD_WHEN")) holdAfter = std::strcmp(when, "after") == 0;
  }
  ~Setup() {
    if (const char* file = std::getenv("TAVO2_HOLD_COUNT")) {
      if (FILE* f = std::fopen(file, "w")) {
        std::fprintf(f, "%ld\n", calls);
        std::fclose(f);
      }
    }
  }
} setup;

bool SavePath(const char* path) {
  return path && (std::strstr(path, "tavo2") || std::strstr(path, "saves") || std::strcmp(path, ".") == 0);
}
bool SaveFd(int fd) { return fd >= 0 && fd < kMaxFd && tracked[fd]; }

void Before() {
  ++calls;
  if (calls == holdAt && !holdAfter) ::raise(SIGSTOP);
}
void After() {
  if (calls == holdAt && holdAfter) ::raise(SIGSTOP);
}

template <class F>
F Next(const char* name) {
  return reinterpret_cast<F>(::dlsym(RTLD_NEXT, name));
}

// Runs the real call, counted and held around when `traced`.
template <class Call>
auto Around(bool traced, Call call) {
  if (traced) Before();
  auto result = call();
  if (traced) After();
  return result;
}
}  // namespace

extern "C" {

int open(const char* path, int flags, ...) {
  mode_t mode = 0;
  if (flags & O_CREAT) {
    va_list args;
    va_start(args, flags);
    mode = static_cast<mode_t>(va_arg(args, int));
    va_end(args);
  }
  static auto real = Next<int (*)(const char*, int, ...)>("open");
  const bool traced = SavePath(path);
  if (traced) Before();
  const int fd = real(path, flags, mode);
  if (traced && fd >= 0 && fd < kMaxFd) tracked[fd] = true;
  if (traced) After();
  return fd;
}

int close(int fd) {
  static auto real = Next<int (*)(int)>("close");
  const bool traced = SaveFd(fd);
  if (traced) tracked[fd] = false;
  return Around(traced, [&] { return real(fd); });
}

ssize_t read(int fd, void* buffer, size_t size) {
  static auto real = Next<ssize_t (*)(int, void*, size_t)>("read");
  return Around(SaveFd(fd), [&] { return real(fd, buffer, size); });
}

ssize_t write(int fd, const void* data, size_t size) {
  static auto real = Next<ssize_t (*)(int, const void*, size_t)>("write");
  return Around(SaveFd(fd), [&] { return real(fd, data, size); });
}

int fsync(int fd) {
  static auto real = Next<int (*)(int)>("fsync");
  return Around(SaveFd(fd), [&] { return real(fd); });
}
int ftruncate(int fd, off_t length) {
  static auto real = Next<int (*)(int, off_t)>("ftruncate");
  return Around(SaveFd(fd), [&] { return real(fd, length); });
}
int fchmod(int fd, mode_t mode) {
  static auto real = Next<int (*)(int, mode_t)>("fchmod");
  return Around(SaveFd(fd), [&] { return real(fd, mode); });
}
int fchown(int fd, uid_t owner, gid_t group) {
  static auto real = Next<int (*)(int, uid_t, gid_t)>("fchown");
  return Around(SaveFd(fd), [&] { return real(fd, owner, group); });
}
int flock(int fd, int operation) {
  static auto real = Next<int (*)(int, int)>("flock");
  return Around(SaveFd(fd), [&] { return real(fd, operation); });
}
int fstat(int fd, struct stat* info) {
  static auto real = Next<int (*)(int, struct stat*)>("fstat");
  return Around(SaveFd(fd), [&] { return real(fd, info); });
}
int stat(const char* path, struct stat* info) {
  static auto real = Next<int (*)(const char*, struct stat*)>("stat");
  return Around(SavePath(path), [&] { return real(path, info); });
}
int lstat(const char* path, struct stat* info) {
  static auto real = Next<int (*)(const char*, struct stat*)>("lstat");
  return Around(SavePath(path), [&] { return real(path, info); });
}
int unlink(const char* path) {
  static auto real = Next<int (*)(const char*)>("unlink");
  return Around(SavePath(path), [&] { return real(path); });
}
int rename(const char* from, const char* to) {
  static auto real = Next<int (*)(const char*, const char*)>("rename");
  return Around(SavePath(from) || SavePath(to), [&] { return real(from, to); });
}
int link(const char* from, const char* to) {
  static auto real = Next<int (*)(const char*, const char*)>("link");
  return Around(SavePath(from) || SavePath(to), [&] { return real(from, to); });
}
ssize_t readlink(const char* path, char* buffer, size_t size) {
  static auto real = Next<ssize_t (*)(const char*, char*, size_t)>("readlink");
  return Around(SavePath(path), [&] { return real(path, buffer, size); });
}

}  // extern "C"
