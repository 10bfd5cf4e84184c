// Rule findings from the DFA's accepted rules, its labels only where needed,
// and the start states' epsilon closure in the NFA's compact form.
#include "automaton/rule_findings.h"

#include <algorithm>
#include <cstddef>

#include "automaton/outrun_rules.h"
#include "regex/symbols.h"

namespace tarnwick {

namespace {

// The rules accepted in the epsilon closure of the NFA's start states.
std::vector<bool> EmptyMatchingRules(const CompactNfa& nfa, bool hasStart, int32_t ruleCount) {
  std::vector<bool> matches(static_cast<std::size_t>(ruleCount), false);
  if (!hasStart || nfa.size() == 0) return matches;
  std::vector<bool> seen(nfa.size(), false);
  std::vector<int32_t> stack{nfa.start};
  stack.insert(stack.end(), nfa.starts.begin(), nfa.starts.end());
  for (int32_t start : stack)
    seen[static_cast<std::size_t>(start)] = true;
  while (!stack.empty()) {
    const int32_t q = stack.back();
    stack.pop_back();
    const int32_t final = nfa.finals[static_cast<std::size_t>(q)];
    if (final >= 0 && final < ruleCount) matches[static_cast<std::size_t>(final)] = true;
    for (int32_t next : nfa.EpsilonOf(q)) {
      if (seen[static_cast<std::size_t>(next)]) continue;
      seen[static_cast<std::size_t>(next)] = true;
      stack.push_back(next);
    }
  }
  return matches;
}

std::vector<RuleFinding> FindProblems(const CompactNfa& nfa, bool hasStart, const Dfa& dfa,
                                      int32_t ruleCount) {
  if (ruleCount <= 0) return {RuleFinding{FindingKind::kNoRules}};
  const auto rules = static_cast<std::size_t>(ruleCount);

  // With several starts a rule competes only with the rules reachable from
  // the same starts; the DFA already keeps them apart. No start counts: an
  // accept there is a match of the empty text.
  std::vector<bool> isStart(dfa.states.size(), false);
  if (dfa.start >= 0 && static_cast<std::size_t>(dfa.start) < isStart.size()) {
    isStart[static_cast<std::size_t>(dfa.start)] = true;
  }
  for (int32_t start : dfa.starts)
    isStart[static_cast<std::size_t>(start)] = true;
  std::vector<bool> matched(rules, false);
  for (std::size_t p = 0; p < dfa.states.size(); ++p) {
    const int32_t final = dfa.states[p].final;
    if (!isStart[p] && final >= 0 && final < ruleCount) {
      matched[static_cast<std::size_t>(final)] = true;
    }
  }
  const std::vector<bool> empty = EmptyMatchingRules(nfa, hasStart, ruleCount);
  std::vector<std::vector<int32_t>> outrun = FindOutrunRules(dfa, ruleCount);

  // Who takes the texts of the rules that never match.
  std::vector<std::vector<int32_t>> takenBy(rules);
  if (std::find(matched.begin(), matched.end(), false) != matched.end()) {
    std::vector<int32_t> unmatchedRuleAt(nfa.size(), -1);
    for (std::size_t q = 0; q < nfa.size(); ++q) {
      const int32_t final = nfa.finals[q];
      if (final >= 0 && final < ruleCount && !matched[static_cast<std::size_t>(final)]) {
        unmatchedRuleAt[q] = final;
      }
    }
    for (std::size_t p = 0; p < dfa.states.size(); ++p) {
      if (isStart[p]) continue;
      const DfaState& state = dfa.states[p];
      for (int32_t q : state.label) {
        const int32_t rule = unmatchedRuleAt[static_cast<std::size_t>(q)];
        if (rule < 0) continue;
        auto& takers = takenBy[static_cast<std::size_t>(rule)];
        if (takers.empty() || takers.back() != state.final) takers.push_back(state.final);
      }
    }
    for (auto& takers : takenBy) {
      std::sort(takers.begin(), takers.end());
      takers.erase(std::unique(takers.begin(), takers.end()), takers.end());
    }
  }

  std::vector<RuleFinding> findings;
  for (std::size_t r = 0; r < rules; ++r) {
    const auto rule = static_cast<int32_t>(r);
    if (!matched[r]) {
      if (!takenBy[r].empty()) {
        findings.push_back({FindingKind::kShadowed, rule, std::move(takenBy[r])});
      } else {
        findings.push_back({empty[r] ? FindingKind::kOnlyEmptyText : FindingKind::kNoText, rule});
      }
    } else if (!outrun[r].empty()) {
      findings.push_back({FindingKind::kOutrun, rule, std::move(outrun[r])});
    } else if (empty[r]) {
      findings.push_back({FindingKind::kMatchesEmptyText, rule});
    }
  }
  return findings;
}

}  // namespace

// The compact form keeps the automaton's positions; it names position 0 as
// the start of an automaton without one, so whether there is a start goes
// alongside.
std::vector<RuleFinding> FindRuleProblems(const Automaton& nfa, const Dfa& dfa, int32_t ruleCount) {
  return FindProblems(MakeCompactNfa(nfa), nfa.start != nullptr, dfa, ruleCount);
}

std::vector<RuleFinding> FindRuleProblems(const CompactNfa& nfa, const Dfa& dfa,
                                          int32_t ruleCount) {
  return FindProblems(nfa, true, dfa, ruleCount);
}

}  // namespace tarnwick
