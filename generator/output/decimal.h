// Appending decimal numbers to a growing text without temporary strings.
//
// The tables and the drawing of a large automaton hold millions of numbers,
// so they are formatted straight into the output with std::to_chars rather
// than through streams or std::to_string.
#pragma once

#include <charconv>
#include <cstddef>
#include <cstdint>
#include <string>

namespace tarnwick {

inline void AppendDecimal(std::string& out, int64_t value) {
  char digits[24];
  char* end = std::to_chars(digits, digits + sizeof digits, value).ptr;
  out.append(digits, end);
}

// Right-aligned in `width` characters; a longer number is written in full.
inline void AppendDecimalPadded(std::string& out, int64_t value, std::size_t width) {
  char digits[24];
  char* end = std::to_chars(digits, digits + sizeof digits, value).ptr;
  auto length = static_cast<std::size_t>(end - digits);
  if (length < width) out.append(width - length, ' ');
  out.append(digits, end);
}

}  // namespace tarnwick
