// Several start states: one per start condition and line-start flag, DFA
// states shared where two starts reach the same rules, and minimization
// keeping every start on its block.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "automaton/minimize.h"
#include "automaton/nfa.h"
#include "automaton/subset.h"
#include "frontend/definition_reader.h"
#include "regex/simplify.h"

namespace tarnwick {
namespace {

std::unique_ptr<Dfa> Built(const std::string& definition, bool minimize = false) {
  auto root = RegexNode::MakeRoot();
  std::string out;
  ErrorState error;
  DefinitionFacts facts;
  EXPECT_EQ(ReadDefinition(definition, *root, CaseTable::Windows1252(), out, error, facts), 1);
  SimplifyRules(*root);
  auto nfa = BuildNfa(*root, facts.states);
  auto dfa = BuildDfaFromEpsilonNfa(*nfa, 1000);
  if (minimize) MinimizeDfa(*dfa);
  return dfa;
}

// The rules accepted one byte after each start.
std::vector<int32_t> FirstAccepts(const Dfa& dfa, int32_t symbol) {
  std::vector<int32_t> rules;
  for (int32_t start : dfa.starts) {
    int32_t rule = -1;
    for (const DfaMove& move : dfa.states[static_cast<std::size_t>(start)].moves) {
      if (move.symbol == symbol) rule = dfa.states[static_cast<std::size_t>(move.target)].final;
    }
    rules.push_back(rule);
  }
  return rules;
}

TEST(StartStates, StartsReachingTheSameRulesShareTheirState) {
  for (bool minimize : {false, true}) {
    const auto dfa =
        Built("%state I\n%xstate X E\n%context\n%%\na { }\n<X>a { }\n<*>^b { }\n", minimize);
    ASSERT_EQ(dfa->starts.size(), 8u);
    const std::vector<int32_t>& s = dfa->starts;
    EXPECT_EQ(dfa->start, s[0]);
    EXPECT_EQ(s[0], s[2]) << "INITIAL and the inclusive I";
    EXPECT_NE(s[0], s[1]) << "`^` rules only at a line start";
    EXPECT_NE(s[0], s[4]) << "the exclusive X has its own rule";
    // E has no rule but the line-start one; its other start moves nowhere.
    EXPECT_TRUE(dfa->states[static_cast<std::size_t>(s[6])].moves.empty());
    // "a" is class 1, "b" class 2.
    EXPECT_EQ(FirstAccepts(*dfa, 1), (std::vector<int32_t>{0, 0, 0, 0, 1, 1, -1, -1}));
    EXPECT_EQ(FirstAccepts(*dfa, 2), (std::vector<int32_t>{-1, 2, -1, 2, -1, 2, -1, 2}));
  }
}

TEST(StartStates, WithoutStatesTheDfaKeepsOneStart) {
  EXPECT_TRUE(Built("%%\na { }\n")->starts.empty());
}

}  // namespace
}  // namespace tarnwick
