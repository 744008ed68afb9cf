// The save file with Windows' own calls (SaveFile_posix.cpp: the same with POSIX calls): the same
// record, names, outcomes and failure handling.
#include <windows.h>
#include <aclapi.h>

#include <cstring>
#include <string>
#include <vector>

#include "state/SaveFile.h"

namespace {

constexpr DWORD kRecordBytes = sizeof(GameState);
constexpr int kMaxDamagedCopies = 9999;
constexpr DWORD kShareAll = FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE;

// Save paths are names relative to the current folder, or folders the system named: the ANSI code
// page is what the C runtime would take them in.
std::wstring Wide(const std::string& path) {
  const int n = MultiByteToWideChar(CP_ACP, 0, path.data(), static_cast<int>(path.size()), nullptr, 0);
  std::wstring out(static_cast<std::size_t>(n), L'\0');
  MultiByteToWideChar(CP_ACP, 0, path.data(), static_cast<int>(path.size()), out.data(), n);
  return out;
}

std::string Narrow(const std::wstring& path) {
  const int n = WideCharToMultiByte(CP_ACP, 0, path.data(), static_cast<int>(path.size()), nullptr, 0, nullptr, nullptr);
  std::string out(static_cast<std::size_t>(n), '\0');
  WideCharToMultiByte(CP_ACP, 0, path.data(), static_cast<int>(path.size()), out.data(), n, nullptr, nullptr);
  return out;
}

bool NotThere(DWORD error) { return error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND; }

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

// "dir\tavo2.dat" -> "dir\tavo2-damaged-3.dat".
std::string DamagedName(const std::string& path, int n) {
  const size_t slash = path.find_last_of("/\\");
  const size_t nameStart = slash == std::string::npos ? 0 : slash + 1;
  size_t dot = path.find_last_of('.');
  if (dot == std::string::npos || dot <= nameStart) dot = path.size();  // no extension, or a dot file
  return path.substr(0, dot) + "-damaged-" + std::to_string(n) + path.substr(dot);
}

// Moves what is at path (a symbolic link itself, never its target) to the first free damaged
// name and returns that name, or "" on failure. A move without MOVEFILE_REPLACE_EXISTING claims
// the name without ever replacing a file.
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

// Follows path's symbolic links to the file they end at: the path itself when it is no link (or
// does not exist), else the final path of the file it leads to. False when the links lead nowhere
// or round in a circle; error says which.
bool ResolveLinks(const std::wstring& path, std::wstring& target, DWORD& error) {
  const DWORD attributes = GetFileAttributesW(path.c_str());
  if (attributes == INVALID_FILE_ATTRIBUTES || (attributes & FILE_ATTRIBUTE_REPARSE_POINT) == 0) {
    target = path;
    return true;
  }
  Handle file(CreateFileW(path.c_str(), 0, kShareAll, nullptr, OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr));
  if (!file.Valid()) {
    error = GetLastError();
    return false;
  }
  std::wstring final(MAX_PATH, L'\0');
  for (;;) {
    const DWORD n = GetFinalPathNameByHandleW(file.Get(), final.data(), static_cast<DWORD>(final.size()), 0);
    if (n == 0) {
      error = GetLastError();
      return false;
    }
    if (n < final.size()) {
      final.resize(n);
      break;
    }
    final.resize(n + 1);
  }
  target = final;
  return true;
}

ReadProblem ProblemOf(DWORD error) {
  switch (error) {
    case ERROR_ACCESS_DENIED:
    case ERROR_PRIVILEGE_NOT_HELD:
      return ReadProblem::Permission;
    case ERROR_CANT_RESOLVE_FILENAME:
      return ReadProblem::LinkLoop;
    default:
      return ReadProblem::Error;
  }
}

// What cannot be read is moved aside as a damaged file is: the player may still want it.
LoadResult Unreadable(ReadProblem problem, DWORD error, const std::string& keep) {
  return {LoadOutcome::Unreadable, KeepDamagedFile(keep), problem,
          problem == ReadProblem::Error ? static_cast<int>(error) : 0};
}

bool WriteFully(HANDLE file, const unsigned char* data, DWORD size) {
  DWORD done = 0;
  while (done < size) {
    DWORD n = 0;
    if (!WriteFile(file, data + done, size - done, &n, nullptr) || n == 0) return false;
    done += n;
  }
  return true;
}

// Removes a file as unlink would: Windows will not delete a read-only one.
bool RemoveFile(const std::wstring& path) {
  const DWORD attributes = GetFileAttributesW(path.c_str());
  if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_READONLY) != 0)
    SetFileAttributesW(path.c_str(), attributes & ~FILE_ATTRIBUTE_READONLY);
  return DeleteFileW(path.c_str()) != 0;
}

