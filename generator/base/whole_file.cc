// Whole-file reads and writes through C streams in binary mode. The read
// goes block by block until the end, so pipes and devices work as well as
// plain files; a directory opens on some systems but fails at the first read.
// The write is a FileSink with one piece.
#include "base/whole_file.h"

#include "base/c_file.h"
#include "base/file_sink.h"

namespace tarnwick {

namespace {

// What a seekable file holds from where it stands to its end, or 0: a pipe
// or a terminal cannot say. The file is left where it stood.
std::size_t StatedSize(std::FILE* file) {
  const long at = std::ftell(file);
  if (at < 0 || std::fseek(file, 0, SEEK_END) != 0) return 0;
  const long end = std::ftell(file);
  if (std::fseek(file, at, SEEK_SET) != 0) return 0;
  return end > at ? static_cast<std::size_t>(end - at) : 0;
}

}  // namespace

std::optional<std::string> ReadWholeFile(const std::string& path) {
  const File file = OpenFile(path, "rb");
  if (!file) return std::nullopt;
  const std::size_t size = StatedSize(file.get());
  std::string bytes;
  char block[1 << 16];
  for (bool first = true;; first = false) {
    const std::size_t got = std::fread(block, 1, sizeof block, file.get());
    if (std::ferror(file.get())) return std::nullopt;
    // Made as large as the file at once, since growing by doubling holds up
    // to twice its size at the last step; only after a first read worked,
    // as a directory states a size of its own. A file that grows meanwhile
    // is still read to its end.
    if (first) bytes.reserve(size);
    bytes.append(block, got);
    if (got < sizeof block) break;
  }
  return bytes;
}

bool WriteWholeFile(const std::string& path, std::string_view bytes) {
  FileSink file(path);
  file.Write(bytes);
  return file.Finish();
}

}  // namespace tarnwick
