// Line and column counting of the scan engine, in bytes or in UTF-8
// characters, as yyLine() and yyColumn() of PBTarnwickInc.pbi count them.
//
// A line feed starts a new line. In byte mode every other byte is one column.
// In UTF-8 mode a well-formed sequence (shortest form, no surrogate, at most
// U+10FFFF, wholly inside the input) is one column and every other byte is a
// column of its own; the column moves on once the last byte of a character
// has been passed, so a position inside a character has that character's
// column.
#pragma once

#include <cstddef>
#include <string_view>

namespace tarnwick_scan {

// The length (2 to 4) of the well-formed UTF-8 sequence that starts at `pos`
// of `text`, or 1 for an ASCII byte and a byte that starts none.
size_t Utf8SequenceLength(std::string_view text, size_t pos);

class TextPosition {
 public:
  explicit TextPosition(bool utf8) : utf8_(utf8) {}

  // Passes the byte at `pos` of `input`; bytes must be passed in order.
  void Pass(std::string_view input, size_t pos);

  int line() const { return line_; }
  int column() const { return column_; }

 private:
  bool utf8_;
  int line_ = 1;
  int column_ = 1;
  size_t pending_ = 0;  // bytes of the current character still to pass
};

}  // namespace tarnwick_scan
