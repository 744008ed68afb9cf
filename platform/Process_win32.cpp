#include "platform/Process.h"

#include <fcntl.h>
#include <io.h>
#include <windows.h>

#include <cstdio>

void UseBinaryStandardStreams() {
  _setmode(_fileno(stdout), _O_BINARY);
  _setmode(_fileno(stderr), _O_BINARY);
}

std::optional<std::string> EnterScratchFolder() {
  char base[MAX_PATH + 1];
  const DWORD n = GetTempPathA(sizeof base, base);
  if (n == 0 || n > MAX_PATH) return std::nullopt;
  for (unsigned attempt = 0; attempt < 100; ++attempt) {
    const std::string folder = std::string(base) + "tavo2-replay-" + std::to_string(GetCurrentProcessId()) + "-" +
                               std::to_string(attempt);
    if (CreateDirectoryA(folder.c_str(), nullptr)) {
      if (!SetCurrentDirectoryA(folder.c_str())) return std::nullopt;
      return folder;
    }
  }
  return std::nullopt;
}

void LeaveScratchFolder(const std::string& folder, const std::string& startedIn) {
  SetCurrentDirectoryA(startedIn.c_str());
  // Only what the game makes: plain files, no folders.
  WIN32_FIND_DATAA found;
  HANDLE search = FindFirstFileA((folder + "\\*").c_str(), &found);
  if (search != INVALID_HANDLE_VALUE) {
    do {
      const std::string name = found.cFileName;
      if (name != "." && name != "..") DeleteFileA((folder + "\\" + name).c_str());
    } while (FindNextFileA(search, &found));
    FindClose(search);
  }
  RemoveDirectoryA(folder.c_str());
}

std::string CurrentFolder() {
  char buffer[MAX_PATH + 1];
  const DWORD n = GetCurrentDirectoryA(sizeof buffer, buffer);
  return n > 0 && n <= MAX_PATH ? buffer : ".";
}
