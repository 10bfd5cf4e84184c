// TextCursor: writes pieces of text into the tail of a std::string.
//
// The tables and the drawing of a large automaton are tens of millions of
// short pieces. std::string::append pays a function call and several checks
// for each; the cursor keeps a raw pointer into a string that grows in large
// steps, so a piece costs one inline comparison and a copy. Numbers go
// straight in through std::to_chars.
#pragma once

#include <algorithm>
#include <charconv>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <string>
#include <string_view>

#include "base/text.h"

namespace tarnwick {

class TextCursor {
 public:
  // Starts writing after the present content of `out`, with room for about
  // `sizeHint` bytes.
  TextCursor(std::string& out, std::size_t sizeHint) : out_(out), used_(out.size()) {
    out_.resize(used_ + std::max<std::size_t>(sizeHint, 64));
    Rebase();
  }
  TextCursor(const TextCursor&) = delete;
  TextCursor& operator=(const TextCursor&) = delete;
  // Cuts the string back to what was written.
  ~TextCursor() { out_.resize(static_cast<std::size_t>(cursor_ - out_.data())); }

  void Put(char c) {
    Room(1);
    *cursor_++ = c;
  }
  void Put(std::string_view text) {
    Room(text.size());
    std::memcpy(cursor_, text.data(), text.size());
    cursor_ += text.size();
  }
  // Copies a whole block of kBlock bytes but keeps only `length` of them:
  // a fixed-size copy is a single move for short table entries.
  template <std::size_t kBlock>
  void PutPrefix(const char (&block)[kBlock], std::size_t length) {
    Room(kBlock);
    std::memcpy(cursor_, block, kBlock);
    cursor_ += length;
  }
  void PutDecimal(int64_t value) {
    Room(kMaxDigits);
    cursor_ = std::to_chars(cursor_, cursor_ + kMaxDigits, value).ptr;
  }
  // Right-aligned in `width` characters; a longer number is written in full.
  void PutDecimalPadded(int64_t value, std::size_t width) {
    char digits[kMaxDigits];
    char* end = std::to_chars(digits, digits + kMaxDigits, value).ptr;
    auto length = static_cast<std::size_t>(end - digits);
    Room(width + length);
    if (length < width) {
      std::memset(cursor_, ' ', width - length);
      cursor_ += width - length;
    }
    std::memcpy(cursor_, digits, length);
    cursor_ += length;
  }

 private:
  static constexpr std::size_t kMaxDigits = 24;

  void Room(std::size_t bytes) {
    if (static_cast<std::size_t>(end_ - cursor_) < bytes) Grow(bytes);
  }
  void Grow(std::size_t bytes) {
    used_ = static_cast<std::size_t>(cursor_ - out_.data());
    out_.resize(std::max(out_.size() * 2, used_ + bytes));
    Rebase();
  }
  void Rebase() {
    cursor_ = out_.data() + used_;
    end_ = out_.data() + out_.size();
  }

  std::string& out_;
  std::size_t used_;
  char* cursor_ = nullptr;
  char* end_ = nullptr;
};

// A whole line of the generated source, with its CR LF.
inline void PutLine(TextCursor& out, std::string_view line) {
  out.Put(line);
  out.Put(kLineEnd);
}

}  // namespace tarnwick
