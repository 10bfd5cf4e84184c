// Tests of the DataSection: exact bytes of the example automaton, the
// numbering of states by position, and the boundaries of the field widths.
#include "output/scanner_tables.h"

#include <string>

#include <gtest/gtest.h>

#include "dfa_builders.h"
#include "regex/symbols.h"

namespace tarnwick {
namespace {

using testing::ClassesOf;
using testing::StateOf;

void WriteTables(const Dfa& dfa, std::string& out) {
  StringSink sink(out);
  WriteScannerTables(dfa, sink);
}

std::string ZeroClassLine() {
  std::string line = "    Data.i   0";
  for (int i = 1; i < 16; ++i)
    line += ",  0";
  return line + "\r\n";
}

TEST(ScannerTablesTest, WritesTheTwoStateExampleByteForByte) {
  Dfa dfa;
  dfa.charset = ClassesOf({{'a', 'a'}});
  dfa.states.push_back(StateOf(0, -1, {{1, 1}}));
  dfa.states.push_back(StateOf(1, 0, {}));
  dfa.start = 0;

  std::string expected = "DataSection\r\n  __yylexer_charclass:\r\n";
  for (int line = 0; line < 6; ++line)
    expected += ZeroClassLine();
  expected += "    Data.i   0,  1,  0,  0,  0,  0,  0,  0,  0,  0,  0,  0,  0,  0,  0,  0\r\n";
  for (int line = 7; line < 16; ++line)
    expected += ZeroClassLine();
  expected +=
      "  \r\n"
      "  __yylexer_actionTable:\r\n"
      "    Data.i   -1,   1, 0\r\n"
      "    Data.i   -1,  -1, @__yylexerrun0()\r\n"
      "  \r\n"
      "  __yylexer_info:\r\n"
      "    ; startstate, cntcharclass\r\n"
      "    Data.i 0, 2\r\n"
      "EndDataSection\r\n";

  std::string out = "Procedure __yylexerrun0(*userData) : EndProcedure\r\n";
  const std::string head = out;
  WriteTables(dfa, out);
  EXPECT_EQ(out, head + expected);
}

TEST(ScannerTablesTest, DefinitionWithoutRulesHasOneColumn) {
  Dfa dfa;
  dfa.charset = ClassesOf({});
  dfa.states.push_back(StateOf(0, -1, {}));

  std::string expected = "DataSection\r\n  __yylexer_charclass:\r\n";
  for (int line = 0; line < 16; ++line)
    expected += ZeroClassLine();
  expected +=
      "  \r\n  __yylexer_actionTable:\r\n    Data.i   -1, 0\r\n"
      "  \r\n  __yylexer_info:\r\n    ; startstate, cntcharclass\r\n    Data.i 0, 1\r\n"
      "EndDataSection\r\n";
  std::string out;
  WriteTables(dfa, out);
  EXPECT_EQ(out, expected);
}

TEST(ScannerTablesTest, ColumnsFollowSymbolsAndStatesArePositions) {
  // Three classes; the start state sits at position 2 and its discovery index
  // differs from its position, as does every other state's.
  Dfa dfa;
  dfa.charset = ClassesOf({{'a', 'a'}, {'b', 'b'}, {'c', 'z'}});
  dfa.states.push_back(StateOf(2, 7, {}));
  dfa.states.push_back(StateOf(1, -1, {{kEofSymbol, 0}}));
  // Moves on end of input and class 3 only; class 0's bytes share column 0.
  dfa.states.push_back(StateOf(0, 12, {{kEofSymbol, 1}, {3, 0}}));
  dfa.start = 2;

  std::string out;
  WriteTables(dfa, out);
  EXPECT_NE(out.find("actionTable:\r\n"
                     "    Data.i   -1,  -1,  -1,  -1, @__yylexerrun7()\r\n"
                     "    Data.i    0,  -1,  -1,  -1, 0\r\n"
                     "    Data.i    1,  -1,  -1,   0, @__yylexerrun12()\r\n"
                     "  \r\n"),
            std::string::npos)
      << out;
  EXPECT_NE(out.find("    Data.i 2, 4\r\n"), std::string::npos) << out;
  // Bytes 96..111: '`' is class 0, 'a' 1, 'b' 2, 'c'..'o' 3.
  EXPECT_NE(
      out.find("    Data.i   0,  1,  2,  3,  3,  3,  3,  3,  3,  3,  3,  3,  3,  3,  3,  3\r\n"),
      std::string::npos);
}

TEST(ScannerTablesTest, WideNumbersAreWrittenInFull) {
  constexpr int kStates = 12346;
  Dfa dfa;
  dfa.charset = ClassesOf({{'x', 'x'}});
  for (int i = 0; i < kStates; ++i)
    dfa.states.push_back(StateOf(i, -1, {}));
  dfa.states[0].moves = {{kEofSymbol, 12345}, {1, 999}};
  dfa.states[12345].final = 10000;
  dfa.start = 12345;

  std::string out;
  WriteTables(dfa, out);
  EXPECT_NE(out.find("actionTable:\r\n    Data.i 12345, 999, 0\r\n"), std::string::npos);
  EXPECT_NE(out.find("    Data.i   -1,  -1, @__yylexerrun10000()\r\n  \r\n"), std::string::npos);
  EXPECT_NE(out.find("    Data.i 12345, 2\r\n"), std::string::npos);
}

TEST(ScannerTablesTest, FourDigitFieldsEndAtTenThousand) {
  Dfa dfa;
  dfa.charset = ClassesOf({{'x', 'x'}, {'y', 'y'}});
  for (int i = 0; i < 10001; ++i)
    dfa.states.push_back(StateOf(i, -1, {}));
  dfa.states[0].moves = {{kEofSymbol, 9999}, {1, 10000}, {2, 7}};

  std::string out;
  WriteTables(dfa, out);
  EXPECT_NE(out.find("actionTable:\r\n    Data.i 9999,10000,   7, 0\r\n"), std::string::npos);
}

}  // namespace
}  // namespace tarnwick
