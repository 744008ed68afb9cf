#include "state/SaveLock.h"

#include <windows.h>

#include <algorithm>
#include <string>

namespace {

std::wstring Wide(const std::string& path) {
  const int n = MultiByteToWideChar(CP_ACP, 0, path.data(), static_cast<int>(path.size()), nullptr, 0);
  std::wstring out(static_cast<std::size_t>(n), L'\0');
  MultiByteToWideChar(CP_ACP, 0, path.data(), static_cast<int>(path.size()), out.data(), n);
  return out;
}

// Where no lock file can be made or opened, the folder itself is locked: Windows cannot lock a
// folder's bytes, so a named mutex stands for it, named after the folder's full path.
HANDLE LockFolder(const std::wstring& savePath) {
  const DWORD n = GetFullPathNameW(savePath.c_str(), 0, nullptr, nullptr);
  if (n == 0) return nullptr;
  std::wstring full(n, L'\0');
  full.resize(GetFullPathNameW(savePath.c_str(), n, full.data(), nullptr));
  full = full.substr(0, full.find_last_of(L"\\/") + 1);
  // Names are case-blind like the file system; a backslash would name a namespace.
  CharUpperBuffW(full.data(), static_cast<DWORD>(full.size()));
  std::replace(full.begin(), full.end(), L'\\', L'/');
  const std::wstring name = L"Local\\pomuru-save-lock:" + full;
  return CreateMutexW(nullptr, FALSE, name.c_str());
}

}  // namespace

SaveLock::Outcome SaveLock::Acquire(const std::string& savePath) {
  Release();
  const std::wstring save = Wide(savePath);
  const std::wstring lockPath = save + L".lock";
  // The lock file is never removed: a copy starting meanwhile could lock a file about to be gone.
  constexpr DWORD kShare = FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE;
  HANDLE file = CreateFileW(lockPath.c_str(), GENERIC_READ | GENERIC_WRITE, kShare, nullptr, OPEN_ALWAYS,
                            FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE)
    file = CreateFileW(lockPath.c_str(), GENERIC_READ, kShare, nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file != INVALID_HANDLE_VALUE && GetFileType(file) != FILE_TYPE_DISK) {
    CloseHandle(file);
    file = INVALID_HANDLE_VALUE;
  }
  if (file != INVALID_HANDLE_VALUE) {
    // A lock on the handle: a second Acquire, even in this process, is refused until Release.
    OVERLAPPED at{};
    if (!LockFileEx(file, LOCKFILE_EXCLUSIVE_LOCK | LOCKFILE_FAIL_IMMEDIATELY, 0, 1, 0, &at)) {
      const bool taken = GetLastError() == ERROR_LOCK_VIOLATION;
      CloseHandle(file);
      return taken ? Outcome::HeldByOther : Outcome::Unavailable;
    }
    handle_ = reinterpret_cast<std::intptr_t>(file);
    return Outcome::Held;
  }
  HANDLE folder = LockFolder(save);
  if (folder == nullptr) return Outcome::Unavailable;
  if (GetLastError() == ERROR_ALREADY_EXISTS) {
    CloseHandle(folder);
    return Outcome::HeldByOther;
  }
  handle_ = reinterpret_cast<std::intptr_t>(folder);
  return Outcome::Held;
}

void SaveLock::Release() {
  if (handle_ == -1) return;
  const auto handle = reinterpret_cast<HANDLE>(handle_);
  // Closing would drop a file's lock too, but only in Windows' good time: unlock now. (A folder's
  // mutex goes with its last handle; UnlockFileEx does nothing to it.)
  OVERLAPPED at{};
  UnlockFileEx(handle, 0, 1, 0, &at);
  CloseHandle(handle);
  handle_ = -1;
}
