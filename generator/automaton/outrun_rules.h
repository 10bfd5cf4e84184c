// FindOutrunRules: rules the scanner's longest match never ends on.
//
// The scanner walks the DFA from the start as long as there is a move and
// takes the last accepting state it passed. A rule that some state accepts
// can still never be that last state: when from every state accepting it,
// whatever input follows, the walk reaches another accepting state before it
// stops (`a(.|<<EOF>>)` before `a`: after an `a`, every byte and the end of
// input make a pair). The walk stops at a state on a byte without a move (a
// byte no rule names stops it anywhere), on the end of input without a move,
// or after the end-of-input move; so a state lets its rule win when a path
// through non-accepting states leads from it to such a stop, or when the
// end-of-input move enters it.
//
// Cost: one pass over the moves. Only a definition that names every byte can
// have such rules, and only rules whose states all go on by every byte and
// the end of input are searched further, each by one walk over the states
// its texts can go on to.
#pragma once

#include <cstdint>
#include <vector>

#include "automaton/dfa.h"

namespace tarnwick {

// For each of `ruleCount` rules: empty when the rule can end a longest match
// or no state the scanner reaches accepts it; otherwise the rules (ascending)
// of the accepting states that the walk reaches first after one of the
// rule's states, which take its texts with longer matches.
std::vector<std::vector<int32_t>> FindOutrunRules(const Dfa& dfa, int32_t ruleCount);

}  // namespace tarnwick
