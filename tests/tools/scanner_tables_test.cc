// Reading scanner tables back from generated sources: the documented
// two-state example, layout variations a real file may have, and every way a
// source can be broken or truncated.
#include "scanner_tables.h"

#include <gtest/gtest.h>

#include <random>
#include <string>

#include "hand_scanner.h"
#include "scan_engine.h"

namespace tarnwick_scan {
namespace {

// The two-state example: "a" is class 1, the start state moves to state 1
// on it, and state 1 accepts rule 0.
std::string TwoStateSource() {
  std::string zeros =
      "    Data.i   0,  0,  0,  0,  0,  0,  0,  0,  0,  0,  0,  0,  0,  0,  0,  0\r\n";
  std::string text =
      "XIncludeFile \"PBTarnwickInc.pbi\" : \r\n"
      "Procedure __yylexerrun0(*userData) :  ProcedureReturn 1  : ProcedureReturn -1 "
      ": EndProcedure\r\n"
      "DataSection\r\n  __yylexer_charclass:\r\n";
  for (int i = 0; i < 6; ++i)
    text += zeros;
  text += "    Data.i   0,  1,  0,  0,  0,  0,  0,  0,  0,  0,  0,  0,  0,  0,  0,  0\r\n";
  for (int i = 0; i < 9; ++i)
    text += zeros;
  text +=
      "  \r\n  __yylexer_actionTable:\r\n"
      "    Data.i   -1,   1, 0\r\n"
      "    Data.i   -1,  -1, @__yylexerrun0()\r\n"
      "  \r\n  __yylexer_info:\r\n    ; startstate, cntcharclass\r\n"
      "    Data.i 0, 2\r\nEndDataSection\r\n";
  return text;
}

TEST(TableReaderTest, ReadsTheTwoStateExample) {
  TableRead read = ReadScannerTables(TwoStateSource());
  ASSERT_TRUE(read.tables) << read.error;
  const ScannerTables& t = *read.tables;
  EXPECT_EQ(t.columns, 2);
  EXPECT_EQ(t.start, 0);
  ASSERT_EQ(t.StateCount(), 2);
  for (int b = 0; b < 256; ++b)
    EXPECT_EQ(t.columnOf[b], b == 'a' ? 1 : 0) << b;
  EXPECT_EQ(t.Next(0, 0), kNoMove);
  EXPECT_EQ(t.Next(0, 1), 1);
  EXPECT_EQ(t.Next(1, 1), kNoMove);
  EXPECT_EQ(t.acceptedRule[0], kNoRule);
  EXPECT_EQ(t.acceptedRule[1], 0);
}

TEST(TableReaderTest, AcceptsLayoutVariations) {
  HandScanner dfa;
  dfa.Class('0', '9', 1);
  dfa.classCount = 1;
  dfa.rows = {{{-1, 1}, -1}, {{-1, 1}, 12}};
  dfa.start = 1;
  // A user DataSection in the user code comes before the generated one.
  std::string prelude = "DataSection\r\n  mine:\r\n    Data.i 1, 2, 3\r\nEndDataSection\r\n";
  std::string source = dfa.Source(prelude);
  // Plain LF line ends, and no final line end.
  std::string lf;
  for (char c : source) {
    if (c != '\r') lf += c;
  }
  lf.pop_back();
  for (const std::string& text : {source, lf}) {
    TableRead read = ReadScannerTables(text);
    ASSERT_TRUE(read.tables) << read.error;
    EXPECT_EQ(read.tables->start, 1);
    EXPECT_EQ(read.tables->acceptedRule[1], 12);
    EXPECT_EQ(read.tables->columnOf['5'], 1);
  }
}

TEST(TableReaderTest, ReadsRulelessScannerWithOneColumn) {
  HandScanner dfa;
  dfa.rows = {{{-1}, -1}};
  TableRead read = ReadScannerTables(dfa.Source());
  ASSERT_TRUE(read.tables) << read.error;
  EXPECT_EQ(read.tables->columns, 1);
}

struct BadSource {
  const char* name;
  std::string from;  // text in the two-state example to replace
  std::string to;
  std::string error;  // expected part of the message
};

void PrintTo(const BadSource& bad, std::ostream* os) {
  *os << bad.name;
}

class BrokenSourceTest : public testing::TestWithParam<BadSource> {};

TEST_P(BrokenSourceTest, IsRejectedWithAMessage) {
  std::string source = TwoStateSource();
  const BadSource& bad = GetParam();
  size_t at = source.find(bad.from);
  ASSERT_NE(at, std::string::npos) << bad.from;
  source.replace(at, bad.from.size(), bad.to);
  TableRead read = ReadScannerTables(source);
  EXPECT_FALSE(read.tables);
  EXPECT_NE(read.error.find(bad.error), std::string::npos) << read.error;
}

const BadSource kBadSources[] = {
    {"NoDataSection", "DataSection\r\n", "Data\r\n", "no DataSection"},
    {"TruncatedBeforeInfo", "  \r\n  __yylexer_info:", "\r\n\r\n", "__yylexer_info missing"},
    {"NoEnd", "EndDataSection\r\n", "", "EndDataSection missing"},
    {"ShortClassTable", "  0,  1,  0,  0,", "  0,  1,  0,", "255 values, expected 256"},
    {"LongClassTable", "  0,  1,  0,  0,", "  0,  1,  0,  0,  0,", "more than 256"},
    {"ClassBeyondColumns", "  0,  1,  0,  0,", "  0,  2,  0,  0,", "class of byte 97 is 2"},
    {"NegativeClass", "  0,  1,  0,  0,", "  0, -1,  0,  0,", "class of byte 97 is -1"},
    {"ShortRow", "  -1,   1, 0", "  -1, 0", "row 0 holds 2 values, expected 3"},
    {"LongRow", "  -1,   1, 0", "  -1, 1, 1, 0", "row 0 holds 4 values"},
    {"TargetOutOfRange", "  -1,   1, 0", "  -1,   2, 0", "target 2 in row 0"},
    {"TargetBelowNone", "  -1,   1, 0", "  -2,   1, 0", "target -2"},
    {"HugeTarget", "  -1,   1, 0", "  -1, 99999999999999999999999, 0", "no integer"},
    {"TextTarget", "  -1,   1, 0", "  -1,   x, 0", "no integer"},
    {"ActionAddressAsNumber", "@__yylexerrun0()", "4096", "neither 0 nor"},
    {"ActionWithoutNumber", "@__yylexerrun0()", "@__yylexerrun()", "neither 0 nor"},
    {"ActionOtherProcedure", "@__yylexerrun0()", "@Other0()", "neither 0 nor"},
    {"ActionNegative", "@__yylexerrun0()", "@__yylexerrun-1()", "neither 0 nor"},
    {"StartOutOfRange", "Data.i 0, 2", "Data.i 2, 2", "start state 2"},
    {"NegativeStart", "Data.i 0, 2", "Data.i -1, 2", "start state -1"},
    {"ZeroWidth", "Data.i 0, 2", "Data.i 0, 0", "row width 0"},
    {"WidthBeyondClasses", "Data.i 0, 2", "Data.i 0, 258", "row width 258"},
    {"InfoWithThreeValues", "Data.i 0, 2", "Data.i 0, 2, 3", "two values"},
    {"EmptyField", "Data.i 0, 2", "Data.i 0,", "integers"},
    {"LabelsOutOfOrder", "__yylexer_charclass:", "__yylexer_info:", "out of order"},
    {"StrayText", "  \r\n  __yylexer_info:", "  Foo()\r\n  __yylexer_info:", "unexpected line"},
    {"NoRows", "    Data.i   -1,   1, 0\r\n    Data.i   -1,  -1, @__yylexerrun0()\r\n", "",
     "no rows"},
};

INSTANTIATE_TEST_SUITE_P(All, BrokenSourceTest, testing::ValuesIn(kBadSources),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(TableReaderTest, ReportsTheLineOfTheFault) {
  std::string source = TwoStateSource();
  source.replace(source.find("  -1,   1, 0"), 12, "  -1,   7, 0");
  TableRead read = ReadScannerTables(source);
  ASSERT_FALSE(read.tables);
  EXPECT_EQ(read.line, 23);  // two lines of translated definition before the tables
}

TEST(TableReaderTest, SurvivesEveryPrefixOfASource) {
  // Truncation at any byte must give an error, never a crash or a half table.
  std::string source = TwoStateSource();
  size_t end = source.rfind("EndDataSection");
  for (size_t n = 0; n < end; ++n) {
    EXPECT_FALSE(ReadScannerTables(source.substr(0, n)).tables) << n;
  }
  EXPECT_TRUE(ReadScannerTables(source.substr(0, end + 14)).tables);
}

TEST(TableReaderTest, MutatedSourcesReadSafelyOrNotAtAll) {
  // Whatever the reader accepts must be safe to scan with: every column,
  // target and start it hands out indexes the tables.
  const std::string source = TwoStateSource();
  const std::string alphabet = "0123456789-, \r\n@()_:;DataSection";
  std::mt19937 random(7);
  int accepted = 0;
  for (int round = 0; round < 3000; ++round) {
    std::string text = source;
    for (int edits = 1 + round % 3; edits > 0; --edits) {
      size_t at = random() % text.size();
      text[at] = alphabet[random() % alphabet.size()];
    }
    TableRead read = ReadScannerTables(text);
    if (!read.tables) continue;
    ++accepted;
    const ScannerTables& t = *read.tables;
    ASSERT_EQ(t.next.size(), static_cast<size_t>(t.StateCount()) * t.columns);
    ScanEngine engine(t, std::string_view("ab\0"
                                          "a\xff",
                                          5));
    int tokens = 1;
    while (engine.Next().kind != Token::Kind::kEnd && tokens < 8)
      ++tokens;
    EXPECT_LE(tokens, 7);  // at most one token per byte, then the end
  }
  EXPECT_GT(accepted, 0);  // some edits only touch the translated definition
}

}  // namespace
}  // namespace tarnwick_scan
