// Layer unicode: character sets over Unicode (this header), the general
// categories and simple case folding from generated tables, UTF-8 encoding
// and the splitting of sets into UTF-8 byte ranges. Uses nothing.
//
// CodePointSet: a set of Unicode characters as sorted, disjoint ranges.
//
// The universe is every scalar value, U+0000 to U+10FFFF without the
// surrogates U+D800 to U+DFFF: those are the characters UTF-8 can encode. Adding
// a range cuts out what lies outside the universe, so a set never holds a
// surrogate, and the complement is taken over the universe.
#pragma once

#include <vector>

#include "unicode/unicode_data.h"

namespace tarnwick::unicode {

inline constexpr char32_t kMaxCodePoint = 0x10FFFF;
inline constexpr char32_t kFirstSurrogate = 0xD800;
inline constexpr char32_t kLastSurrogate = 0xDFFF;

// True for the scalar values: the characters a set may hold.
constexpr bool IsScalarValue(char32_t c) {
  return c <= kMaxCodePoint && (c < kFirstSurrogate || c > kLastSurrogate);
}

class CodePointSet {
 public:
  CodePointSet() = default;

  // Every scalar value.
  static CodePointSet All();

  // Adds first..last (both included) as far as they are scalar values; an
  // empty range (first > last) adds nothing.
  void Add(char32_t first, char32_t last);
  void Add(char32_t c) { Add(c, c); }
  void Add(const CodePointSet& other);

  // Every scalar value not in the set.
  CodePointSet Complement() const;

  bool Contains(char32_t c) const;
  bool empty() const { return ranges_.empty(); }

  // Sorted by `first`; no two ranges overlap or touch.
  const std::vector<CodePointRange>& ranges() const { return ranges_; }

  friend bool operator==(const CodePointSet& a, const CodePointSet& b);

 private:
  void AddScalarRange(char32_t first, char32_t last);

  std::vector<CodePointRange> ranges_;
};

}  // namespace tarnwick::unicode
