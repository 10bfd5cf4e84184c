// TextCursor: writes pieces of text into a TextSink through a buffer.
//
// The tables and the drawing of a large automaton are tens of millions of
// short pieces. A virtual call or std::string::append for each would cost
// more than the piece; the cursor keeps a raw pointer into its buffer, so a
// piece costs one inline comparison and a copy, and hands the buffer to the
// sink when it is full. Numbers go straight in through std::to_chars.
//
// The buffer holds at most kMaxBuffer bytes whatever the text's size, so a
// sink that writes a file keeps a run's memory to the automaton and this
// buffer; the size hint lets a sink that keeps the text make room for all of
// it at once.
#pragma once

#include <algorithm>
#include <charconv>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <exception>
#include <memory>
#include <string_view>

#include "base/text.h"
#include "base/text_sink.h"

namespace tarnwick {

class TextCursor {
 public:
  static constexpr std::size_t kMaxBuffer = std::size_t{1} << 16;

  // Writes into `out` after what it has taken so far; about `sizeHint` bytes
  // are expected. Only one cursor at a time may write into a sink.
  TextCursor(TextSink& out, std::size_t sizeHint)
      : out_(out), capacity_(std::clamp<std::size_t>(sizeHint, 256, kMaxBuffer)) {
    out_.Expect(sizeHint);
    buffer_ = std::make_unique_for_overwrite<char[]>(capacity_);
    cursor_ = buffer_.get();
    end_ = cursor_ + capacity_;
  }
  TextCursor(const TextCursor&) = delete;
  TextCursor& operator=(const TextCursor&) = delete;
  // Hands on what is still in the buffer, unless an exception leaves the
  // writer, which gives the text up anyway. A sink that runs out of memory
  // here reports it like any other step of the pass.
  ~TextCursor() noexcept(false) {
    if (std::uncaught_exceptions() == exceptions_) Flush();
  }

  void Put(char c) {
    Room(1);
    *cursor_++ = c;
  }
  void Put(std::string_view text) {
    if (static_cast<std::size_t>(end_ - cursor_) < text.size()) {
      Flush();
      // A piece larger than the buffer goes on as it is.
      if (text.size() > capacity_) {
        out_.Write(text);
        return;
      }
    }
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
  // Right-aligned in `width` characters (a field of a table, a few dozen at
  // most); a longer number is written in full.
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

  // The pieces asked for here are at most a few dozen bytes, which the
  // smallest buffer holds.
  void Room(std::size_t bytes) {
    if (static_cast<std::size_t>(end_ - cursor_) < bytes) Flush();
  }
  void Flush() {
    if (cursor_ != buffer_.get()) {
      out_.Write(
          std::string_view(buffer_.get(), static_cast<std::size_t>(cursor_ - buffer_.get())));
    }
    cursor_ = buffer_.get();
  }

  TextSink& out_;
  const int exceptions_ = std::uncaught_exceptions();
  std::size_t capacity_;
  std::unique_ptr<char[]> buffer_;
  char* cursor_ = nullptr;
  char* end_ = nullptr;
};

// A whole line of the generated source, with its CR LF.
inline void PutLine(TextCursor& out, std::string_view line) {
  out.Put(line);
  out.Put(kLineEnd);
}

}  // namespace tarnwick
