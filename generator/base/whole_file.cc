// WriteWholeFile: one binary write and a checked close, since a full disk
// may only show when the last buffer is flushed.
#include "base/whole_file.h"

#include <cstdio>
#include <memory>

namespace tarnwick {

namespace {

struct FileCloser {
  void operator()(std::FILE* file) const { std::fclose(file); }
};

}  // namespace

bool WriteWholeFile(const std::string& path, std::string_view bytes) {
  std::unique_ptr<std::FILE, FileCloser> file(std::fopen(path.c_str(), "wb"));
  if (!file) return false;
  bool written = std::fwrite(bytes.data(), 1, bytes.size(), file.get()) == bytes.size();
  return std::fclose(file.release()) == 0 && written;
}

}  // namespace tarnwick