// The fallback where no file can be made beside the save: write the record over the old one.
WriteOutcome RewriteInPlace(const GameState& from, const std::wstring& target) {
  Handle file(CreateFileW(target.c_str(), GENERIC_WRITE, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                          FILE_ATTRIBUTE_NORMAL, nullptr));
  if (!file.Valid() || GetFileType(file.Get()) != FILE_TYPE_DISK || !SetEndOfFile(file.Get()))
    return WriteOutcome::OldKept;
  // Cut first: a rewrite that stops part-way leaves a short file, never a whole-sized mixture of
  // two records.
  bool ok = WriteFully(file.Get(), reinterpret_cast<const unsigned char*>(&from), kRecordBytes) &&
            FlushFileBuffers(file.Get()) != 0;
  ok = file.Close() && ok;
  return ok ? WriteOutcome::Written : WriteOutcome::Torn;
}

// The new save gets the old one's access list, as the POSIX save keeps the old file's mode.
bool CopyAccessList(const std::wstring& from, HANDLE to) {
  PACL acl = nullptr;
  PSECURITY_DESCRIPTOR descriptor = nullptr;
  if (GetNamedSecurityInfoW(from.c_str(), SE_FILE_OBJECT, DACL_SECURITY_INFORMATION, nullptr, nullptr, &acl, nullptr,
                            &descriptor) != ERROR_SUCCESS)
    return true;  // nothing to copy where the file system keeps none
  SECURITY_DESCRIPTOR_CONTROL control = 0;
  DWORD revision = 0;
  GetSecurityDescriptorControl(descriptor, &control, &revision);
  const SECURITY_INFORMATION what = DACL_SECURITY_INFORMATION | ((control & SE_DACL_PROTECTED) != 0
                                                                     ? PROTECTED_DACL_SECURITY_INFORMATION
                                                                     : UNPROTECTED_DACL_SECURITY_INFORMATION);
  const bool ok = acl == nullptr || SetSecurityInfo(to, SE_FILE_OBJECT, what, nullptr, nullptr, acl, nullptr) == ERROR_SUCCESS;
  LocalFree(descriptor);
  return ok;
}

}  // namespace

