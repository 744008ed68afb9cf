#pragma once
#include <cstdint>
#include <string>

// Keeps two copies of the game in one folder from saving over each other's days: a lock on
// "<save>.lock" beside the save file (on the folder itself where no lock file can be made), held
// for the life of the program. SaveLock_posix.cpp locks with flock, SaveLock_win32.cpp with
// LockFileEx (and a named mutex for the folder).
class SaveLock {
 public:
  enum class Outcome {
    Held,         // this copy holds the lock
    HeldByOther,  // another copy of the game holds it
    Unavailable,  // nothing here can be locked; the game runs unlocked
  };

  SaveLock() = default;
  ~SaveLock() { Release(); }
  SaveLock(const SaveLock&) = delete;
  SaveLock& operator=(const SaveLock&) = delete;

  Outcome Acquire(const std::string& savePath);
  void Release();
  bool Held() const { return handle_ != -1; }

 private:
  std::intptr_t handle_ = -1;  // a file descriptor, or a Windows handle; -1 for none
};
