// BuildDfaFromEpsilonNfa: the depth-first subset construction, straight from
// the NFA with its epsilon moves, as if they had been eliminated first.
//
// DFA states are sets of NFA states, kept as ascending NFA positions. States
// are discovered depth first (all successors of a state are numbered before
// the first of them is expanded) and stored in label order: fewer NFA states
// first, then position by position. The lowest accepting rule wins.
//
// An NFA with several start states (Automaton::starts) gets one DFA state
// per start, labelled by the start's epsilon closure without the start
// states themselves, so starts that reach the same rules share it; their
// positions are Dfa::starts. An NFA with one start is built exactly as
// before.
#pragma once

#include <cstddef>
#include <memory>

#include "automaton/automaton.h"
#include "automaton/compact_nfa.h"
#include "automaton/dfa.h"

namespace tarnwick {

// The DFA of `nfa`, or nullptr when it would need more than `maxStates` states
// (at most kDfaStateCapacity) or the NFA has no state. `statesReached`, when
// given, receives the number of states discovered: the DFA's size on success,
// the limit + 1 when the limit stopped the construction.
//
// Gives exactly what eliminating the epsilon moves and then running the subset
// construction gives (states, labels, indices, moves, finals and the limit's
// verdict), without changing `nfa` or materialising the eliminated moves: after
// elimination each NFA state carries the moves of its whole epsilon closure,
// so a label's moves are those of its closure, which every label but the
// start's already is. The tests hold the elimination as the reference.
std::unique_ptr<Dfa> BuildDfaFromEpsilonNfa(const Automaton& nfa, std::size_t maxStates,
                                            std::size_t* statesReached = nullptr);

// The same from the NFA's compact form and its class map, so that the object
// automaton, many times larger, can be gone while the DFA is built.
std::unique_ptr<Dfa> BuildDfaFromCompactNfa(const CompactNfa& nfa, std::unique_ptr<CharSet> charset,
                                            std::size_t maxStates,
                                            std::size_t* statesReached = nullptr);

}  // namespace tarnwick
