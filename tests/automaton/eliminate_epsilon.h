// EliminateEpsilon: removes every epsilon move of an NFA in place; with the
// subset construction over the result, the reference that the construction
// straight from the epsilon NFA is checked against.
//
// Each state gets a move on c to every state reachable by epsilon moves, one
// move on c and epsilon moves again, and accepts the lowest rule accepted in
// its epsilon closure. Computed from closures, in polynomial time.
#pragma once

#include <cstddef>
#include <memory>

#include "automaton/automaton.h"
#include "automaton/dfa.h"

namespace tarnwick {

void EliminateEpsilon(Automaton& nfa);

// Eliminates the epsilon moves of `nfa`, then builds its DFA: over an NFA
// without epsilon moves BuildDfaFromEpsilonNfa is the plain subset
// construction. Arguments and result as for BuildDfaFromEpsilonNfa.
std::unique_ptr<Dfa> BuildDfaByElimination(Automaton& nfa, std::size_t maxStates,
                                           std::size_t* statesReached = nullptr);

}  // namespace tarnwick
