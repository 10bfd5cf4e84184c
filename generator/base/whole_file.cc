// Whole-file reads and writes through C streams in binary mode. The read
// goes block by block until the end, so pipes and devices work as well as
// plain files; a directory opens on some systems but fails at the first read.
// The write is one call and a checked close, since a full disk may only show
// when the last buffer is flushed.
#include "base/whole_file.h"

#include <cstdio>
#include <memory>

namespace tarnwick {

namespace {

struct FileCloser {
  void operator()(std::FILE* file) const { std::fclose(file); }
};

using File = std::unique_ptr<std::FILE, FileCloser>;

}  // namespace

std::optional<std::string> ReadWholeFile(const std::string& path) {
  File file(std::fopen(path.c_str(), "rb"));
  if (!file) return std::nullopt;
  std::string bytes;
  char block[1 << 16];
  for (;;) {
    const std::size_t got = std::fread(block, 1, sizeof block, file.get());
    bytes.append(block, got);
    if (got < sizeof block) break;
  }
  if (std::ferror(file.get())) return std::nullopt;
  return bytes;
}

bool WriteWholeFile(const std::string& path, std::string_view bytes) {
  File file(std::fopen(path.c_str(), "wb"));
  if (!file) return false;
  // An empty view may hold no buffer at all, which fwrite must not be given.
  const bool written =
      bytes.empty() || std::fwrite(bytes.data(), 1, bytes.size(), file.get()) == bytes.size();
  return std::fclose(file.release()) == 0 && written;
}

}  // namespace tarnwick
