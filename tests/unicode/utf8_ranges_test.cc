// The range splitter against brute force. For a set, a byte string must
// match one of its sequences exactly when it is the shortest-form encoding of
// a member. Every code point is tried, and so are all one- and two-byte
// strings, all three-byte strings and four-byte strings around every edge of
// the continuation range: overlong forms, surrogates, values above U+10FFFF
// and cut-off sequences among them.
#include "unicode/utf8_ranges.h"

#include <gtest/gtest.h>

#include <random>
#include <string>

#include "unicode/general_category.h"
#include "unicode/utf8.h"

namespace tarnwick::unicode {
namespace {

// The sequences indexed by their first byte, and by their first two bytes
// when longer, for a quick whole-string match.
class SequenceMatcher {
 public:
  explicit SequenceMatcher(const std::vector<Utf8Sequence>& sequences)
      : sequences_(sequences), byPrefix_(256 + 256 * 256) {
    for (const Utf8Sequence& sequence : sequences_) {
      for (int a = sequence.bytes[0].first; a <= sequence.bytes[0].last; ++a) {
        if (sequence.length == 1) {
          byPrefix_[static_cast<std::size_t>(a)].push_back(&sequence);
          continue;
        }
        for (int b = sequence.bytes[1].first; b <= sequence.bytes[1].last; ++b)
          byPrefix_[Key(a, b)].push_back(&sequence);
      }
    }
  }

  // The number of sequences that match the whole of `bytes`.
  int Matches(std::string_view bytes) const {
    if (bytes.empty()) return 0;
    const auto a = static_cast<uint8_t>(bytes[0]);
    const auto& candidates =
        bytes.size() == 1 ? byPrefix_[a] : byPrefix_[Key(a, static_cast<uint8_t>(bytes[1]))];
    int count = 0;
    for (const Utf8Sequence* sequence : candidates) {
      if (static_cast<std::size_t>(sequence->length) != bytes.size()) continue;
      bool all = true;
      for (std::size_t i = 2; i < bytes.size() && all; ++i) {
        const auto b = static_cast<uint8_t>(bytes[i]);
        all = b >= sequence->bytes[i].first && b <= sequence->bytes[i].last;
      }
      count += all ? 1 : 0;
    }
    return count;
  }

 private:
  static std::size_t Key(int a, int b) { return 256 + static_cast<std::size_t>(a * 256 + b); }

