// Win32 file services with the 8-bit (ANSI) calls, the code page the
// generator's texts are held in. Identity of two names is decided by volume
// and file index, which sees through case, short names and "..". New files
// are made with CREATE_NEW and written through the handle that made them;
// the scratch folder gets an access list for the current user alone.
#include <windows.h>
// After windows.h, which it needs.
#include <sddl.h>

#include <algorithm>
#include <memory>
#include <string_view>
#include <vector>

#include "base/file_sink.h"
#include "base/text.h"
#include "platform/files.h"
#include "platform/unique_name.h"

namespace tarnwick::platform {

namespace {

struct HandleCloser {
  void operator()(HANDLE handle) const { CloseHandle(handle); }
};
using Handle = std::unique_ptr<void, HandleCloser>;

struct LocalFreer {
  void operator()(void* memory) const { LocalFree(memory); }
};

// The current user's security identifier as text ("S-1-5-21-..."); empty
// when the process token cannot say.
std::string CurrentUserSid() {
  HANDLE raw = nullptr;
  if (!OpenProcessToken(GetCurrentProcess(), TOKEN_QUERY, &raw)) return {};
  const Handle token(raw);
  DWORD size = 0;
  GetTokenInformation(token.get(), TokenUser, nullptr, 0, &size);
  std::vector<unsigned char> buffer(size);
  if (size == 0 || !GetTokenInformation(token.get(), TokenUser, buffer.data(), size, &size)) {
    return {};
  }
  char* text = nullptr;
  if (!ConvertSidToStringSidA(reinterpret_cast<TOKEN_USER*>(buffer.data())->User.Sid, &text)) {
    return {};
  }
  const std::unique_ptr<char, LocalFreer> owned(text);
  return text;
}

}  // namespace

NewFile WriteNewFileFrom(const std::string& path, const BlockSource& bytes,
                         std::optional<unsigned>) {
  // CREATE_NEW fails on any existing name, a link included.
  Handle file(CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                          FILE_ATTRIBUTE_NORMAL, nullptr));
  if (file.get() == INVALID_HANDLE_VALUE) {
    file.release();
    const DWORD problem = GetLastError();
    return problem == ERROR_FILE_EXISTS || problem == ERROR_ALREADY_EXISTS ? NewFile::kExists
                                                                           : NewFile::kFailed;
  }
  bool written = EachBlock(bytes, [&file](std::string_view block) {
    while (!block.empty()) {
      const DWORD chunk = static_cast<DWORD>(std::min<std::size_t>(block.size(), 1u << 30));
      DWORD done = 0;
      if (!WriteFile(file.get(), block.data(), chunk, &done, nullptr) || done == 0) return false;
      block.remove_prefix(done);
    }
    return true;
  });
  written = CloseHandle(file.release()) && written;
  if (written) return NewFile::kCreated;
  DeleteFileA(path.c_str());
  return NewFile::kNotWritten;
}

std::string CreatePrivateFolder(const std::string& directory, const std::string& prefix) {
  // Full control for the current user alone: "P" keeps the parent's entries
  // out, "OICI" hands the entry down to the files made inside.
  const std::string sid = CurrentUserSid();
  if (sid.empty()) return {};
  const std::string access = "D:P(A;OICI;FA;;;" + sid + ")";
  PSECURITY_DESCRIPTOR descriptor = nullptr;
  if (!ConvertStringSecurityDescriptorToSecurityDescriptorA(access.c_str(), SDDL_REVISION_1,
                                                            &descriptor, nullptr)) {
    return {};
  }
  const std::unique_ptr<void, LocalFreer> owned(descriptor);
  SECURITY_ATTRIBUTES attributes{sizeof attributes, descriptor, FALSE};
  return MakeUnderUniqueName(directory + prefix,
                             [&](const std::string& name) {
                               if (CreateDirectoryA(name.c_str(), &attributes)) {
                                 return NewFile::kCreated;
                               }
                               return GetLastError() == ERROR_ALREADY_EXISTS ? NewFile::kExists
                                                                             : NewFile::kFailed;
                             })
      .path;
}

bool RemoveFolder(const std::string& folder) {
  // Emptied again while a file appears in it: a run ended from another
  // thread may still be making one.
  for (int round = 0; round < 100; ++round) {
    WIN32_FIND_DATAA entry;
    HANDLE search = FindFirstFileA((folder + "\\*").c_str(), &entry);
    if (search != INVALID_HANDLE_VALUE) {
      do {
        // DeleteFile removes a link itself, never what it points to.
        if (!(entry.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)) {
          DeleteFileA((folder + "\\" + entry.cFileName).c_str());
        }
      } while (FindNextFileA(search, &entry));
      FindClose(search);
    }
    if (RemoveDirectoryA(folder.c_str())) return true;
    const DWORD problem = GetLastError();
    if (problem == ERROR_FILE_NOT_FOUND || problem == ERROR_PATH_NOT_FOUND) return true;
    if (problem != ERROR_DIR_NOT_EMPTY) return false;
    // A file still open elsewhere goes when it is closed.
    Sleep(10);
  }
  return false;
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

bool IsDirectory(const std::string& path) {
  const DWORD attributes = GetFileAttributesA(path.c_str());
  return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY);
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

// A windowed program's standard streams are not named by paths a user gives.
bool IsStandardOutput(const std::string&) {
  return false;
}

bool WriteInto(const std::string& path, const BlockSource& bytes) {
  return WriteFileFrom(path, bytes);
}

std::optional<unsigned> PermissionBits(const std::string&) {
  return std::nullopt;
}

// NTFS, FAT32 and exFAT alike: 255 UTF-16 units, never fewer bytes.
std::size_t FileNameLimit(const std::string&) {
  return 255;
}

}  // namespace tarnwick::platform
