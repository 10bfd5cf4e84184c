// ScratchFiles: the temporary files and folders of a run, removed however the
// run ends.
#pragma once

#include <functional>
#include <mutex>
#include <string>
#include <vector>

namespace tarnwick {

// Shared by the main thread and the hooks that end the process in the middle
// of a run (the log window's close box, a signal); hence the lock.
class ScratchFiles {
 public:
  ScratchFiles() = default;
  ScratchFiles(const ScratchFiles&) = delete;
  ScratchFiles& operator=(const ScratchFiles&) = delete;
  ~ScratchFiles() { RemoveAll(); }

  // Runs `make`, which creates a file (MakeFolder: a folder, with whatever
  // the run puts in it) and gives its name, empty when it made nothing, and
  // keeps the name. Both happen under the lock, so an Abandon either comes
  // first, and nothing is made, or finds the name to remove.
  std::string MakeFile(const std::function<std::string()>& make);
  std::string MakeFolder(const std::function<std::string()>& make);
  // The file has become something else (a placed output): keep it.
  void Forget(const std::string& path);
  void RemoveAll();
  // The process is ending: removes everything and makes nothing from now on.
  void Abandon();

 private:
  std::string Make(const std::function<std::string()>& make, bool folder);
  void RemoveEntries();  // with the lock held

  std::mutex mutex_;
  struct Entry {
    std::string path;
    bool folder = false;
  };
  std::vector<Entry> entries_;
  bool abandoned_ = false;
};

}  // namespace tarnwick
