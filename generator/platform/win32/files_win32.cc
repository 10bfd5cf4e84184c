// Win32 file services with the 8-bit (ANSI) calls, the code page the
// generator's texts are held in. Identity of two names is decided by volume
// and file index, which sees through case, short names and "..".
#include <windows.h>

#include <string_view>

#include "base/text.h"
#include "platform/files.h"

namespace tarnwick::platform {

NewFile CreateNewFile(const std::string& path) {
  HANDLE file = CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                            FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file != INVALID_HANDLE_VALUE) {
    CloseHandle(file);
    return NewFile::kCreated;
  }
  DWORD problem = GetLastError();
  return problem == ERROR_FILE_EXISTS || problem == ERROR_ALREADY_EXISTS ? NewFile::kExists
                                                                         : NewFile::kFailed;
}

// The tick count as well: random_device is deterministic on some MinGW runtimes.
uint64_t ProcessSeed() {
  return (static_cast<uint64_t>(GetCurrentProcessId()) << 32) ^ GetTickCount64();
}

bool RenameReplacing(const std::string& from, const std::string& to) {
  return MoveFileExA(from.c_str(), to.c_str(),
                     MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH) != 0;
}

bool RemoveFile(const std::string& path) {
  if (DeleteFileA(path.c_str())) return true;
  DWORD problem = GetLastError();
  return problem == ERROR_FILE_NOT_FOUND || problem == ERROR_PATH_NOT_FOUND;
}

bool FileExists(const std::string& path) {
  return GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES;
}

namespace {

bool Identify(const std::string& path, BY_HANDLE_FILE_INFORMATION& info) {
  HANDLE file = CreateFileA(path.c_str(), 0, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                            nullptr, OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr);
  if (file == INVALID_HANDLE_VALUE) return false;
  bool known = GetFileInformationByHandle(file, &info) != 0;
  CloseHandle(file);
  return known;
}

}  // namespace

bool SameFile(const std::string& a, const std::string& b) {
  BY_HANDLE_FILE_INFORMATION infoA, infoB;
  if (!Identify(a, infoA) || !Identify(b, infoB)) return false;
  return infoA.dwVolumeSerialNumber == infoB.dwVolumeSerialNumber &&
         infoA.nFileIndexHigh == infoB.nFileIndexHigh && infoA.nFileIndexLow == infoB.nFileIndexLow;
}

std::string FollowLinks(const std::string& path) {
  const DWORD attributes = GetFileAttributesA(path.c_str());
  if (attributes == INVALID_FILE_ATTRIBUTES || !(attributes & FILE_ATTRIBUTE_REPARSE_POINT)) {
    return path;
  }
  // Opening follows the whole chain; the handle then knows the final name.
  HANDLE file = CreateFileA(path.c_str(), 0, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                            nullptr, OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr);
  if (file == INVALID_HANDLE_VALUE) {
    // A link to a missing file is replaced like a file; a loop is refused.
    return GetLastError() == ERROR_CANT_RESOLVE_FILENAME ? std::string() : path;
  }
  std::string final(MAX_PATH, '\0');
  DWORD length = GetFinalPathNameByHandleA(file, final.data(), static_cast<DWORD>(final.size()),
                                           FILE_NAME_NORMALIZED | VOLUME_NAME_DOS);
  if (length >= final.size()) {
    final.resize(length);
    length = GetFinalPathNameByHandleA(file, final.data(), static_cast<DWORD>(final.size()),
                                       FILE_NAME_NORMALIZED | VOLUME_NAME_DOS);
  }
  CloseHandle(file);
  if (length == 0 || length >= final.size()) return path;
  final.resize(length);
  // The answer carries the long-name prefix, which the ANSI calls do not need.
  if (final.starts_with("\\\\?\\UNC\\")) return "\\\\" + final.substr(8);
  if (final.starts_with("\\\\?\\")) return final.substr(4);
  return final;
}

bool IsStreamTarget(const std::string& path) {
  // Opening a named pipe would take one of its instances: judge by the name.
  if (StartsWithIgnoringAsciiCase(path, "\\\\.\\pipe\\") ||
      StartsWithIgnoringAsciiCase(path, "\\\\?\\pipe\\")) {
    return true;
  }
  HANDLE file = CreateFileA(path.c_str(), 0, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                            nullptr, OPEN_EXISTING, 0, nullptr);
  if (file == INVALID_HANDLE_VALUE) return false;
  const DWORD type = GetFileType(file);
  CloseHandle(file);
  return type == FILE_TYPE_CHAR || type == FILE_TYPE_PIPE;
}

std::vector<std::string> FilesStartingWith(const std::string& stem) {
  const std::size_t separator = stem.find_last_of("\\/");
  const std::string directory = separator == std::string::npos ? "" : stem.substr(0, separator + 1);
  const std::string prefix = stem.substr(directory.size());
  std::vector<std::string> found;
  WIN32_FIND_DATAA entry;
  HANDLE search = FindFirstFileA((stem + "*").c_str(), &entry);
  if (search == INVALID_HANDLE_VALUE) return found;
  do {
    // The pattern also matches short names; only the long name counts.
    const std::string_view name = entry.cFileName;
    if (!(entry.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) && name.starts_with(prefix)) {
      found.push_back(directory + std::string(name));
    }
  } while (FindNextFileA(search, &entry));
  FindClose(search);
  return found;
}

}  // namespace tarnwick::platform
