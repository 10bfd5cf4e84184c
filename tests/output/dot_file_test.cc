// Tests of the dot drawing: every symbol label, the exact file of a small
// automaton, and the grouped edge labels checked against a plain transcription
// of the table-and-runs method on random automata. Every graph is also handed
// to Graphviz when it is installed.
#include "output/dot_file.h"

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <random>
#include <sstream>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "dfa_builders.h"
#include "dot_check.h"
#include "regex/symbols.h"

namespace tarnwick {
namespace {

using testing::ClassesOf;
using testing::ExpectDotAccepts;
using testing::StateOf;

TEST(SymbolLabelTest, EveryKindOfSymbol) {
  struct Case {
    int symbol;
    const char* label;
  };
  const Case cases[] = {
      {' ', "\\\\s"},   {'\t', "\\\\t"}, {'\n', "\\\\n"},  {'\r', "\\\\n"},  {'A', "A"},
      {'Z', "Z"},       {'a', "a"},      {'z', "z"},       {'0', "0"},       {'9', "9"},
      {'"', "'\\\"'"},  {'\'', "'\\''"}, {'!', "'!'"},     {'_', "'_'"},     {'@', "'@'"},
      {'[', "'['"},     {'`', "'`'"},    {'{', "'{'"},     {'~', "'~'"},     {127, "'\x7f'"},
      {256, "<<EOF>>"}, {0, "\\\\h00"},  {8, "\\\\h08"},   {11, "\\\\h0B"},  {12, "\\\\h0C"},
      {14, "\\\\h0E"},  {31, "\\\\h1F"}, {128, "\\\\h80"}, {233, "\\\\hE9"}, {255, "\\\\hFF"},
  };
  for (const Case& c : cases)
    EXPECT_EQ(SymbolLabel(c.symbol), c.label) << "symbol " << c.symbol;
  EXPECT_EQ(SymbolLabel(-1), "");
  EXPECT_EQ(SymbolLabel(257), "");
}

TEST(DotFileTest, SmallAutomatonByteForByte) {
  // Positions and indices differ: position 1 is index 2, position 2 index 1.
  Dfa dfa;
  dfa.charset = ClassesOf({{'a', 'a'}, {'b', 'b'}, {'0', '9'}, {255, 255}, {'"', '"'}});
  dfa.states.push_back(StateOf(0, -1, {{kEofSymbol, 1}, {1, 2}, {2, 2}, {3, 1}}));
  dfa.states.push_back(StateOf(2, 0, {{kEofSymbol, 1}, {4, 1}, {5, 0}}));
  dfa.states.push_back(StateOf(1, 3, {}));
  dfa.start = 0;

  const std::string expected =
      "\xEF\xBB\xBF"
      "digraph G {\r\n"
      "\r\n"
      "  S0 [shape=record, label=\"{State 0 - start | Final = -1}\"]\r\n"
      "  S0 -> S1 [label=\"a-b\"]\r\n"
      "  S0 -> S2 [label=\"0-9, <<EOF>>\"]\r\n"
      "\r\n"
      "  S2 [shape=record, label=\"{State 2 | Final = 0}\"]\r\n"
      "  S2 -> S0 [label=\"'\\\"'\"]\r\n"
      "  S2 -> S2 [label=\"\\\\hFF-<<EOF>>\"]\r\n"
      "\r\n"
      "  S1 [shape=record, label=\"{State 1 | Final = 3}\"]\r\n"
      "}\r\n";
  std::string text = DotFileText(dfa);
  EXPECT_EQ(text, expected);
  ExpectDotAccepts(text);

  std::string path = ::testing::TempDir() + "tarnwick_small.dot";
  ASSERT_TRUE(WriteDotFile(dfa, path));
  std::ifstream file(path, std::ios::binary);
  std::stringstream written;
  written << file.rdbuf();
  EXPECT_EQ(written.str(), expected);
  std::filesystem::remove(path);
}

TEST(DotFileTest, EdgeLabelsJoinClassesInByteOrder) {
  // The identifier-character edge: four classes to one target, given in an
  // order unrelated to their bytes.
  Dfa dfa;
  dfa.charset = ClassesOf({{'a', 'z'}, {'_', '_'}, {'A', 'Z'}, {'0', '9'}});
  for (int i = 0; i < 6; ++i)
    dfa.states.push_back(StateOf(i, -1, {}));
  dfa.states[2].moves = {{1, 5}, {2, 5}, {3, 5}, {4, 5}};
  dfa.states[3].moves = {{kEofSymbol, 4}};
  std::string text = DotFileText(dfa);
  EXPECT_NE(text.find("\r\n  S2 -> S5 [label=\"0-9, A-Z, '_', a-z\"]\r\n"), std::string::npos);
  EXPECT_NE(text.find("\r\n  S3 -> S4 [label=\"<<EOF>>\"]\r\n"), std::string::npos);
  ExpectDotAccepts(text);
}

TEST(DotFileTest, FiveDigitIndicesAndMissingFile) {
  Dfa dfa;
  dfa.charset = ClassesOf({{'x', 'x'}});
  for (int i = 0; i < 12346; ++i)
    dfa.states.push_back(StateOf(i, -1, {}));
  dfa.states[12345].moves = {{1, 0}};
  dfa.states[12345].final = 10001;
  std::string text = DotFileText(dfa);
  EXPECT_NE(text.find("\r\n  S12345 [shape=record, label=\"{State 12345 | Final = 10001}\"]\r\n"
                      "  S12345 -> S0 [label=\"x\"]\r\n}\r\n"),
            std::string::npos);
  EXPECT_FALSE(WriteDotFile(dfa, ::testing::TempDir() + "no_such_dir/x.dot"));
}

// The drawing as a direct transcription of the table of targets by symbols
// and the run rule, for comparison with the grouped method.
std::string ReferenceDotText(const Dfa& dfa) {
  const std::size_t n = dfa.states.size();
  std::string out =
      "\xEF\xBB\xBF"
      "digraph G {\r\n";
  for (std::size_t s = 0; s < n; ++s) {
    const DfaState& state = dfa.states[s];
    out += "\r\n  S" + std::to_string(state.index) + " [shape=record, label=\"{State " +
           std::to_string(state.index) + (static_cast<int>(s) == dfa.start ? " - start" : "") +
           " | Final = " + std::to_string(state.final) + "}\"]\r\n";
    std::vector<std::vector<bool>> table(n, std::vector<bool>(257, false));
    for (const DfaMove& move : state.moves) {
      int j = dfa.states[move.target].index;
      for (int c = 0; c < 256; ++c) {
        if (dfa.charset->classOf[c] == move.symbol) table[j][c] = true;
      }
      if (move.symbol == kEofSymbol) table[j][256] = true;
    }
    for (std::size_t j = 0; j < n; ++j) {
      std::string label;
      enum { kNone, kOpen, kLong } run = kNone;
      bool any = false;
      for (int c = 0; c <= 256; ++c) {
        if (table[j][c]) {
          any = true;
          if (run == kNone) {
            if (!label.empty()) label += ", ";
            label += SymbolLabel(c);
            run = kOpen;
          } else if (run == kOpen) {
            label += "-";
            run = kLong;
          }
        } else {
          if (run == kLong) label += SymbolLabel(c - 1);
          run = kNone;
        }
      }
      if (run == kLong) label += SymbolLabel(256);
      if (any) {
        out += "  S" + std::to_string(state.index) + " -> S" + std::to_string(j) + " [label=\"" +
               label + "\"]\r\n";
      }
    }
  }
  return out + "}\r\n";
}

Dfa RandomDfa(std::mt19937& random) {
  auto below = [&](int limit) { return static_cast<int>(random() % static_cast<unsigned>(limit)); };
  Dfa dfa;
  dfa.charset = ClassesOf({});
  // Classes of scattered bytes, so runs start and stop anywhere, including
  // at byte 255 next to end of input.
  int classCount = below(12);
  for (int byte = 0; byte < 256; ++byte) {
    dfa.charset->classOf[byte] = classCount == 0 ? 0 : below(classCount + 1);
  }
  dfa.charset->classCount = classCount;

  int n = 1 + below(30);
  std::vector<int> indices(n);
  for (int i = 0; i < n; ++i)
    indices[i] = i;
  std::shuffle(indices.begin(), indices.end(), random);
  for (int i = 0; i < n; ++i) {
    DfaState state = StateOf(indices[i], below(3) == 0 ? below(20) : -1, {});
    for (int symbol = kEofSymbol; symbol <= classCount; ++symbol) {
      if (symbol == 0 || below(3) == 0) continue;
      state.moves.push_back({symbol, below(n)});
    }
    dfa.states.push_back(std::move(state));
  }
  dfa.start = below(n);
  return dfa;
}

TEST(DotFileTest, GroupedLabelsMatchTheTableMethodOnRandomAutomata) {
  std::mt19937 random(20240607);
  for (int round = 0; round < 300; ++round) {
    Dfa dfa = RandomDfa(random);
    std::string text = DotFileText(dfa);
    ASSERT_EQ(text, ReferenceDotText(dfa)) << "round " << round;
    for (std::size_t i = 3; i < text.size(); ++i) {
      ASSERT_LT(static_cast<unsigned char>(text[i]), 128u) << "round " << round;
    }
    if (round % 60 == 0) ExpectDotAccepts(text);
  }
}

}  // namespace
}  // namespace tarnwick
