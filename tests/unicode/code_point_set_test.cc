// CodePointSet against a plain bitmap of the whole code space: random adds,
// unions and complements must agree member for member, never hold a
// surrogate, and keep their ranges merged.
#include "unicode/code_point_set.h"

#include <gtest/gtest.h>

#include <random>
#include <vector>

namespace tarnwick::unicode {
namespace {

using Bitmap = std::vector<bool>;

void AddToBitmap(Bitmap& bits, char32_t first, char32_t last) {
  for (char32_t c = first; c <= last && c <= kMaxCodePoint; ++c)
    bits[c] = IsScalarValue(c);
}

void ExpectSame(const CodePointSet& set, const Bitmap& bits) {
  Bitmap fromRanges(kMaxCodePoint + 1, false);
  char32_t previousLast = 0;
  bool first = true;
  for (const CodePointRange& range : set.ranges()) {
    ASSERT_LE(range.first, range.last);
    // Merged: a gap lies between two ranges (the surrogates count as one).
    if (!first) {
      ASSERT_GT(range.first, previousLast + 1);
    }
    first = false;
    previousLast = range.last;
    AddToBitmap(fromRanges, range.first, range.last);
    for (char32_t c : {range.first, range.last})
      ASSERT_TRUE(IsScalarValue(c)) << std::hex << static_cast<uint32_t>(c);
  }
  ASSERT_EQ(fromRanges, bits);
}

char32_t RandomPoint(std::mt19937& random) {
  // Mostly near the places where ranges meet something: the surrogates, the
  // encoding-length limits and the end of the code space.
  static constexpr char32_t kAnchors[] = {0, 0x7F, 0x800, 0xD800, 0xDFFF, 0xFFFF, 0x10FFFF};
  std::uniform_int_distribution<int> pick(0, 9);
  const int choice = pick(random);
  if (choice < 7) {
    std::uniform_int_distribution<int> near(-3, 3);
    const auto point = static_cast<int64_t>(kAnchors[choice]) + near(random);
    return static_cast<char32_t>(std::clamp<int64_t>(point, 0, 0x10FFFF + 2));
  }
  return std::uniform_int_distribution<char32_t>(0, kMaxCodePoint)(random);
}

TEST(CodePointSet, RandomOperationsMatchABitmap) {
  std::mt19937 random(14);
  for (int round = 0; round < 10; ++round) {
    CodePointSet set;
    Bitmap bits(kMaxCodePoint + 1, false);
    for (int step = 0; step < 12; ++step) {
      char32_t a = RandomPoint(random);
      char32_t b = RandomPoint(random);
      if (step % 4 == 3) std::swap(a, b);  // sometimes an empty range
      if (step % 5 == 4) {
        CodePointSet other;
        other.Add(std::min(a, b), std::max(a, b));
        set.Add(other);
        AddToBitmap(bits, std::min(a, b), std::max(a, b));
      } else {
        set.Add(a, b);
        if (a <= b) AddToBitmap(bits, a, b);
      }
    }
    ExpectSame(set, bits);
    Bitmap inverse(kMaxCodePoint + 1, false);
    for (char32_t c = 0; c <= kMaxCodePoint; ++c)
      inverse[c] = IsScalarValue(c) && !bits[c];
    const CodePointSet complement = set.Complement();
    ExpectSame(complement, inverse);
    EXPECT_EQ(complement.Complement(), set);
    for (int probe = 0; probe < 200; ++probe) {
      const char32_t c = RandomPoint(random);
      ASSERT_EQ(set.Contains(c), c <= kMaxCodePoint && bits[c])
          << std::hex << static_cast<uint32_t>(c);
    }
  }
}

TEST(CodePointSet, UniverseLeavesOutSurrogatesAndTheSpaceBeyond) {
  const CodePointSet all = CodePointSet::All();
  ASSERT_EQ(all.ranges().size(), 2u);
  EXPECT_EQ(all.ranges()[0].last, 0xD7FFu);
  EXPECT_EQ(all.ranges()[1].first, 0xE000u);
  EXPECT_EQ(all.ranges()[1].last, 0x10FFFFu);
  EXPECT_TRUE(all.Complement().empty());
  CodePointSet surrogates;
  surrogates.Add(0xD800, 0xDFFF);
  surrogates.Add(0x110000, 0x7FFFFFFF);
  EXPECT_TRUE(surrogates.empty());
}

}  // namespace
}  // namespace tarnwick::unicode
