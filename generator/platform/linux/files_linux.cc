// POSIX file services. New files are created with O_EXCL, with the usual 0666 minus umask, so a
// placed output gets the same permissions as a file written directly.
#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <string_view>

#include "platform/files.h"

namespace tarnwick::platform {

NewFile CreateNewFile(const std::string& path) {
  int fd = open(path.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
  if (fd >= 0) {
    close(fd);
    return NewFile::kCreated;
  }
  return errno == EEXIST ? NewFile::kExists : NewFile::kFailed;
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

bool SameFile(const std::string& a, const std::string& b) {
  struct stat infoA, infoB;
  if (stat(a.c_str(), &infoA) != 0 || stat(b.c_str(), &infoB) != 0) return false;
  return infoA.st_dev == infoB.st_dev && infoA.st_ino == infoB.st_ino;
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
  struct stat info;
  if (stat(path.c_str(), &info) != 0) return false;
  return S_ISCHR(info.st_mode) || S_ISBLK(info.st_mode) || S_ISFIFO(info.st_mode);
}

std::vector<std::string> FilesStartingWith(const std::string& stem) {
  const std::size_t slash = stem.rfind('/');
  const std::string directory = slash == std::string::npos ? "" : stem.substr(0, slash + 1);
  const std::string prefix = stem.substr(directory.size());
  std::vector<std::string> found;
  DIR* listing = opendir(directory.empty() ? "." : directory.c_str());
  if (listing == nullptr) return found;
  while (const dirent* entry = readdir(listing)) {
    const std::string_view name = entry->d_name;
    if (name.starts_with(prefix) && name != "." && name != "..") {
      found.push_back(directory + std::string(name));
    }
  }
  closedir(listing);
  return found;
}

}  // namespace tarnwick::platform
