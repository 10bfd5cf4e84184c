// Rule findings on hand-made definitions, and against the independent
// matcher on random ones: a rule matches when some non-empty input is matched
// by it before any earlier rule, and the rules taking its texts are the first
// matching rules of the inputs it matches.
#include <gtest/gtest.h>

#include <set>

#include "automaton/nfa.h"
#include "automaton/rule_findings.h"
#include "automaton/subset.h"
#include "language_support.h"
#include "regex/simplify.h"

namespace tarnwick {
namespace {

using namespace testing;  // NOLINT: the tree builders

std::vector<RuleFinding> Findings(NodePtr root) {
  const auto rules = static_cast<int32_t>(root->children.size());
  SimplifyRules(*root);
  auto nfa = BuildNfa(*root);
  auto dfa = BuildDfaFromEpsilonNfa(*nfa, 100000);
  return FindRuleProblems(*nfa, *dfa, rules);
}

TEST(RuleFindings, NamesShadowedEmptyAndDeadRules) {
  constexpr int32_t a = 1, b = 2, c = 3;
  // A keyword after the identifier rule; a rule shadowed by two; a rule
  // matching the empty text; one matching nothing else; one matching nothing.
  EXPECT_EQ(Findings(Rules(3, Plus(Or(Leaf(a), Leaf(b))), And(Leaf(a), Leaf(b)))),
            (std::vector<RuleFinding>{{FindingKind::kShadowed, 1, {0}}}));
  EXPECT_EQ(Findings(Rules(3, Plus(Leaf(a)), Plus(Leaf(b)), Or(Leaf(a), Leaf(b)), Star(Leaf(c)),
                           Eps(), And(Leaf(c), Or()))),
            (std::vector<RuleFinding>{{FindingKind::kShadowed, 2, {0, 1}},
                                      {FindingKind::kMatchesEmptyText, 3},
                                      {FindingKind::kOnlyEmptyText, 4},
                                      {FindingKind::kNoText, 5}}));
  // Two rules matching the empty text are both reported; a shadowed rule is
  // reported once, for the shadowing.
  EXPECT_EQ(Findings(Rules(2, Star(Leaf(a)), Opt(Leaf(b)), Star(Leaf(a)))),
            (std::vector<RuleFinding>{{FindingKind::kMatchesEmptyText, 0},
                                      {FindingKind::kMatchesEmptyText, 1},
                                      {FindingKind::kShadowed, 2, {0}}}));
  // End of input is a text of its own; a clean definition has no finding.
  EXPECT_EQ(Findings(Rules(2, Plus(Leaf(a)), Eof(), And(Leaf(a), Leaf(b)))),
            std::vector<RuleFinding>{});
  EXPECT_EQ(Findings(Rules(1)), (std::vector<RuleFinding>{{FindingKind::kNoRules}}));
}

// Every input of one to `length` symbols over end of input and the classes.
std::vector<Input> NonEmptyInputs(int32_t classes, std::size_t length) {
  std::vector<Input> all{{}};
  for (std::size_t begin = 0; begin < all.size(); ++begin) {
    if (all[begin].size() >= length) continue;
    for (int32_t symbol = -1; symbol <= classes; ++symbol) {
      if (symbol == 0) continue;
      Input longer = all[begin];
      longer.push_back(symbol);
      all.push_back(std::move(longer));
    }
  }
  all.erase(all.begin());
  return all;
}

TEST(RuleFindings, AgreeWithTheMatcherOnRandomDefinitions) {
  int checked = 0;
  for (uint32_t seed = 5000; seed < 5600; ++seed) {
    const int32_t classes = 1 + static_cast<int32_t>(seed % 3);
    TreeGenerator generator(seed, classes);
    auto root = generator.Definition(4, 3);
    auto copy = root->Clone();
    SimplifyRules(*copy);
    auto nfa = BuildNfa(*copy);
    auto dfa = BuildDfaFromEpsilonNfa(*nfa, 100000);
    // Any state is reached within as many symbols as there are states.
    if (dfa->states.size() > 6) continue;
    ++checked;
    SCOPED_TRACE("seed " + std::to_string(seed) + ": " + root->ToString());
    const auto rules = static_cast<int32_t>(root->children.size());

    std::vector<RuleFinding> expected;
    if (rules == 0) expected.push_back({FindingKind::kNoRules});
    const std::vector<Input> inputs = NonEmptyInputs(classes, dfa->states.size());
    for (int32_t r = 0; r < rules; ++r) {
      const RegexNode& rule = *root->children[static_cast<std::size_t>(r)];
      bool wins = false;
      std::set<int32_t> takers;
      for (const Input& in : inputs) {
        if (!Matches(rule, in)) continue;
        const int32_t first = ExpectedRule(*root, in);
        if (first == r) wins = true;
        takers.insert(first);
      }
      const bool empty = Matches(rule, {});
      if (wins) {
        if (empty) expected.push_back({FindingKind::kMatchesEmptyText, r});
      } else if (!takers.empty()) {
        expected.push_back({FindingKind::kShadowed, r, {takers.begin(), takers.end()}});
      } else {
        expected.push_back({empty ? FindingKind::kOnlyEmptyText : FindingKind::kNoText, r});
      }
    }
    ASSERT_EQ(FindRuleProblems(*nfa, *dfa, rules), expected);
  }
  EXPECT_GT(checked, 200);
}

}  // namespace
}  // namespace tarnwick