  std::vector<Utf8Sequence> sequences_;
  std::vector<std::vector<const Utf8Sequence*>> byPrefix_;
};

// What the sequences must match: exactly one, for a member's encoding.
int Expected(const CodePointSet& set, std::string_view bytes) {
  std::size_t pos = 0;
  char32_t c = 0;
  if (!DecodeUtf8(bytes, pos, c) || pos != bytes.size()) return 0;
  return set.Contains(c) ? 1 : 0;
}

void CheckAgainstBruteForce(const CodePointSet& set) {
  const std::vector<Utf8Sequence> sequences = Utf8Sequences(set);
  const SequenceMatcher matcher(sequences);
  for (const Utf8Sequence& sequence : sequences) {
    ASSERT_GE(sequence.length, 1);
    ASSERT_LE(sequence.length, 4);
  }
  std::string bytes;
  for (char32_t c = 0; c <= 0x10FFFF; ++c) {
    bytes.clear();
    if (!IsScalarValue(c)) continue;
    AppendUtf8(c, bytes);
    ASSERT_EQ(matcher.Matches(bytes), set.Contains(c) ? 1 : 0)
        << std::hex << static_cast<uint32_t>(c);
  }
  auto check = [&](std::initializer_list<int> values) {
    char buffer[4];
    std::size_t length = 0;
    for (int value : values)
      buffer[length++] = static_cast<char>(value);
    const std::string_view s(buffer, length);
    ASSERT_EQ(matcher.Matches(s), Expected(set, s)) << testing::PrintToString(std::string(s));
  };
  for (int a = 0; a < 256; ++a) {
    check({a});
    for (int b = 0; b < 256; ++b) {
      check({a, b});
      if (a < 0xE0 || a > 0xEF) continue;
      for (int c = 0; c < 256; ++c)
        check({a, b, c});
    }
  }
  static constexpr int kEdges[] = {0x00, 0x7F, 0x80, 0x8F, 0x90, 0x9F, 0xA0, 0xBF, 0xC0, 0xFF};
  for (int a = 0xF0; a < 256; ++a) {
    for (int b = 0; b < 256; ++b) {
      for (int c : kEdges) {
        for (int d : kEdges)
          check({a, b, c, d});
      }
    }
  }
}

TEST(Utf8Sequences, EveryCharacterAndNoMalformedString) {
  CheckAgainstBruteForce(CodePointSet::All());
  CodePointSet letters;
  ASSERT_TRUE(AddGeneralCategory("L", letters));
  CheckAgainstBruteForce(letters);
  std::mt19937 random(1414);
  for (int round = 0; round < 2; ++round) {
    CodePointSet set;
    for (int i = 0; i < 40; ++i) {
      const char32_t first = std::uniform_int_distribution<char32_t>(0, 0x10FFFF)(random);
      const char32_t width = std::uniform_int_distribution<char32_t>(0, 1u << (i % 18))(random);
      set.Add(first, first + width);
    }
    CheckAgainstBruteForce(set);
    CheckAgainstBruteForce(set.Complement());
  }
}

TEST(Utf8Sequences, TheWholeUniverseSplitsIntoTheWellKnownNine) {
  std::vector<std::string> printed;
  for (const Utf8Sequence& sequence : Utf8Sequences(CodePointSet::All())) {
    std::string text;
    for (int i = 0; i < sequence.length; ++i) {
      char buffer[16];
      std::snprintf(buffer, sizeof buffer, "[%02X-%02X]", sequence.bytes[i].first,
                    sequence.bytes[i].last);
      text += buffer;
    }
    printed.push_back(text);
  }
  EXPECT_EQ(printed, (std::vector<std::string>{
                         "[00-7F]",
                         "[C2-DF][80-BF]",
                         "[E0-E0][A0-BF][80-BF]",
                         "[E1-EC][80-BF][80-BF]",
                         "[ED-ED][80-9F][80-BF]",
                         "[EE-EF][80-BF][80-BF]",
                         "[F0-F0][90-BF][80-BF][80-BF]",
                         "[F1-F3][80-BF][80-BF][80-BF]",
                         "[F4-F4][80-8F][80-BF][80-BF]",
                     }));
}

TEST(Utf8, DecoderRejectsWhatNoScannerMayMatch) {
  for (std::string_view bad :
       {"\x80", "\xC0\x80", "\xC1\xBF", "\xE0\x9F\xBF", "\xED\xA0\x80", "\xF0\x8F\xBF\xBF",
        "\xF4\x90\x80\x80", "\xF5\x80\x80\x80", "\xE2\x82", "\xF0\x9F\x98", "\xFF"}) {
    std::size_t pos = 0;
    char32_t c = 0;
    EXPECT_FALSE(DecodeUtf8(bad, pos, c)) << testing::PrintToString(std::string(bad));
    EXPECT_EQ(pos, 0u);
  }
  for (char32_t c :
       {0x0u, 0x7Fu, 0x80u, 0x7FFu, 0x800u, 0xD7FFu, 0xE000u, 0xFFFFu, 0x10000u, 0x10FFFFu}) {
    std::string bytes;
    AppendUtf8(c, bytes);
    std::size_t pos = 0;
    char32_t back = 0;
    ASSERT_TRUE(DecodeUtf8(bytes, pos, back)) << std::hex << static_cast<uint32_t>(c);
    EXPECT_EQ(back, c);
    EXPECT_EQ(pos, bytes.size());
    EXPECT_EQ(static_cast<int>(bytes.size()), Utf8Length(c));
  }
  EXPECT_EQ(std::string("\xC3\xA4"), [] {
    std::string s;
    AppendUtf8(0xE4, s);
    return s;
  }());
}

}  // namespace
}  // namespace tarnwick::unicode
