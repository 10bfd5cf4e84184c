// EliminateEpsilon: removes every epsilon move of an NFA in place.
//
// Each state gets a move on c to every state reachable by epsilon moves, one
// move on c and epsilon moves again, and accepts the lowest rule accepted in
// its epsilon closure. Computed from closures, in polynomial time.
#pragma once

#include "automaton/automaton.h"

namespace tarnwick {

void EliminateEpsilon(Automaton& nfa);

}  // namespace tarnwick
