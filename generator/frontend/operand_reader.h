// OperandReader: the character sets of expression operands, read over code
// points in both kinds of definition.
//
// In an 8-bit definition every byte is the code point of its own value, so
// the characters are 0 to 255 and letter case comes from the code page's
// CaseTable; in a UTF-8 definition characters are decoded from UTF-8, range
// over every scalar value, fold with Unicode simple case folding, and the
// escapes \uHHHH and \UHHHHHHHH and the [:Cat:] categories are known.
// Everything else (\n, \t, literal escapes, bracket classes with ranges and
// complements) is the same grammar in both.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

#include "base/case_table.h"
#include "unicode/code_point_set.h"

namespace tarnwick {

// What went wrong in an operand: a message number and, for some, the text
// that the message names (a category name, an escape as written).
struct OperandError {
  int number = 0;
  std::string arg;
};

class OperandReader {
 public:
  OperandReader(bool utf8, const CaseTable& cases) : utf8_(utf8), cases_(cases) {}

  bool utf8() const { return utf8_; }

  // Every character of the definition's kind: 0 to 255, or every scalar value.
  unicode::CodePointSet All() const;

  // `pos` is on the first byte of a character. Adds it to `set`, leaves `pos`
  // on its last byte.
  bool ReadCharacter(std::string_view text, std::size_t& pos, unicode::CodePointSet& set,
                     OperandError& error) const;

  // `pos` is on a backslash outside a bracket class. Leaves `pos` on the last
  // byte of the escape: \n is {10, 13}, \t is {9}, \u and \U (UTF-8 only) take
  // exactly 4 and 8 hex digits, any other character stands for itself. A
  // backslash that ends the text stands for itself.
  bool ReadEscape(std::string_view text, std::size_t& pos, unicode::CodePointSet& set,
                  OperandError& error) const;

  // `pos` is on a `[`. Leaves `pos` on the closing `]` and fills `set`,
  // complemented over All() after a leading `^`.
  bool ReadClass(std::string_view text, std::size_t& pos, unicode::CodePointSet& set,
                 OperandError& error) const;

  // Adds every other letter case of each member.
  void WidenCase(unicode::CodePointSet& set) const;

 private:
  bool Decode(std::string_view text, std::size_t& pos, char32_t& c, OperandError& error) const;
  bool IsHexEscape(std::string_view text, std::size_t pos) const;
  unicode::CodePointSet Complement(const unicode::CodePointSet& set) const;
  bool ReadEscaped(std::string_view text, std::size_t& pos, unicode::CodePointSet& set,
                   int64_t& single, OperandError& error) const;

  bool utf8_;
  const CaseTable& cases_;
};

}  // namespace tarnwick
