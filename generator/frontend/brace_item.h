// ReadBraceItem: what a `{` in an expression begins.
//
// `{NAME}` (a letter or `_`, then letters, digits and `_`) may refer to a
// definition; `{n}`, `{n,}` and `{n,m}` (decimal digits, nothing else between
// the braces) are counts. Anything else, `{ x }` or a brace without its
// closing one on the line, is neither: the parser then takes the `{` as the
// start of the action.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string_view>

namespace tarnwick {

struct BraceItem {
  enum class Kind { Other, Name, Count };
  Kind kind = Kind::Other;
  std::string_view name;         // Name: the word between the braces
  uint64_t least = 0;            // Count: the bounds; numbers too big to hold
  std::optional<uint64_t> most;  // are kept at kHugeCount. No `most`: no upper bound
  std::size_t end = 0;           // the position of the closing `}`
};

// Counts above this are taken as this: far beyond any limit of the automaton.
inline constexpr uint64_t kHugeCount = uint64_t{1} << 40;

// The length of the definition name at the start of `text`: a letter or
// `_`, then letters, digits and `_`; 0 when none stands there.
std::size_t NameLength(std::string_view text);

// `pos` is on a `{`.
BraceItem ReadBraceItem(std::string_view text, std::size_t pos);

}  // namespace tarnwick
