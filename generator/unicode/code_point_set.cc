// Ranges are kept merged: an added range swallows every range it overlaps or
// touches, so equal sets have equal range lists. The surrogate gap is the one
// place two ranges of the universe meet without being adjacent numbers.
#include "unicode/code_point_set.h"

#include <algorithm>

namespace tarnwick::unicode {

CodePointSet CodePointSet::All() {
  CodePointSet all;
  all.Add(0, kMaxCodePoint);
  return all;
}

void CodePointSet::Add(char32_t first, char32_t last) {
  last = std::min(last, kMaxCodePoint);
  if (first > last) return;
  if (first < kFirstSurrogate) AddScalarRange(first, std::min<char32_t>(last, kFirstSurrogate - 1));
  if (last > kLastSurrogate) AddScalarRange(std::max<char32_t>(first, kLastSurrogate + 1), last);
}

void CodePointSet::Add(const CodePointSet& other) {
  for (const CodePointRange& range : other.ranges_)
    AddScalarRange(range.first, range.last);
}

void CodePointSet::AddScalarRange(char32_t first, char32_t last) {
  // The first range that ends at or after first - 1, i.e. the first one the
  // new range could overlap or touch.
  auto begin = std::lower_bound(
      ranges_.begin(), ranges_.end(), first,
      [](const CodePointRange& range, char32_t value) { return range.last + 1 < value; });
  auto end = begin;
  while (end != ranges_.end() && end->first <= last + 1) {
    first = std::min(first, end->first);
    last = std::max(last, end->last);
    ++end;
  }
  const auto at = ranges_.erase(begin, end);
  ranges_.insert(at, CodePointRange{first, last});
}

CodePointSet CodePointSet::Complement() const {
  CodePointSet result;
  char32_t next = 0;
  for (const CodePointRange& range : ranges_) {
    if (range.first > next) result.Add(next, range.first - 1);
    next = range.last + 1;
  }
  if (next <= kMaxCodePoint) result.Add(next, kMaxCodePoint);
  return result;
}

bool CodePointSet::Contains(char32_t c) const {
  auto it = std::upper_bound(
      ranges_.begin(), ranges_.end(), c,
      [](char32_t value, const CodePointRange& range) { return value < range.first; });
  return it != ranges_.begin() && std::prev(it)->last >= c;
}

bool operator==(const CodePointSet& a, const CodePointSet& b) {
  return std::equal(a.ranges_.begin(), a.ranges_.end(), b.ranges_.begin(), b.ranges_.end(),
                    [](const CodePointRange& x, const CodePointRange& y) {
                      return x.first == y.first && x.last == y.last;
                    });
}

}  // namespace tarnwick::unicode
