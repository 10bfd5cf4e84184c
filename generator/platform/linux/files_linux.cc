// POSIX file services. New files are created with O_CREAT | O_EXCL, which
// also refuses a dangling link, and written through the descriptor that
// created them; the scratch folder comes from mkdtemp, which makes it 0700.
#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <string_view>

#include "base/file_sink.h"
#include "platform/files.h"

namespace tarnwick::platform {

namespace {

// Writes everything, through short writes and interruptions.
bool WriteAll(int fd, std::string_view bytes) {
  while (!bytes.empty()) {
    const ssize_t written = write(fd, bytes.data(), bytes.size());
    if (written < 0) {
      if (errno == EINTR) continue;
      return false;
    }
    bytes.remove_prefix(static_cast<std::size_t>(written));
  }
  return true;
}

bool SameNode(const struct stat& a, const struct stat& b) {
  return a.st_dev == b.st_dev && a.st_ino == b.st_ino;
}

bool IsStream(const struct stat& info) {
  return S_ISCHR(info.st_mode) || S_ISBLK(info.st_mode) || S_ISFIFO(info.st_mode) ||
         S_ISSOCK(info.st_mode);
}

// The standard descriptor (1 or 2) that `path` leads to, or -1; with
// `streamsOnly`, -1 for a regular file too.
int StandardDescriptorOf(const std::string& path, bool streamsOnly) {
  struct stat named;
  if (stat(path.c_str(), &named) != 0 || (streamsOnly && !IsStream(named))) return -1;
  for (int fd : {STDOUT_FILENO, STDERR_FILENO}) {
    struct stat open;
    if (fstat(fd, &open) == 0 && SameNode(named, open)) return fd;
  }
  return -1;
}

}  // namespace

NewFile WriteNewFileFrom(const std::string& path, const BlockSource& bytes,
                         std::optional<unsigned> permissions) {
  const int fd = open(path.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0666);
  if (fd < 0) return errno == EEXIST ? NewFile::kExists : NewFile::kFailed;
  bool written = EachBlock(bytes, [fd](std::string_view block) { return WriteAll(fd, block); });
  if (written && permissions) written = fchmod(fd, static_cast<mode_t>(*permissions)) == 0;
  // A full disk may only show when the file is closed.
  written = close(fd) == 0 && written;
  if (written) return NewFile::kCreated;
  unlink(path.c_str());
  return NewFile::kNotWritten;
}

std::string CreatePrivateFolder(const std::string& directory, const std::string& prefix) {
  std::string pattern = directory + prefix + "XXXXXX";
  if (mkdtemp(pattern.data()) == nullptr) return {};
  return pattern;
}

bool RemoveFolder(const std::string& folder) {
  // Emptied again while a file appears in it: a run ended from another
  // thread may still be making one.
  for (int round = 0; round < 100; ++round) {
    if (DIR* listing = opendir(folder.c_str())) {
      // unlinkat removes a link itself, never what it points to.
      const int fd = dirfd(listing);
      while (const dirent* entry = readdir(listing)) {
        const std::string_view name = entry->d_name;
        if (name != "." && name != "..") unlinkat(fd, entry->d_name, 0);
      }
      closedir(listing);
    }
    if (rmdir(folder.c_str()) == 0 || errno == ENOENT) return true;
    if (errno != ENOTEMPTY && errno != EEXIST) return false;
  }
  return false;
}

uint64_t ProcessSeed() {
  return static_cast<uint64_t>(getpid()) << 32;
}

bool RenameReplacing(const std::string& from, const std::string& to) {
  return std::rename(from.c_str(), to.c_str()) == 0;
}

bool RemoveFile(const std::string& path) {
  return unlink(path.c_str()) == 0 || errno == ENOENT;
}

bool FileExists(const std::string& path) {
  struct stat info;
  return stat(path.c_str(), &info) == 0;
}

bool IsDirectory(const std::string& path) {
  struct stat info;
  return stat(path.c_str(), &info) == 0 && S_ISDIR(info.st_mode);
}

bool SameFile(const std::string& a, const std::string& b) {
  struct stat infoA, infoB;
  if (stat(a.c_str(), &infoA) != 0 || stat(b.c_str(), &infoB) != 0) return false;
  return SameNode(infoA, infoB);
}

std::string FollowLinks(const std::string& path) {
  // The kernel's own limit on a chain of links.
  constexpr int kMaxLinks = 40;
  std::string current = path;
  for (int hops = 0; hops < kMaxLinks; ++hops) {
    struct stat info;
    if (lstat(current.c_str(), &info) != 0 || !S_ISLNK(info.st_mode)) return current;
    std::string target(static_cast<std::size_t>(info.st_size) + 1, '\0');
    const ssize_t length = readlink(current.c_str(), target.data(), target.size());
    if (length < 0 || static_cast<std::size_t>(length) >= target.size()) return current;
    target.resize(static_cast<std::size_t>(length));
    if (target.starts_with('/')) {
      current = std::move(target);
    } else {
      // A relative link is read from the link's own directory.
      const std::size_t slash = current.rfind('/');
      current =
          (slash == std::string::npos ? std::string() : current.substr(0, slash + 1)) + target;
    }
  }
  return {};
}

bool IsStreamTarget(const std::string& path) {
  // stat follows every link, /proc/self/fd's included, to the open file.
  struct stat info;
  return stat(path.c_str(), &info) == 0 && IsStream(info);
}

bool IsStandardOutput(const std::string& path) {
  return StandardDescriptorOf(path, false) == STDOUT_FILENO;
}

bool WriteInto(const std::string& path, const BlockSource& bytes) {
  // A standard stream that is a pipe, a terminal or a socket is written
  // where it stands: a socket cannot be opened by name at all.
  if (const int fd = StandardDescriptorOf(path, true); fd >= 0) {
    return EachBlock(bytes, [fd](std::string_view block) { return WriteAll(fd, block); });
  }
  return WriteFileFrom(path, bytes);
}

std::optional<unsigned> PermissionBits(const std::string& path) {
  struct stat info;
  if (stat(path.c_str(), &info) != 0 || !S_ISREG(info.st_mode)) return std::nullopt;
  // Read, write and execute only: set-id bits belong to the old file's owner.
  return static_cast<unsigned>(info.st_mode & 0777);
}

std::size_t FileNameLimit(const std::string& directory) {
  const long limit = pathconf(directory.empty() ? "." : directory.c_str(), _PC_NAME_MAX);
  return limit > 0 ? static_cast<std::size_t>(limit) : 255;
}

}  // namespace tarnwick::platform
