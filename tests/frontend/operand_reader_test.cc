// The operand reader in both kinds of definition: the same grammar, with the
// characters 0 to 255 and the code page's case table in 8-bit mode, and
// UTF-8, the \u escapes and [:Cat:] categories only in UTF-8 mode.
#include "frontend/operand_reader.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "base/errors.h"

namespace tarnwick {
namespace {

using unicode::CodePointSet;

// The set as text: "a-c,x" for the ranges a to c and x, in code points.
std::string Ranges(const CodePointSet& set) {
  std::string text;
  for (const auto& range : set.ranges()) {
    if (!text.empty()) text += ',';
    text += std::to_string(range.first);
    if (range.last != range.first) text += "-" + std::to_string(range.last);
  }
  return text;
}

struct Read {
  bool utf8;
  std::string_view text;  // an escape or a class, read from its first byte
  std::string ranges;     // the set, or the error number as "error N"
  std::size_t end;        // where the position is left
};

TEST(OperandReader, ReadsEscapesAndClassesInEitherMode) {
  const std::vector<Read> reads = {
      {false, "[^a]", "0-96,98-255", 3},
      {true, "[^a]", "0-96,98-55295,57344-1114111", 3},
      {false, "\\u0041", "117", 1},  // 8-bit: the letter u
      {true, "\\u0041", "65", 5},
      {false, "[[:Lu:]]", "58,76,91,117", 6},  // 8-bit: members up to the first `]`
      {true, "[[:Zs:]]", "32,160,5760,8192-8202,8239,8287,12288", 7},
      {true, "[\xC3\xA4-\xC3\xB6]", "228-246", 6},
      {false, "[\xE4-\xF6]", "228-246", 4},
      {true, "[\\u00e4-\\u00f6]", "228-246", 14},
      {false, "[a-\\]", "error 8", 0},  // a range end is literal, here below its start
      {false, "[\\n\\t-]", "9-10,13,45", 6},
      {true, "[\xC3]", "error 23", 0},
      {false, "[ab", "error 5", 0},
      {false, "[c-a]", "error 8", 0},
      {false, "\\", "92", 0},
  };
  const CaseTable cases = CaseTable::Windows1252();
  for (const Read& c : reads) {
    const OperandReader reader(c.utf8, cases);
    CodePointSet set;
    OperandError error;
    std::size_t pos = 0;
    const bool read = c.text[0] == '[' ? reader.ReadClass(c.text, pos, set, error)
                                       : reader.ReadEscape(c.text, pos, set, error);
    if (c.ranges.starts_with("error")) {
      EXPECT_FALSE(read) << c.text;
      EXPECT_EQ("error " + std::to_string(error.number), c.ranges) << c.text;
      continue;
    }
    ASSERT_TRUE(read) << c.text << " error " << error.number;
    EXPECT_EQ(Ranges(set), c.ranges) << c.text;
    EXPECT_EQ(pos, c.end) << c.text;
  }
}

// 8-bit widening runs in place upwards, as it always has: a partner above its
// byte is widened in turn, one below is not.
TEST(OperandReader, WidensEightBitCaseInPlaceUpwards) {
  CaseTable cases = CaseTable::Windows1252();
  cases.upper['a'] = 'b';  // a -> b -> c upwards, and c -> a below
  cases.upper['b'] = 'c';
  cases.upper['c'] = 'a';
  const OperandReader reader(false, cases);
  CodePointSet set;
  set.Add('a');
  reader.WidenCase(set);
  EXPECT_EQ(Ranges(set), "97-99");
  CodePointSet upper;
  upper.Add('c');
  reader.WidenCase(upper);
  EXPECT_EQ(Ranges(upper), "97,99");
}

}  // namespace
}  // namespace tarnwick
