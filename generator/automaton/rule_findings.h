// FindRuleProblems: the rules a user most likely got wrong, read off the DFA.
//
// A rule never matches when no state but the start (or, with start
// conditions, a start) accepts it: the scanner takes no match of the empty
// text, so a start's rule does not count. With several starts a rule only
// competes with the rules reachable from the starts it is active in, as the
// DFA keeps them apart already. The
// rules that take its texts instead are the rules accepted by the states whose
// label holds one of its accepting NFA states: reading any of its texts ends
// in such a state. A rule matches the empty text when the start label's
// epsilon closure holds one of its accepting states. A rule that states do
// accept can still be outrun: the longest match goes on past every text of it
// (outrun_rules.h). A definition without rules is a finding of its own.
//
// Cost: one look at every DFA state's rule; the labels are read only when
// some rule never matches; outrun rules cost one pass over the moves, and
// only in a definition that names every byte.
#pragma once

#include <cstdint>
#include <utility>
#include <vector>

#include "automaton/automaton.h"
#include "automaton/dfa.h"

namespace tarnwick {

enum class FindingKind {
  kNoRules,           // no rule at all: the scanner matches nothing
  kShadowed,          // never matches: earlier rules take every text it matches
  kOutrun,            // never matches: a longer match goes on past each of its texts
  kOnlyEmptyText,     // never matches: the empty text is all it matches
  kNoText,            // never matches: no text matches it at all
  kMatchesEmptyText,  // matches the empty text besides texts of one byte or more
};

struct RuleFinding {
  explicit(false)
      RuleFinding(FindingKind kind, int32_t rule = -1, std::vector<int32_t> takenBy = {})
      : kind(kind), rule(rule), takenBy(std::move(takenBy)) {}

  FindingKind kind;
  int32_t rule = -1;             // -1 for kNoRules
  std::vector<int32_t> takenBy;  // kShadowed, kOutrun: the rules taking its texts, ascending

  bool operator==(const RuleFinding&) const = default;
};

// `nfa` is the NFA of `ruleCount` rules as built, epsilon moves included, and
// `dfa` its subset construction (labels are positions in `nfa`). Gives the
// findings in rule order, at most one per rule: a rule that never matches is
// not also reported for the empty text.
std::vector<RuleFinding> FindRuleProblems(const Automaton& nfa, const Dfa& dfa, int32_t ruleCount);

}  // namespace tarnwick
