// Utf8Sequences: a set of characters as the byte-range sequences that match
// exactly the UTF-8 encodings of its members.
//
// A sequence is 1 to 4 byte ranges, e.g. [C2-DF][80-BF]; an encoding matches
// it when each byte lies in the range at its place. The sequences of one set
// are disjoint, and together they match the shortest-form encodings of the
// set's characters and no other byte string: no overlong form, no surrogate,
// nothing above U+10FFFF, no cut-off sequence.
#pragma once

#include <array>
#include <cstdint>
#include <vector>

#include "unicode/code_point_set.h"

namespace tarnwick::unicode {

struct ByteRange {
  uint8_t first;
  uint8_t last;

  friend bool operator==(const ByteRange&, const ByteRange&) = default;
  friend auto operator<=>(const ByteRange&, const ByteRange&) = default;
};

struct Utf8Sequence {
  int length = 0;  // 1 to 4
  std::array<ByteRange, 4> bytes{};
};

// In ascending order of the characters they encode.
std::vector<Utf8Sequence> Utf8Sequences(const CodePointSet& set);

}  // namespace tarnwick::unicode
