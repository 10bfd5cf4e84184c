// The matching algorithm on small hand-built automata: longest match with
// backtracking, the end-of-input column, class-0 bytes, empty matches, the
// error path and line/column tracking.
#include "scan_engine.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "hand_scanner.h"
#include "token_format.h"

namespace tarnwick_scan {
namespace {

std::vector<std::string> Scan(const HandScanner& dfa, std::string_view input, bool utf8 = false) {
  TableRead read = ReadScannerTables(dfa.Source());
  EXPECT_TRUE(read.tables) << read.error;
  if (!read.tables) return {};
  ScanEngine engine(*read.tables, input, utf8);
  std::vector<std::string> lines;
  // The bound catches an engine that stalls instead of hanging the test.
  for (size_t i = 0; i <= input.size() + 2; ++i) {
    Token token = engine.Next();
    lines.push_back(FormatToken(token, input, utf8));
    if (token.kind == Token::Kind::kEnd) {
      // The end stays the end.
      EXPECT_EQ(FormatToken(engine.Next(), input, utf8), lines.back());
      return lines;
    }
  }
  ADD_FAILURE() << "no end token";
  return lines;
}

// Rules 0 "abc", 1 "a", 2 "b"; classes a=1, b=2, c=3.
HandScanner AbcDfa() {
  HandScanner dfa;
  dfa.Class('a', 'a', 1).Class('b', 'b', 2).Class('c', 'c', 3);
  dfa.classCount = 3;
  dfa.rows = {
      {{-1, 1, 4, -1}, -1},   // 0: start
      {{-1, -1, 2, -1}, 1},   // 1: "a"
      {{-1, -1, -1, 3}, -1},  // 2: "ab", no rule
      {{-1, -1, -1, -1}, 0},  // 3: "abc"
      {{-1, -1, -1, -1}, 2},  // 4: "b"
  };
  return dfa;
}

TEST(ScanEngineTest, TakesTheLongestMatchAndBacksOffToTheLastAccept) {
  EXPECT_EQ(
      Scan(AbcDfa(), "abcab"),
      (std::vector<std::string>{"rule 0  line 1  col 1  \"abc\"", "rule 1  line 1  col 4  \"a\"",
                                "rule 2  line 1  col 5  \"b\"", "eof  line 1  col 6"}));
  // "ab" leads to a non-accepting state: the token falls back to "a".
  EXPECT_EQ(
      Scan(AbcDfa(), "aba"),
      (std::vector<std::string>{"rule 1  line 1  col 1  \"a\"", "rule 2  line 1  col 2  \"b\"",
                                "rule 1  line 1  col 3  \"a\"", "eof  line 1  col 4"}));
}

TEST(ScanEngineTest, ReportsUnmatchedBytesOneAtATime) {
  EXPECT_EQ(
      Scan(AbcDfa(),
           "c\x01"
           "a"),
      (std::vector<std::string>{"error  line 1  col 1  \"c\"", "error  line 1  col 2  \"\\x01\"",
                                "rule 1  line 1  col 3  \"a\"", "eof  line 1  col 4"}));
  EXPECT_EQ(Scan(AbcDfa(), ""), (std::vector<std::string>{"eof  line 1  col 1"}));
}

// Rules 0 "x+", 1 "<<EOF>>"; x is class 1, everything else class 0.
HandScanner EofDfa() {
  HandScanner dfa;
  dfa.Class('x', 'x', 1);
  dfa.classCount = 1;
  dfa.rows = {{{2, 1}, -1}, {{-1, 1}, 0}, {{-1, -1}, 1}};
  return dfa;
}

TEST(ScanEngineTest, TakesTheEndColumnOnlyAtTheRealEndAndOnlyOnce) {
  // A byte of class 0 shares column 0 with the end of input but must not
  // take the end-of-input move.
  EXPECT_EQ(Scan(EofDfa(), "xx?x"),
            (std::vector<std::string>{"rule 0  line 1  col 1  \"xx\"",
                                      "error  line 1  col 3  \"?\"", "rule 0  line 1  col 4  \"x\"",
                                      "rule 1  line 1  col 5  \"\"", "eof  line 1  col 5"}));
  EXPECT_EQ(Scan(EofDfa(), ""),
            (std::vector<std::string>{"rule 1  line 1  col 1  \"\"", "eof  line 1  col 1"}));
}

TEST(ScanEngineTest, MatchesTextThatMustEndTheInput) {
  // Rules 0 "a<<EOF>>", 1 "a".
  HandScanner dfa;
  dfa.Class('a', 'a', 1);
  dfa.classCount = 1;
  dfa.rows = {{{-1, 1}, -1}, {{2, -1}, 1}, {{-1, -1}, 0}};
  EXPECT_EQ(Scan(dfa, "aa"),
            (std::vector<std::string>{"rule 1  line 1  col 1  \"a\"",
                                      "rule 0  line 1  col 2  \"a\"", "eof  line 1  col 3"}));
}

TEST(ScanEngineTest, NeverAcceptsAnEmptyMatchWithoutTheEnd) {
  // Rule 0 "a*": the start state accepts, which alone must not make a token.
  HandScanner dfa;
  dfa.Class('a', 'a', 1);
  dfa.classCount = 1;
  dfa.rows = {{{-1, 1}, 0}, {{-1, 1}, 0}};
  EXPECT_EQ(Scan(dfa, "aab a"),
            (std::vector<std::string>{"rule 0  line 1  col 1  \"aa\"",
                                      "error  line 1  col 3  \"b\"", "error  line 1  col 4  \" \"",
                                      "rule 0  line 1  col 5  \"a\"", "eof  line 1  col 6"}));
}

TEST(ScanEngineTest, StartsAtTheTablesStartState) {
  // State 0 is a dead state; the start is row 1.
  HandScanner dfa;
  dfa.Class('a', 'a', 1);
  dfa.classCount = 1;
  dfa.rows = {{{-1, -1}, -1}, {{-1, 2}, -1}, {{-1, -1}, 5}};
  dfa.start = 1;
  EXPECT_EQ(Scan(dfa, "a"),
            (std::vector<std::string>{"rule 5  line 1  col 1  \"a\"", "eof  line 1  col 2"}));
}

TEST(ScanEngineTest, CountsLinesAtLineFeedsAndColumnsInBytes) {
  // Rules 0 "[a-z]+", 1 "\n" (line feed or carriage return).
  HandScanner dfa;
  dfa.Class('a', 'z', 1).Class('\n', '\n', 2).Class('\r', '\r', 2);
  dfa.classCount = 2;
  dfa.rows = {{{-1, 1, 2}, -1}, {{-1, 1, -1}, 0}, {{-1, -1, -1}, 1}};
  EXPECT_EQ(
      Scan(dfa, "ab\r\ncd\n\n\tx"),
      (std::vector<std::string>{"rule 0  line 1  col 1  \"ab\"", "rule 1  line 1  col 3  \"\\r\"",
                                "rule 1  line 1  col 4  \"\\n\"", "rule 0  line 2  col 1  \"cd\"",
                                "rule 1  line 2  col 3  \"\\n\"", "rule 1  line 3  col 1  \"\\n\"",
                                "error  line 4  col 1  \"\\t\"", "rule 0  line 4  col 2  \"x\"",
                                "eof  line 4  col 3"}));
}

TEST(ScanEngineTest, LineCountFollowsLineFeedsInsideTokens) {
  // Rule 0 "[^x]+" over every byte but x.
  HandScanner dfa;
  dfa.Class(0, 255, 1).Class('x', 'x', 0);
  dfa.classCount = 1;
  dfa.rows = {{{-1, 1}, -1}, {{-1, 1}, 0}};
  EXPECT_EQ(Scan(dfa, "a\nb\n\xffx"),
            (std::vector<std::string>{"rule 0  line 1  col 1  \"a\\nb\\n\\xff\"",
                                      "error  line 3  col 2  \"x\"", "eof  line 3  col 3"}));
}

TEST(ScanEngineTest, Utf8InputGivesOneErrorPerUnnamedCharacter) {
  // Rule 0 "a"; every other byte is class 0.
  HandScanner dfa;
  dfa.Class('a', 'a', 1);
  dfa.classCount = 1;
  dfa.rows = {{{-1, 1}, -1}, {{-1, -1}, 0}};
  struct Case {
    std::string input;
    bool utf8;
    std::vector<std::string> tokens;
  };
  const Case cases[] = {
      // Two-, three- and four-byte characters: one error each.
      {"é€😀a",
       true,
       {"error  line 1  col 1  \"é\"", "error  line 1  col 2  \"€\"", "error  line 1  col 3  \"😀\"",
        "rule 0  line 1  col 4  \"a\"", "eof  line 1  col 5"}},
      // A cut sequence, a lone continuation byte, a surrogate: byte by byte.
      {"\xe2\x82"
       "a\x80\xed\xa0\x80",
       true,
       {"error  line 1  col 1  \"\\xe2\"", "error  line 1  col 2  \"\\x82\"",
        "rule 0  line 1  col 3  \"a\"", "error  line 1  col 4  \"\\x80\"",
        "error  line 1  col 5  \"\\xed\"", "error  line 1  col 6  \"\\xa0\"",
        "error  line 1  col 7  \"\\x80\"", "eof  line 1  col 8"}},
      // Without UTF-8 every byte stays an error of its own.
      {"é",
       false,
       {"error  line 1  col 1  \"\\xc3\"", "error  line 1  col 2  \"\\xa9\"",
        "eof  line 1  col 3"}},
  };
  for (const Case& c : cases)
    EXPECT_EQ(Scan(dfa, c.input, c.utf8), c.tokens) << c.input;
}

}  // namespace
}  // namespace tarnwick_scan
