// The save file with Windows' own calls; the same record, names and failure handling as the POSIX
// one in SaveFile.cpp.
#include <windows.h>
// The framework's message boxes share these names with Windows' own.
#undef MessageBox
#undef MB_OK
#undef MB_YESNO
#undef MB_YESNOCANCEL
#undef MB_ICONQUESTION
#undef IDOK
#undef IDCANCEL
#undef IDYES
#undef IDNO

#include <cstring>
#include <string>
#include <vector>

#include "framework/MessageBox.h"
#include "state/Reset.h"
#include "state/SaveFile.h"

namespace {

constexpr DWORD kRecordBytes = sizeof(GameState);
constexpr int kMaxDamagedCopies = 9999;

// Save paths are ASCII names relative to the current folder, or test folders the system named.
std::wstring Wide(const std::string& path) {
  const int n = MultiByteToWideChar(CP_ACP, 0, path.data(), static_cast<int>(path.size()), nullptr, 0);
  std::wstring out(static_cast<std::size_t>(n), L'\0');
  MultiByteToWideChar(CP_ACP, 0, path.data(), static_cast<int>(path.size()), out.data(), n);
  return out;
}

// "dir\tavo2.dat" -> "dir\tavo2-damaged-3.dat".
std::string DamagedName(const std::string& path, int n) {
  const size_t slash = path.find_last_of("/\\");
  const size_t nameStart = slash == std::string::npos ? 0 : slash + 1;
  size_t dot = path.find_last_of('.');
  if (dot == std::string::npos || dot <= nameStart) dot = path.size();  // no extension, or a dot file
  return path.substr(0, dot) + "-damaged-" + std::to_string(n) + path.substr(dot);
}

// Moves the file at path to the first free damaged name and returns that name, or "" on failure.
// A move without MOVEFILE_REPLACE_EXISTING claims the name without ever replacing a file.
std::string KeepDamagedFile(const std::string& path) {
  const std::wstring from = Wide(path);
  for (int n = 1; n <= kMaxDamagedCopies; ++n) {
    const std::string candidate = DamagedName(path, n);
    if (MoveFileExW(from.c_str(), Wide(candidate).c_str(), MOVEFILE_WRITE_THROUGH)) return candidate;
    const DWORD error = GetLastError();
    if (error != ERROR_ALREADY_EXISTS && error != ERROR_FILE_EXISTS) return {};
  }
  return {};
}

class Handle {
 public:
  explicit Handle(HANDLE h) : h_(h) {}
  ~Handle() {
    if (Valid()) CloseHandle(h_);
  }
  Handle(const Handle&) = delete;
  Handle& operator=(const Handle&) = delete;
  bool Valid() const { return h_ != INVALID_HANDLE_VALUE; }
  HANDLE Get() const { return h_; }
  // Closes now; false when closing failed.
  bool Close() {
    const bool ok = CloseHandle(h_) != 0;
    h_ = INVALID_HANDLE_VALUE;
    return ok;
  }

 private:
  HANDLE h_;
};

// A name beside path that no other file has: the process and a counter tell them apart.
std::string TempName(const std::string& path, unsigned attempt) {
  return path + ".tmp-" + std::to_string(GetCurrentProcessId()) + "-" + std::to_string(GetTickCount64()) + "-" +
         std::to_string(attempt);
}

}  // namespace

LoadResult ReadSaveFile(GameState& into, const std::string& path) {
  // A folder, a device or anything but a plain file in the save's place is no save file.
  Handle file(CreateFileW(Wide(path).c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                          nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
  if (!file.Valid() || GetFileType(file.Get()) != FILE_TYPE_DISK) return {LoadOutcome::Missing, {}};
  BY_HANDLE_FILE_INFORMATION info;
  if (!GetFileInformationByHandle(file.Get(), &info) || (info.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0)
    return {LoadOutcome::Missing, {}};

  // One byte more than a record, to tell an oversized file from an exact one.
  std::vector<unsigned char> buffer(kRecordBytes + 1);
  DWORD got = 0;
  bool readOk = true;
  while (got < buffer.size()) {
    DWORD n = 0;
    if (!ReadFile(file.Get(), buffer.data() + got, static_cast<DWORD>(buffer.size()) - got, &n, nullptr)) {
      readOk = false;
      break;
    }
    if (n == 0) break;
    got += n;
  }
  file.Close();
  if (!readOk || got != kRecordBytes) return {LoadOutcome::Damaged, KeepDamagedFile(path)};
  std::memcpy(static_cast<void*>(&into), buffer.data(), kRecordBytes);
  return {LoadOutcome::Loaded, {}};
}

bool WriteSaveFile(const GameState& from, const std::string& path) {
  // Windows refuses to replace a read-only file; the check makes that so under Wine too, before
  // anything is written.
  const DWORD existing = GetFileAttributesW(Wide(path).c_str());
  if (existing != INVALID_FILE_ATTRIBUTES && (existing & FILE_ATTRIBUTE_READONLY) != 0) return false;
  std::string temp;
  HANDLE created = INVALID_HANDLE_VALUE;
  for (unsigned attempt = 0; attempt < 100 && created == INVALID_HANDLE_VALUE; ++attempt) {
    temp = TempName(path, attempt);
    created = CreateFileW(Wide(temp).c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (created == INVALID_HANDLE_VALUE && GetLastError() != ERROR_FILE_EXISTS) return false;
  }
  Handle file(created);
  if (!file.Valid()) return false;

  const auto* bytes = reinterpret_cast<const unsigned char*>(&from);
  DWORD done = 0;
  bool ok = true;
  while (ok && done < kRecordBytes) {
    DWORD n = 0;
    ok = WriteFile(file.Get(), bytes + done, kRecordBytes - done, &n, nullptr) != 0 && n > 0;
    done += n;
  }
  // On disk before it takes the save's name.
  ok = ok && FlushFileBuffers(file.Get()) != 0;
  ok = file.Close() && ok;
  const std::wstring wideTemp = Wide(temp);
  if (ok)
    ok = MoveFileExW(wideTemp.c_str(), Wide(path).c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH) != 0;
  if (!ok) {
    DeleteFileW(wideTemp.c_str());
    return false;
  }
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
