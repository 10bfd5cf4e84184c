// The character sets of expression operands in UTF-8 mode: single
// characters, backslash escapes (\n, \t, \uHHHH, \UHHHHHHHH) and bracket
// classes over characters with ranges and [:Cat:] general categories. The
// 8-bit counterparts are in operand_bytes.h; the rules are the same, read
// over characters instead of bytes.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

#include "unicode/code_point_set.h"

namespace tarnwick {

// What went wrong in an operand: a message number and, for some, the text
// that the message names (a category name, an escape as written).
struct OperandError {
  int number = 0;
  std::string arg;
};

// `pos` is on the first byte of a character. On success adds it to `set`,
// leaves `pos` on its last byte and returns true.
bool ReadCharacter(std::string_view text, std::size_t& pos, unicode::CodePointSet& set,
                   OperandError& error);

// `pos` is on a backslash outside a bracket class. Leaves `pos` on the last
// byte of the escape: \n is {10, 13}, \t is {9}, \u and \U take exactly 4
// and 8 hex digits naming a character, any other character stands for
// itself. A backslash that ends the text stands for itself.
bool ReadCharacterEscape(std::string_view text, std::size_t& pos, unicode::CodePointSet& set,
                         OperandError& error);

// `pos` is on a `[`. On success leaves `pos` on the closing `]`, fills `set`
// (complemented over all characters after a leading `^`) and returns true.
bool ReadCharacterClass(std::string_view text, std::size_t& pos, unicode::CodePointSet& set,
                        OperandError& error);

}  // namespace tarnwick
