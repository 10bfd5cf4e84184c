// TextCursor: whatever the size hints, the sink ends up holding exactly
// what was written, after what it held before, through every growth, and
// takes it in pieces no larger than the cursor's buffer.
#include "output/text_cursor.h"

#include <algorithm>
#include <string>
#include <vector>

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

// Keeps the text and the size of every piece it was handed.
class PieceSizes final : public TextSink {
 public:
  void Write(std::string_view piece) override {
    text.append(piece);
    sizes.push_back(piece.size());
  }
  std::string text;
  std::vector<std::size_t> sizes;
};

TEST(TextCursorTest, HandsTheSinkBoundedPiecesWhateverTheHint) {
  PieceSizes sink;
  const std::string large(3 * TextCursor::kMaxBuffer, 'L');
  std::string expected;
  {
    TextCursor cursor(sink, std::size_t{1} << 30);
    for (int i = 0; i < 100000; ++i) {
      cursor.PutDecimalPadded(i, 8);
      const std::string digits = std::to_string(i);
      expected += std::string(8 - digits.size(), ' ') + digits;
    }
    cursor.Put(large);  // larger than the buffer: handed on as it is
    cursor.Put('x');
    expected += large + "x";
  }
  EXPECT_EQ(sink.text, expected);
  std::erase(sink.sizes, large.size());
  EXPECT_LE(*std::max_element(sink.sizes.begin(), sink.sizes.end()), TextCursor::kMaxBuffer);
  EXPECT_GT(sink.sizes.size(), 10u);
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
