// Removal is best effort: a file that is already gone is fine, and one that
// cannot be removed is not worth failing a finished run for.
#include "driver/scratch_files.h"

#include "platform/files.h"

namespace tarnwick {

namespace {

void Remove(const std::string& path, bool folder) {
  if (folder) {
    platform::RemoveFolder(path);
  } else {
    platform::RemoveFile(path);
  }
}

}  // namespace

std::string ScratchFiles::Make(const std::function<std::string()>& make, bool folder) {
  std::lock_guard lock(mutex_);
  if (abandoned_) return {};
  std::string path = make();
  if (!path.empty()) entries_.push_back({path, folder});
  return path;
}

std::string ScratchFiles::MakeFile(const std::function<std::string()>& make) {
  return Make(make, false);
}

std::string ScratchFiles::MakeFolder(const std::function<std::string()>& make) {
  return Make(make, true);
}

void ScratchFiles::Forget(const std::string& path) {
  std::lock_guard lock(mutex_);
  std::erase_if(entries_, [&](const Entry& entry) { return entry.path == path; });
}

void ScratchFiles::RemoveAll() {
  std::lock_guard lock(mutex_);
  RemoveEntries();
}

void ScratchFiles::Abandon() {
  std::lock_guard lock(mutex_);
  abandoned_ = true;
  RemoveEntries();
}

void ScratchFiles::RemoveEntries() {
  for (const Entry& entry : entries_)
    Remove(entry.path, entry.folder);
  entries_.clear();
}

}  // namespace tarnwick
