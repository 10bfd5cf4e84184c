// Rule findings from the DFA's accepted rules, its labels only where needed,
// and the start state's epsilon closure in the NFA.
#include "automaton/rule_findings.h"

#include <algorithm>
#include <cstddef>

#include "automaton/outrun_rules.h"
#include "regex/symbols.h"

namespace tarnwick {

namespace {

// The rules accepted in the epsilon closure of the NFA's start state.
std::vector<bool> EmptyMatchingRules(const Automaton& nfa, int32_t ruleCount) {
  std::vector<bool> matches(static_cast<std::size_t>(ruleCount), false);
  if (nfa.start == nullptr) return matches;
  // An NFA state's index is its creation number, unique in the automaton.
  std::vector<bool> seen(static_cast<std::size_t>(nfa.states.count()), false);
  std::vector<const State*> stack{nfa.start};
  stack.insert(stack.end(), nfa.starts.begin(), nfa.starts.end());
  for (const State* start : stack)
    seen[static_cast<std::size_t>(start->index)] = true;
  while (!stack.empty()) {
    const State* state = stack.back();
    stack.pop_back();
    if (state->final >= 0 && state->final < ruleCount) {
      matches[static_cast<std::size_t>(state->final)] = true;
    }
    for (int i = 0; i < state->transitions.count(); ++i) {
      const Transition* move = state->transitions[i];
      if (move->symbol != kEpsilonSymbol) continue;
      if (seen[static_cast<std::size_t>(move->target->index)]) continue;
      seen[static_cast<std::size_t>(move->target->index)] = true;
      stack.push_back(move->target);
    }
  }
  return matches;
}

}  // namespace

std::vector<RuleFinding> FindRuleProblems(const Automaton& nfa, const Dfa& dfa, int32_t ruleCount) {
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
  const std::vector<bool> empty = EmptyMatchingRules(nfa, ruleCount);
  std::vector<std::vector<int32_t>> outrun = FindOutrunRules(dfa, ruleCount);

  // Who takes the texts of the rules that never match.
  std::vector<std::vector<int32_t>> takenBy(rules);
  if (std::find(matched.begin(), matched.end(), false) != matched.end()) {
    std::vector<int32_t> unmatchedRuleAt(static_cast<std::size_t>(nfa.states.count()), -1);
    for (int q = 0; q < nfa.states.count(); ++q) {
      const int32_t final = nfa.states[q]->final;
      if (final >= 0 && final < ruleCount && !matched[static_cast<std::size_t>(final)]) {
        unmatchedRuleAt[static_cast<std::size_t>(q)] = final;
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

}  // namespace tarnwick
