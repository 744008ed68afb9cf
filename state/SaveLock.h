#pragma once
#include <string>

// Keeps two copies of the game in one folder from saving over each other's days: an advisory lock
// on "<save>.lock" beside the save file (on the folder itself where no lock file can be made),
// held for the life of the program.
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
  bool Held() const { return fd_ >= 0; }

 private:
  int fd_ = -1;
};
