// Escapes and bracket classes are read character by character; only `n` and
// `t` are escape letters. Inside a class a `-` makes a range only when a
// member stands before it and a character other than `]` after it; a range's
// end is always literal and becomes the start candidate of a following `-`.
// Every read checks the end of the text first: a line may end anywhere.
#include "frontend/operand_bytes.h"

namespace tarnwick {

namespace {

uint8_t ByteAt(std::string_view text, std::size_t pos) {
  return static_cast<uint8_t>(text[pos]);
}

// Marks the bytes of the escape letter `c`; true when it names one byte only
// (and so can start a range).
bool AddEscaped(uint8_t c, ByteSet& set) {
  if (c == 'n') {
    set[10] = true;
    set[13] = true;
    return false;
  }
  if (c == 't') {
    set[9] = true;
    return false;
  }
  set[c] = true;
  return true;
}

}  // namespace

ByteSet ReadEscape(std::string_view text, std::size_t& pos) {
  ByteSet set{};
  if (pos + 1 >= text.size()) {
    set['\\'] = true;
    return set;
  }
  ++pos;
  AddEscaped(ByteAt(text, pos), set);
  return set;
}

int ReadBracketClass(std::string_view text, std::size_t& pos, ByteSet& set) {
  set = ByteSet{};
  ++pos;
  bool complement = false;
  if (pos < text.size() && text[pos] == '^') {
    complement = true;
    ++pos;
  }
  int previous = -1;  // the member a following `-` would start a range from
  while (true) {
    if (pos >= text.size() || text[pos] == '{') return kBracketOpenWithoutClose;
    const uint8_t c = ByteAt(text, pos);
    if (c == ']') break;
    if (c == '\\') {
      ++pos;
      if (pos >= text.size()) return kBracketOpenWithoutClose;
      const uint8_t escaped = ByteAt(text, pos);
      previous = AddEscaped(escaped, set) ? escaped : -1;
    } else if (c == '-' && previous >= 0 && !(pos + 1 < text.size() && text[pos + 1] == ']')) {
      ++pos;
      if (pos >= text.size()) return kRangeOutOfOrder;
      const uint8_t end = ByteAt(text, pos);
      if (previous > end) return kRangeOutOfOrder;
      for (int b = previous; b <= end; ++b)
        set[b] = true;
      previous = end;
    } else {
      set[c] = true;
      previous = c;
    }
    ++pos;
  }
  if (complement) {
    for (bool& member : set)
      member = !member;
  }
  return 0;
}

void WidenCase(ByteSet& set, const CaseTable& cases) {
  for (int b = 0; b < 256; ++b) {
    if (!set[b]) continue;
    set[cases.lower[b]] = true;
    set[cases.upper[b]] = true;
  }
}

}  // namespace tarnwick
