// The compact NFA built straight from the trees against the object NFA laid
// out compactly, over random definitions and the examples, the layout of
// moves given in any order, and the labels' release.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "automaton/compact_nfa.h"
#include "automaton/nfa.h"
#include "automaton/subset.h"
#include "base/whole_file.h"
#include "frontend/definition_reader.h"
#include "language_support.h"
#include "regex/simplify.h"
#include "same_dfa.h"

namespace tarnwick {
namespace {

void ExpectSameCompactNfa(const CompactNfa& a, const CompactNfa& b) {
  EXPECT_EQ(a.finals, b.finals);
  EXPECT_EQ(a.moveBegin, b.moveBegin);
  ASSERT_EQ(a.moves.size(), b.moves.size());
  for (std::size_t i = 0; i < a.moves.size(); ++i) {
    EXPECT_EQ(a.moves[i].symbol, b.moves[i].symbol) << "move " << i;
    EXPECT_EQ(a.moves[i].target, b.moves[i].target) << "move " << i;
  }
  EXPECT_EQ(a.epsilonBegin, b.epsilonBegin);
  EXPECT_EQ(a.epsilonTargets, b.epsilonTargets);
  EXPECT_EQ(a.start, b.start);
  EXPECT_EQ(a.starts, b.starts);
  EXPECT_EQ(a.minSymbol, b.minSymbol);
  EXPECT_EQ(a.maxSymbol, b.maxSymbol);
  EXPECT_EQ(a.hasEpsilon, b.hasEpsilon);
}

// Both constructions from one simplified tree, then the same DFA from each;
// the compact one is left with the class map alone.
void ExpectBothPathsAgree(const RegexNode& simplified, const LexerStates& states) {
  auto nfa = BuildNfa(simplified, states);
  const CompactNfa viaObjects = MakeCompactNfa(*nfa);
  auto root = simplified.Clone();
  const CompactNfa direct = BuildCompactNfa(*root, states);
  EXPECT_TRUE(root->children.empty());
  EXPECT_TRUE(root->charset->operandSets.empty());
  ASSERT_NE(root->charset, nullptr);
  ExpectSameCompactNfa(direct, viaObjects);

  auto fromObjects = BuildDfaFromEpsilonNfa(*nfa, 100000);
  auto fromDirect = BuildDfaFromCompactNfa(direct, std::move(root->charset), 100000);
  ASSERT_NE(fromObjects, nullptr);
  ASSERT_NE(fromDirect, nullptr);
  EXPECT_TRUE(testing::SameDfa(*fromDirect, *fromObjects));
  EXPECT_EQ(fromDirect->starts, fromObjects->starts);
}

TEST(CompactConstruction, RandomDefinitionsGiveTheObjectNfasLayout) {
  for (uint32_t seed = 3000; seed < 3400; ++seed) {
    testing::TreeGenerator generator(seed, 1 + static_cast<int32_t>(seed % 4));
    auto definition = generator.Definition(6, 2 + static_cast<int>(seed % 5));
    SCOPED_TRACE("seed " + std::to_string(seed) + ": " + definition->ToString());
    SimplifyRules(*definition);
    ExpectBothPathsAgree(*definition, {});
  }
}

// Start conditions, line anchors and trailing context give several starts
// and rules entered from some of them only.
TEST(CompactConstruction, StartConditionsGiveTheObjectNfasLayout) {
  for (const char* definition : {
           "%state I\n%xstate X E\n%context\n%%\na { }\n<X>a { }\n<*>^b { }\n",
           "%xstate S\n%%\n<S>x*/y { }\n<INITIAL,S>x$ { }\n(x|y)+ { }\n",
           "%context\n%%\n^a*b { }\na/b* { }\n",
       }) {
    SCOPED_TRACE(definition);
    auto root = RegexNode::MakeRoot();
    std::string source;
    ErrorState error;
    DefinitionFacts facts;
    ASSERT_EQ(ReadDefinition(definition, *root, CaseTable::Windows1252(), source, error, facts), 1);
    ASSERT_TRUE(facts.states.enabled);
    SimplifyRules(*root);
    ExpectBothPathsAgree(*root, facts.states);
  }
}

// The examples cover start conditions, line anchors, trailing context and
// UTF-8 operands, none of which the random trees have.
TEST(CompactConstruction, ExamplesGiveTheObjectNfasLayout) {
  for (const char* name :
       {"c", "calc", "config", "heredoc", "include_files", "json", "purebasic", "unicode"}) {
    SCOPED_TRACE(name);
    const auto text = ReadWholeFile(std::string(TARNWICK_EXAMPLES_DIR) + "/" + name + ".lex");
    ASSERT_TRUE(text);
    auto root = RegexNode::MakeRoot();
    std::string source;
    ErrorState error;
    DefinitionFacts facts;
    ASSERT_EQ(ReadDefinition(*text, *root, CaseTable::Windows1252(), source, error, facts), 1);
    SimplifyRules(*root);
    ExpectBothPathsAgree(*root, facts.states);
  }
}

// Clearing a vector, or assigning it {}, keeps its storage.
TEST(DropLabels, FreesEveryLabelsStorage) {
  testing::TreeGenerator generator(7, 3);
  auto definition = generator.Definition(6, 4);
  SimplifyRules(*definition);
  auto dfa = BuildDfaFromEpsilonNfa(*BuildNfa(*definition), 100000);
  ASSERT_NE(dfa, nullptr);
  DropLabels(*dfa);
  for (const DfaState& state : dfa->states)
    EXPECT_EQ(state.label.capacity(), 0u);
}

TEST(CompactNfaBuilder, LaysOutMovesGivenInAnyOrder) {
  struct Move {
    int32_t from, target, symbol;
  };
  CompactNfaBuilder builder;
  for (int i = 0; i < 4; ++i)
    builder.AddState();
  builder.SetFinal(3, 7);
  EXPECT_FALSE(builder.HasMoves(2));
  // Out of order, one repeated, epsilon moves among consuming ones.
  for (const Move& m : std::vector<Move>{{2, 3, 5},
                                         {0, 2, kEpsilonSymbol},
                                         {0, 1, 4},
                                         {2, 1, kEofSymbol},
                                         {0, 1, 2},
                                         {0, 2, kEpsilonSymbol},
                                         {0, 1, kEpsilonSymbol}}) {
    builder.AddMove(m.from, m.target, m.symbol);
  }
  EXPECT_TRUE(builder.HasMoves(2));
  builder.AddStart(0);
  const CompactNfa nfa = builder.Finish();

  EXPECT_EQ(nfa.finals, (std::vector<int32_t>{-1, -1, -1, 7}));
  EXPECT_EQ(nfa.moveBegin, (std::vector<std::size_t>{0, 2, 2, 4, 4}));
  std::vector<std::pair<int32_t, int32_t>> moves;
  for (const CompactMove& move : nfa.moves)
    moves.emplace_back(move.symbol, move.target);
  EXPECT_EQ(moves,
            (std::vector<std::pair<int32_t, int32_t>>{{2, 1}, {4, 1}, {kEofSymbol, 1}, {5, 3}}));
  EXPECT_EQ(nfa.epsilonBegin, (std::vector<std::size_t>{0, 2, 2, 2, 2}));
  EXPECT_EQ(nfa.epsilonTargets, (std::vector<int32_t>{1, 2}));
  EXPECT_EQ(nfa.starts, (std::vector<int32_t>{0}));
  EXPECT_EQ(nfa.minSymbol, std::min(kEofSymbol, 2));
  EXPECT_EQ(nfa.maxSymbol, 5);
  EXPECT_TRUE(nfa.hasEpsilon);
}

}  // namespace
}  // namespace tarnwick
