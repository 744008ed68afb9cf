#include "platform/Process.h"

#include <dirent.h>
#include <limits.h>
#include <stdio.h>
#include <stdlib.h>
#include <unistd.h>

void UseBinaryStandardStreams() {}  // POSIX streams never translate line ends

std::optional<std::string> EnterScratchFolder() {
  const char* tmp = getenv("TMPDIR");
  std::string pattern = std::string(tmp != nullptr && *tmp != '\0' ? tmp : "/tmp") + "/tavo2-replay-XXXXXX";
  if (mkdtemp(pattern.data()) == nullptr || chdir(pattern.c_str()) != 0) return std::nullopt;
  return pattern;
}

void LeaveScratchFolder(const std::string& folder, const std::string& startedIn) {
  if (chdir(startedIn.c_str()) != 0 && chdir("/") != 0) return;
  // Only what the game makes: plain files, no folders.
  if (DIR* dir = opendir(folder.c_str())) {
    while (const dirent* entry = readdir(dir)) {
      const std::string name = entry->d_name;
      if (name != "." && name != "..") unlink((folder + "/" + name).c_str());
    }
    closedir(dir);
  }
  rmdir(folder.c_str());
}

std::string CurrentFolder() {
  char buffer[PATH_MAX];
  return getcwd(buffer, sizeof buffer) != nullptr ? buffer : ".";
}
