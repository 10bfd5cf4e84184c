// TextCursor: whatever the size hints, the string ends up holding exactly
// what was written, after what it held before, through every growth.
#include "output/text_cursor.h"

#include <string>

#include <gtest/gtest.h>

namespace tarnwick {
namespace {

TEST(TextCursorTest, KeepsEveryPieceThroughGrowth) {
  struct Case {
    std::size_t hint;
    int pieces;
  };
  for (const Case& c : {Case{0, 1}, Case{1, 5000}, Case{64, 65}, Case{100000, 3000}}) {
    std::string out = "head;";
    std::string expected = out;
    for (int round = 0; round < 2; ++round) {  // a second cursor on the same string
      StringSink sink(out);
      TextCursor cursor(sink, c.hint);
      for (int i = 0; i < c.pieces; ++i) {
        cursor.Put("ab");
        cursor.PutDecimal(i);
        expected += "ab" + std::to_string(i);
      }
    }
    EXPECT_EQ(out, expected) << "hint " << c.hint << ", pieces " << c.pieces;
  }
}

TEST(TextCursorTest, ReserveTextKeepsContentAndGivesTheRoom) {
  std::string out(1000, 'x');
  ReserveText(out, 100);
  EXPECT_EQ(out, std::string(1000, 'x'));
  EXPECT_GE(out.capacity(), 1100U);
  EXPECT_LT(out.capacity(), 2000U);  // std::string::reserve would double the capacity
}

}  // namespace
}  // namespace tarnwick
