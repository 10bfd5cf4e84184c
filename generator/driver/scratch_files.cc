// Removal is best effort: a file that is already gone is fine, and one that
// cannot be removed is not worth failing a finished run for.
#include "driver/scratch_files.h"

#include <algorithm>

#include "platform/files.h"

namespace tarnwick {

void ScratchFiles::Add(std::string path) {
  std::lock_guard lock(mutex_);
  paths_.push_back(std::move(path));
}

void ScratchFiles::Forget(const std::string& path) {
  std::lock_guard lock(mutex_);
  std::erase(paths_, path);
}

void ScratchFiles::RemoveAll() {
  std::lock_guard lock(mutex_);
  // Newest first: files made under a prefix go before the file that reserves it.
  for (auto it = paths_.rbegin(); it != paths_.rend(); ++it)
    platform::RemoveFile(*it);
  paths_.clear();
}

}  // namespace tarnwick
