// Range splitting. A character range is first cut where the encoding length
// changes (after U+007F, U+07FF, U+FFFF). Then, as long as its ends differ in
// some leading bytes, it is cut so that every trailing byte of the lower and
// of the upper part runs over its full span 80..BF; a range whose ends share
// all bytes but the ones that run over their full span encodes as a single
// sequence: lead ranges from the first end's bytes to the last end's.
#include "unicode/utf8_ranges.h"

#include <string>

#include "unicode/utf8.h"

namespace tarnwick::unicode {

namespace {

constexpr char32_t kLengthLimits[] = {0x7F, 0x7FF, 0xFFFF, kMaxCodePoint};

void AppendSequence(char32_t first, char32_t last, std::vector<Utf8Sequence>& out) {
  std::string low;
  std::string high;
  AppendUtf8(first, low);
  AppendUtf8(last, high);
  Utf8Sequence sequence;
  sequence.length = static_cast<int>(low.size());
  for (std::size_t i = 0; i < low.size(); ++i) {
    sequence.bytes[i] = {static_cast<uint8_t>(low[i]), static_cast<uint8_t>(high[i])};
  }
  out.push_back(sequence);
}

// first..last lie within one encoding length and hold no surrogate.
void SplitSameLength(char32_t first, char32_t last, std::vector<Utf8Sequence>& out) {
  const int length = Utf8Length(first);
  for (int trailing = 1; trailing < length; ++trailing) {
    // The bits of the last `trailing` continuation bytes.
    const char32_t mask = (char32_t{1} << (6 * trailing)) - 1;
    if ((first & ~mask) == (last & ~mask)) break;
    if ((first & mask) != 0) {
      SplitSameLength(first, first | mask, out);
      SplitSameLength((first | mask) + 1, last, out);
      return;
    }
    if ((last & mask) != mask) {
      SplitSameLength(first, (last & ~mask) - 1, out);
      SplitSameLength(last & ~mask, last, out);
      return;
    }
  }
  AppendSequence(first, last, out);
}

}  // namespace

std::vector<Utf8Sequence> Utf8Sequences(const CodePointSet& set) {
  std::vector<Utf8Sequence> out;
  for (const CodePointRange& range : set.ranges()) {
    char32_t first = range.first;
    for (char32_t limit : kLengthLimits) {
      if (first > range.last) break;
      if (first > limit) continue;
      const char32_t last = range.last < limit ? range.last : limit;
      SplitSameLength(first, last, out);
      first = last + 1;
    }
  }
  return out;
}

}  // namespace tarnwick::unicode
