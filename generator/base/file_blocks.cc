#include "base/file_blocks.h"

#include <algorithm>
#include <cstring>

namespace tarnwick {

BlockSource OneBlock(std::string_view bytes) {
  return [bytes, given = false]() mutable -> std::optional<std::string_view> {
    if (given) return std::string_view();
    given = true;
    return bytes;
  };
}

bool EachBlock(const BlockSource& bytes, const std::function<bool(std::string_view)>& take) {
  for (;;) {
    const std::optional<std::string_view> block = bytes();
    if (!block) return false;
    if (block->empty()) return true;
    if (!take(*block)) return false;
  }
}

FileBlocks::FileBlocks(const std::string& path) : file_(OpenFile(path, "rb")) {
  if (!file_) return;
  buffer_ = std::make_unique_for_overwrite<char[]>(kFileBlockSize);
  Read();
}

void FileBlocks::Read() {
  held_ = std::fread(buffer_.get(), 1, kFileBlockSize, file_.get());
  if (held_ < kFileBlockSize) {
    atEnd_ = true;
    failed_ = std::ferror(file_.get()) != 0;
  }
}

std::optional<std::string_view> FileBlocks::Next() {
  if (!Readable()) return std::nullopt;
  if (held_ == 0 && !atEnd_) Read();
  if (failed_) return std::nullopt;
  const std::string_view block(buffer_.get(), held_);
  held_ = 0;
  return block;
}

bool SameFileBytes(const std::string& a, const std::string& b) {
  // `b` is opened only when `a` can be read.
  FileBlocks first(a);
  if (!first.Readable()) return false;
  FileBlocks second(b);
  // The two may come in blocks of different lengths (a pipe, a short read).
  std::string_view restFirst;
  std::string_view restSecond;
  for (;;) {
    if (restFirst.empty()) {
      const std::optional<std::string_view> block = first.Next();
      if (!block) return false;
      restFirst = *block;
    }
    if (restSecond.empty()) {
      const std::optional<std::string_view> block = second.Next();
      if (!block) return false;
      restSecond = *block;
    }
    if (restFirst.empty() || restSecond.empty()) return restFirst.empty() && restSecond.empty();
    const std::size_t length = std::min(restFirst.size(), restSecond.size());
    if (std::memcmp(restFirst.data(), restSecond.data(), length) != 0) return false;
    restFirst.remove_prefix(length);
    restSecond.remove_prefix(length);
  }
}

}  // namespace tarnwick
