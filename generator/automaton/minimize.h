// MinimizeDfa: merges the DFA states that no input can tell apart.
//
// Used for UTF-8 definitions only: there every character class of a rule
// becomes many byte-range sequences, each ending in a state of its own,
// although all of them go on alike. 8-bit definitions keep the automaton of
// the subset construction unchanged, state for state.
#pragma once

#include "automaton/dfa.h"

namespace tarnwick {

// Two states merge when they accept the same rule and, on every symbol, move
// to merged states (or both have no move). Each group keeps its first state
// in label order, with that state's label; positions and discovery indices
// are renumbered densely in their old order, so the start state of a DFA
// whose start was first stays first.
void MinimizeDfa(Dfa& dfa);

}  // namespace tarnwick