LoadResult ReadSaveFile(GameState& into, const std::string& path) {
  const std::wstring name = Wide(path);
  const DWORD attributes = GetFileAttributesW(name.c_str());
  if (attributes == INVALID_FILE_ATTRIBUTES) {
    // Only a name that does not exist at all is a first start.
    const DWORD error = GetLastError();
    if (NotThere(error)) return {LoadOutcome::Missing, {}};
    return Unreadable(ProblemOf(error), error, path);
  }
  const bool link = (attributes & FILE_ATTRIBUTE_REPARSE_POINT) != 0;
  if (!link && (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0) return Unreadable(ReadProblem::Folder, 0, path);

  // Opening follows links; a folder at their end opens too, so that it is told apart.
  Handle file(CreateFileW(name.c_str(), GENERIC_READ, kShareAll, nullptr, OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS,
                          nullptr));
  if (!file.Valid()) {
    const DWORD error = GetLastError();
    return Unreadable(link && NotThere(error) ? ReadProblem::DanglingLink : ProblemOf(error), error, path);
  }
  BY_HANDLE_FILE_INFORMATION info;
  if (GetFileInformationByHandle(file.Get(), &info) && (info.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0) {
    file.Close();
    return Unreadable(ReadProblem::Folder, 0, path);
  }
  if (GetFileType(file.Get()) != FILE_TYPE_DISK) {
    file.Close();
    return Unreadable(ReadProblem::NotAFile, 0, path);
  }

  // One byte more than a record, to tell an oversized file from an exact one.
  std::vector<unsigned char> buffer(kRecordBytes + 1);
  DWORD got = 0;
  DWORD readError = 0;
  while (got < buffer.size()) {
    DWORD n = 0;
    if (!ReadFile(file.Get(), buffer.data() + got, static_cast<DWORD>(buffer.size()) - got, &n, nullptr)) {
      readError = GetLastError();
      break;
    }
    if (n == 0) break;
    got += n;
  }
  file.Close();
  if (readError != 0) return Unreadable(ProblemOf(readError), readError, path);
  if (got != kRecordBytes) return {LoadOutcome::Damaged, KeepDamagedFile(path)};
  std::memcpy(static_cast<void*>(&into), buffer.data(), kRecordBytes);
  return {LoadOutcome::Loaded, {}};
}

std::string SaveTempName(const std::string& path) {
  std::wstring target;
  DWORD error = 0;
  if (!ResolveLinks(Wide(path), target, error)) return path + ".tmp";
  return Narrow(target) + ".tmp";
}

void RemoveStaleSaveTemp(const std::string& path) {
  const std::wstring temp = Wide(SaveTempName(path));
  const DWORD attributes = GetFileAttributesW(temp.c_str());
  if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) == 0) RemoveFile(temp);
}

WriteOutcome WriteSaveFile(const GameState& from, const std::string& path) {
  std::wstring target;
  DWORD error = 0;
  if (!ResolveLinks(Wide(path), target, error)) return WriteOutcome::OldKept;
  const DWORD old = GetFileAttributesW(target.c_str());
  const bool hasOld = old != INVALID_FILE_ATTRIBUTES;
  // Never replace what is not a save: a folder.
  if (hasOld && (old & FILE_ATTRIBUTE_DIRECTORY) != 0) return WriteOutcome::OldKept;

  const std::wstring temp = target + L".tmp";
  const DWORD tempAttributes = GetFileAttributesW(temp.c_str());
  if (tempAttributes != INVALID_FILE_ATTRIBUTES) {
    if ((tempAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0) return WriteOutcome::OldKept;
    if (!RemoveFile(temp) && GetLastError() != ERROR_ACCESS_DENIED) return WriteOutcome::OldKept;
  }
  Handle file(CreateFileW(temp.c_str(), GENERIC_WRITE | WRITE_DAC, 0, nullptr, CREATE_NEW, FILE_ATTRIBUTE_NORMAL,
                          nullptr));
  if (!file.Valid()) {
    const bool mayNotWriteFolder = GetLastError() == ERROR_ACCESS_DENIED;
    return mayNotWriteFolder && hasOld ? RewriteInPlace(from, target) : WriteOutcome::OldKept;
  }

  bool ok = (!hasOld || CopyAccessList(target, file.Get())) &&
            WriteFully(file.Get(), reinterpret_cast<const unsigned char*>(&from), kRecordBytes) &&
            FlushFileBuffers(file.Get()) != 0;  // on disk before it takes the save's name
  ok = file.Close() && ok;
  if (!ok) {
    DeleteFileW(temp.c_str());
    return WriteOutcome::OldKept;
  }
  // Windows will not replace a read-only file: the attribute comes off the old save for the move,
  // and the new one gets the old one's attributes.
  const bool readOnly = hasOld && (old & FILE_ATTRIBUTE_READONLY) != 0;
  if (readOnly) SetFileAttributesW(target.c_str(), old & ~FILE_ATTRIBUTE_READONLY);
  if (!MoveFileExW(temp.c_str(), target.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) {
    // A file the player may write but not replace may still be rewritten.
    const bool refused = GetLastError() == ERROR_ACCESS_DENIED;
    DeleteFileW(temp.c_str());
    if (readOnly) SetFileAttributesW(target.c_str(), old);
    return refused && hasOld && !readOnly ? RewriteInPlace(from, target) : WriteOutcome::OldKept;
  }
  if (hasOld) SetFileAttributesW(target.c_str(), old);
  return WriteOutcome::Written;
}
