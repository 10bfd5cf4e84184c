// MinimizeDfa: the smallest DFA that scans exactly like a given one.
//
// Two states are merged when they accept the same rule and, on every column
// (each class and end of input), either both have no move or both move to
// merged states. The coarsest such partition is found by Hopcroft's partition
// refinement over the inverse moves, so the cost grows as m log n for m moves
// and n states.
//
// Numbering is deterministic: merged states take positions in the order of
// the smallest position of their members in the given DFA (so the start
// state's block keeps its place in that order), and drawing indices in the
// order of their members' smallest `index` (so the start keeps index 0).
// A merged state's label is that of its member with the smallest position.
#pragma once

#include "automaton/dfa.h"

namespace tarnwick {

// Replaces `dfa` by its minimal form, in place.
void MinimizeDfa(Dfa& dfa);

}  // namespace tarnwick
