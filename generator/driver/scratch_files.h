// ScratchFiles: the temporary files of a run, removed however the run ends.
#pragma once

#include <mutex>
#include <string>
#include <vector>

namespace tarnwick {

// Shared by the main thread and the log window's close handler, which may
// end the process in the middle of a run; hence the lock.
class ScratchFiles {
 public:
  ScratchFiles() = default;
  ScratchFiles(const ScratchFiles&) = delete;
  ScratchFiles& operator=(const ScratchFiles&) = delete;
  ~ScratchFiles() { RemoveAll(); }

  void Add(std::string path);
  // Every file whose name begins with `stem`, whoever made it (the pass, the
  // Graphviz step, Graphviz itself), as it exists when the files are removed.
  void AddStem(std::string stem);
  // The file has become something else (a placed output): keep it.
  void Forget(const std::string& path);
  void RemoveAll();

 private:
  std::mutex mutex_;
  struct Entry {
    std::string path;
    bool stem = false;
  };
  std::vector<Entry> entries_;
};

}  // namespace tarnwick
