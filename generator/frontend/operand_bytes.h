// The byte sets of expression operands that need more than one character:
// backslash escapes, bracket classes, and the case widening of
// case-insensitive lexers. The parser's stack pass calls these and refines
// the result into classes.
#pragma once

#include <cstddef>
#include <string_view>

#include "base/case_table.h"
#include "base/errors.h"
#include "regex/class_refiner.h"

namespace tarnwick {

// `pos` is on a backslash outside a bracket class. Leaves `pos` on the escaped
// character: \n is {10, 13}, \t is {9}, any other character stands for
// itself. A backslash that ends the text stands for the backslash byte.
ByteSet ReadEscape(std::string_view text, std::size_t& pos);

// `pos` is on a `[`. On success leaves `pos` on the closing `]`, fills `set`
// (complemented after a leading `^`) and returns 0; otherwise returns the
// error number (kBracketOpenWithoutClose, kRangeOutOfOrder).
int ReadBracketClass(std::string_view text, std::size_t& pos, ByteSet& set);

// Adds the lower- and upper-case form of every member, in ascending order.
void WidenCase(ByteSet& set, const CaseTable& cases);

}  // namespace tarnwick
