// FileBlocks: a file read block by block through one buffer, so that files
// of any size are copied and compared in bounded memory.
//
// The first block is read on opening: a caller learns whether the file can
// be read at all (a directory opens on some systems but fails at the first
// read) before it creates or cuts anything on the other side.
#pragma once

#include <cstddef>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <string_view>

#include "base/c_file.h"

namespace tarnwick {

inline constexpr std::size_t kFileBlockSize = std::size_t{1} << 16;

// Bytes handed over block by block: the next block, empty at the end,
// nothing when reading failed.
using BlockSource = std::function<std::optional<std::string_view>()>;

// `bytes` as one block.
BlockSource OneBlock(std::string_view bytes);

// Hands every block of `bytes` to `take` until the end; false when reading
// failed or `take` refused a block.
bool EachBlock(const BlockSource& bytes, const std::function<bool(std::string_view)>& take);

class FileBlocks {
 public:
  explicit FileBlocks(const std::string& path);
  // Opened, and its first read succeeded.
  bool Readable() const { return file_ && !failed_; }
  // The next block, valid until the next call; empty at the end; nothing
  // when the file is not readable or a read failed.
  std::optional<std::string_view> Next();
  // This reader as a BlockSource, for as long as the reader lives.
  BlockSource Source() {
    return [this] { return Next(); };
  }

 private:
  void Read();

  File file_;
  std::unique_ptr<char[]> buffer_;
  std::size_t held_ = 0;  // bytes read into the buffer and not handed out
  bool atEnd_ = false;
  bool failed_ = false;
};

// True when both files can be read and hold the same bytes.
bool SameFileBytes(const std::string& a, const std::string& b);

}  // namespace tarnwick
