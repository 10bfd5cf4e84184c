// System on Windows: the ANSI file and environment functions, so paths and
// values stay in the system's 8-bit code page as the IDE writes them. The
// atomic replace writes a sibling temporary file, flushes it and moves it
// over the original with MoveFileExA.
#include <windows.h>

#include <string>
#include <vector>

#include "platform/system.h"

namespace korvane {
namespace {

// Closes the handle on every return path.
class Handle {
 public:
  explicit Handle(HANDLE handle) : handle_(handle) {}
  Handle(const Handle&) = delete;
  Handle& operator=(const Handle&) = delete;
  ~Handle() {
    if (valid()) ::CloseHandle(handle_);
  }
  bool valid() const { return handle_ != INVALID_HANDLE_VALUE && handle_ != nullptr; }
  HANDLE get() const { return handle_; }
  bool Close() {
    HANDLE handle = handle_;
    handle_ = INVALID_HANDLE_VALUE;
    return ::CloseHandle(handle) != 0;
  }

 private:
  HANDLE handle_;
};

bool WriteAll(HANDLE file, std::string_view bytes) {
  while (!bytes.empty()) {
    DWORD chunk = bytes.size() > 0x10000000 ? 0x10000000 : static_cast<DWORD>(bytes.size());
    DWORD written = 0;
    if (!::WriteFile(file, bytes.data(), chunk, &written, nullptr) || written == 0) return false;
    bytes.remove_prefix(written);
  }
  return true;
}

class Win32System final : public System {
 public:
  std::optional<std::string> ReadFile(const std::string& path) const override {
    Handle file(::CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE,
                              nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file.valid()) return std::nullopt;
    std::string bytes;
    char buffer[65536];
    for (;;) {
      DWORD read = 0;
      if (!::ReadFile(file.get(), buffer, sizeof buffer, &read, nullptr)) return std::nullopt;
      if (read == 0) break;
      bytes.append(buffer, read);
    }
    return bytes;
  }

  bool CopyFile(const std::string& from, const std::string& to) const override {
    // Not ::CopyFileA: an interrupted copy would leave a truncated backup.
    std::optional<std::string> bytes = ReadFile(from);
    return bytes && ReplaceFile(to, *bytes);
  }

  bool ReplaceFile(const std::string& path, std::string_view bytes) const override {
    // A fixed suffix plus the process id keeps two installers apart; the
    // name is beside the target so the move stays on one volume.
    const std::string temp = path + "." + std::to_string(::GetCurrentProcessId()) + ".tmp";
    Handle file(::CreateFileA(temp.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                              FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file.valid()) return false;
    bool ok = WriteAll(file.get(), bytes) && ::FlushFileBuffers(file.get()) && file.Close() &&
              ::MoveFileExA(temp.c_str(), path.c_str(),
                            MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH);
    if (!ok) {
      if (file.valid()) file.Close();
      ::DeleteFileA(temp.c_str());
    }
    return ok;
  }

  std::optional<std::string> Environment(const std::string& name) const override {
    DWORD size = ::GetEnvironmentVariableA(name.c_str(), nullptr, 0);
    if (size == 0) {
      if (::GetLastError() == ERROR_ENVVAR_NOT_FOUND) return std::nullopt;
      return std::string();
    }
    std::vector<char> buffer(size);
    DWORD length = ::GetEnvironmentVariableA(name.c_str(), buffer.data(), size);
    if (length == 0 || length >= size) return std::nullopt;
    return std::string(buffer.data(), length);
  }

  std::string CurrentDirectory() const override {
    DWORD size = ::GetCurrentDirectoryA(0, nullptr);
    if (size == 0) return ".";
    std::vector<char> buffer(size);
    DWORD length = ::GetCurrentDirectoryA(size, buffer.data());
    if (length == 0 || length >= size) return ".";
    return std::string(buffer.data(), length);
  }

  char PathSeparator() const override { return '\\'; }
  std::string ToolFileName() const override { return "Korvane.exe"; }
};

}  // namespace

std::unique_ptr<System> MakeNativeSystem() {
  return std::make_unique<Win32System>();
}

}  // namespace korvane
