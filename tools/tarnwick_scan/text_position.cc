#include "text_position.h"

#include "unicode/utf8.h"

namespace tarnwick_scan {

size_t Utf8SequenceLength(std::string_view text, size_t pos) {
  size_t next = pos;
  char32_t c;
  return tarnwick::unicode::DecodeUtf8(text, next, c) ? next - pos : 1;
}

void TextPosition::Pass(std::string_view input, size_t pos) {
  if (pending_ > 0) {
    if (--pending_ == 0) ++column_;
  } else if (input[pos] == '\n') {
    ++line_;
    column_ = 1;
  } else if (utf8_) {
    pending_ = Utf8SequenceLength(input, pos) - 1;
    if (pending_ == 0) ++column_;
  } else {
    ++column_;
  }
}

}  // namespace tarnwick_scan
