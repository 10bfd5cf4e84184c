// Removal is best effort: a file that is already gone is fine, and one that
// cannot be removed is not worth failing a finished run for.
#include "driver/scratch_files.h"

#include <algorithm>

#include "platform/files.h"

namespace tarnwick {

void ScratchFiles::Add(std::string path) {
  std::lock_guard lock(mutex_);
  entries_.push_back({std::move(path), false});
}

void ScratchFiles::AddStem(std::string stem) {
  std::lock_guard lock(mutex_);
  entries_.push_back({std::move(stem), true});
}

void ScratchFiles::Forget(const std::string& path) {
  std::lock_guard lock(mutex_);
  std::erase_if(entries_, [&](const Entry& entry) { return !entry.stem && entry.path == path; });
}

void ScratchFiles::RemoveAll() {
  std::lock_guard lock(mutex_);
  // Newest first: files made under a prefix go before the file that reserves it.
  for (auto it = entries_.rbegin(); it != entries_.rend(); ++it) {
    if (!it->stem) {
      platform::RemoveFile(it->path);
      continue;
    }
    for (const std::string& path : platform::FilesStartingWith(it->path))
      platform::RemoveFile(path);
  }
  entries_.clear();
}

}  // namespace tarnwick
