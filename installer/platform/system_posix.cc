// System on POSIX: files through open/read/write/rename, so that the atomic
// replace can fsync before the rename and a full disk shows up as a failed
// write rather than a short file.
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <vector>

#include "platform/system.h"

namespace korvane {
namespace {

// Owns a file descriptor so every early return closes it.
class Fd {
 public:
  explicit Fd(int fd) : fd_(fd) {}
  Fd(const Fd&) = delete;
  Fd& operator=(const Fd&) = delete;
  ~Fd() {
    if (fd_ >= 0) ::close(fd_);
  }
  int get() const { return fd_; }
  bool Close() {
    int fd = fd_;
    fd_ = -1;
    return ::close(fd) == 0;
  }

 private:
  int fd_;
};

bool WriteAll(int fd, std::string_view bytes) {
  while (!bytes.empty()) {
    ssize_t n = ::write(fd, bytes.data(), bytes.size());
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) return false;
    bytes.remove_prefix(static_cast<std::size_t>(n));
  }
  return true;
}

class PosixSystem final : public System {
 public:
  std::optional<std::string> ReadFile(const std::string& path) const override {
    Fd fd(::open(path.c_str(), O_RDONLY | O_CLOEXEC));
    if (fd.get() < 0) return std::nullopt;
    struct stat info {};
    if (::fstat(fd.get(), &info) != 0 || S_ISDIR(info.st_mode)) return std::nullopt;
    std::string bytes;
    char buffer[65536];
    for (;;) {
      ssize_t n = ::read(fd.get(), buffer, sizeof buffer);
      if (n < 0 && errno == EINTR) continue;
      if (n < 0) return std::nullopt;
      if (n == 0) break;
      bytes.append(buffer, static_cast<std::size_t>(n));
    }
    return bytes;
  }

  bool CopyFile(const std::string& from, const std::string& to) const override {
    // Written like the file itself: a copy cut short by a kill or a full disk
    // must not leave a truncated backup in place of the previous one.
    std::optional<std::string> bytes = ReadFile(from);
    return bytes && ReplaceFile(to, *bytes);
  }

  bool ReplaceFile(const std::string& link_or_path, std::string_view bytes) const override {
    // A symbolic link is followed so the rename replaces its target, not the
    // link itself.
    std::string path = link_or_path;
    if (char* real = ::realpath(link_or_path.c_str(), nullptr)) {
      path = real;
      std::free(real);
    }
    // The temporary file sits beside the target so the rename stays on one
    // file system and is atomic.
    std::vector<char> temp_name(path.begin(), path.end());
    for (char c : std::string_view(".XXXXXX"))
      temp_name.push_back(c);
    temp_name.push_back('\0');
    Fd fd(::mkstemp(temp_name.data()));
    if (fd.get() < 0) return false;
    // Keep the original's permissions; mkstemp creates the file as 0600.
    struct stat info {};
    mode_t mode = 0666 & ~CurrentUmask();
    if (::stat(path.c_str(), &info) == 0) mode = info.st_mode & 07777;
    bool ok = ::fchmod(fd.get(), mode) == 0 && WriteAll(fd.get(), bytes) &&
              ::fsync(fd.get()) == 0 && fd.Close() && ::rename(temp_name.data(), path.c_str()) == 0;
    if (!ok) ::unlink(temp_name.data());
    return ok;
  }

  std::optional<std::string> Environment(const std::string& name) const override {
    const char* value = std::getenv(name.c_str());
    if (value == nullptr) return std::nullopt;
    return std::string(value);
  }

  std::string CurrentDirectory() const override {
    std::vector<char> buffer(4096);
    while (::getcwd(buffer.data(), buffer.size()) == nullptr) {
      if (errno != ERANGE) return ".";
      buffer.resize(buffer.size() * 2);
    }
    return buffer.data();
  }

  char PathSeparator() const override { return '/'; }
  std::string ToolFileName() const override { return "Korvane"; }

 private:
  static mode_t CurrentUmask() {
    // umask can only be read by setting it; the installer has one thread.
    mode_t mask = ::umask(022);
    ::umask(mask);
    return mask;
  }
};

}  // namespace

std::unique_ptr<System> MakeNativeSystem() {
  return std::make_unique<PosixSystem>();
}

}  // namespace korvane
