// Rule findings on hand-made definitions, and against the independent
// matcher on random ones: a rule matches when some non-empty input is matched
// by it before any earlier rule, and the rules taking its texts are the first
// matching rules of the inputs it matches.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
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

// Every byte in one of the classes 1..classes, so that no byte stops the
// scanner by itself.
NodePtr NameEveryByte(NodePtr root) {
  const int32_t classes = root->charset->classCount;
  for (int b = 0; b < 256; ++b)
    root->charset->classOf[static_cast<std::size_t>(b)] = 1 + b % classes;
  return root;
}

TEST(RuleFindings, NamesRulesThatALongerMatchAlwaysOutruns) {
  constexpr int32_t a = 1, b = 2, c = 3;
  auto any = [] { return Or(Leaf(a), Leaf(b), Leaf(c)); };
  auto anyOrEnd = [] { return Or(Leaf(a), Leaf(b), Leaf(c), Eof()); };
  struct Case {
    const char* what;
    NodePtr root;
    std::vector<RuleFinding> expected;
  };
  Case cases[] = {
      {"every byte and the end go on",
       NameEveryByte(Rules(3, And(Leaf(a), anyOrEnd()), Leaf(a))),
       {{FindingKind::kOutrun, 1, {0}}}},
      {"a byte no rule names stops", Rules(3, And(Leaf(a), anyOrEnd()), Leaf(a)), {}},
      {"c stops", NameEveryByte(Rules(3, And(Leaf(a), Or(Leaf(a), Leaf(b), Eof())), Leaf(a))), {}},
      {"the end stops", NameEveryByte(Rules(3, And(Leaf(a), any()), Leaf(a))), {}},
      {"three rules take over",
       NameEveryByte(Rules(3, And(Leaf(a), Leaf(b)), And(Leaf(a), Or(Leaf(a), Leaf(c))),
                           And(Leaf(a), Eof()), Leaf(a))),
       {{FindingKind::kOutrun, 3, {0, 1, 2}}}},
      {"through a state accepting nothing",
       NameEveryByte(Rules(3, And(Leaf(a), any(), anyOrEnd()), And(Leaf(a), Eof()), Leaf(a))),
       {{FindingKind::kOutrun, 2, {0, 1}}}},
      {"a state accepting nothing stops on c",
       NameEveryByte(
           Rules(3, And(Leaf(a), any(), Or(Leaf(a), Leaf(b))), And(Leaf(a), Eof()), Leaf(a))),
       {}},
      {"through the rule's own longer texts",
       NameEveryByte(Rules(2, And(Plus(Leaf(a)), Or(Leaf(b), Eof())), Plus(Leaf(a)))),
       {{FindingKind::kOutrun, 1, {0}}}},
      {"outrun, not also reported for the empty text",
       NameEveryByte(Rules(3, And(Leaf(a), anyOrEnd()), Opt(Leaf(a)))),
       {{FindingKind::kOutrun, 1, {0}}}},
  };
  for (Case& test : cases)
    EXPECT_EQ(Findings(std::move(test.root)), test.expected) << test.what;
}

// The scanner's loop over `bytes` followed by the end of input, for the first
// token: entry k is the first rule matching the first k symbols (k =
// bytes.size() + 1: all of them and the end), or -1.
std::vector<int32_t> FirstRules(const RegexNode& root, const Input& bytes) {
  Input in = bytes;
  in.push_back(kEofSymbol);
  std::vector<int32_t> first(in.size() + 1, -1);
  for (std::size_t r = root.children.size(); r-- > 0;) {
    for (std::size_t end : Ends(*root.children[r], in, 0))
      first[end] = static_cast<int32_t>(r);
  }
  return first;
}

TEST(RuleFindings, OutrunRulesAgreeWithTheLongestMatchLoop) {
  int checked = 0, outrun = 0;
  for (uint32_t seed = 7000; seed < 9000; ++seed) {
    const int32_t classes = 1 + static_cast<int32_t>(seed % 3);
    TreeGenerator generator(seed, classes);
    auto root = NameEveryByte(generator.Definition(3, 3));
    // Mostly a rule goes first that continues another's texts by any byte or
    // the end of input, which often outruns that rule.
    if (!root->children.empty() && seed % 4 != 0) {
      auto next = std::make_unique<RegexNode>(NodeKind::OR);
      for (int32_t k = 1; k <= classes; ++k)
        next->children.push_back(Leaf(k));
      next->children.push_back(Eof());
      const auto k =
          static_cast<std::size_t>(generator.Pick(static_cast<int>(root->children.size())));
      root->children.insert(root->children.begin(),
                            And(root->children[k]->Clone(), std::move(next)));
    }
    auto copy = root->Clone();
    SimplifyRules(*copy);
    auto nfa = BuildNfa(*copy);
    auto dfa = BuildDfaFromEpsilonNfa(*nfa, 100000);
    // A rule's state is reached within as many bytes as there are states, and
    // as many again lead from it to where the walk stops or accepts next.
    const std::size_t length = 2 * dfa->states.size() - 1;
    if (std::pow(classes, length) > 2000) continue;
    ++checked;
    SCOPED_TRACE("seed " + std::to_string(seed) + ": " + root->ToString());
    const auto rules = static_cast<int32_t>(root->children.size());

    // Rules that end a first token, and the rules whose next accept comes
    // after a text of a rule that goes on to a longer token.
    std::vector<bool> wins(static_cast<std::size_t>(rules), false);
    std::vector<std::set<int32_t>> takers(static_cast<std::size_t>(rules));
    for (const Input& bytes : AllInputs(classes, length)) {
      const std::vector<int32_t> first = FirstRules(*root, bytes);
      std::size_t end = first.size() - 1;
      while (end > 0 && first[end] < 0)
        --end;
      if (end == 0) continue;
      wins[static_cast<std::size_t>(first[end])] = true;
      for (std::size_t k = 1, next = 1; k < end; ++k) {
        if (first[k] < 0) continue;
        next = std::max(next, k + 1);
        while (first[next] < 0)
          ++next;
        if (first[next] != first[k]) takers[static_cast<std::size_t>(first[k])].insert(first[next]);
      }
    }

    const std::vector<RuleFinding> found = FindRuleProblems(*nfa, *dfa, rules);
    for (int32_t r = 0; r < rules; ++r) {
      auto it = std::find_if(found.begin(), found.end(),
                             [&](const RuleFinding& f) { return f.rule == r; });
      const auto index = static_cast<std::size_t>(r);
      if (it != found.end() && it->kind == FindingKind::kOutrun) {
        ++outrun;
        EXPECT_FALSE(wins[index]) << "rule " << r;
        EXPECT_EQ(it->takenBy, std::vector<int32_t>(takers[index].begin(), takers[index].end()))
            << "rule " << r;
      } else if (it == found.end() || it->kind == FindingKind::kMatchesEmptyText) {
        // Reported as matching: the loop must end a token on it, unless only
        // texts after the end of input match it, which no scan reaches.
        EXPECT_TRUE(wins[index] || takers[index].empty()) << "rule " << r;
      }
    }
  }
  EXPECT_GT(checked, 500) << outrun;
  EXPECT_GT(outrun, 100) << checked;
}

}  // namespace
}  // namespace tarnwick
