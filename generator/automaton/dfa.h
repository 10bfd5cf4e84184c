// Dfa: the deterministic automaton as the output stages read it.
//
// States are stored in label order, so a state's position in `states` is its
// number in the generated tables; `index` is the order in which the subset
// construction discovered it, which names the nodes of the drawing. The two
// numberings agree for the start state only in general.
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "regex/charset.h"

namespace tarnwick {

// The most states a Dfa can hold: a move keeps its target in 22 bits.
inline constexpr std::size_t kDfaStateCapacity = (std::size_t{1} << 21) - 1;

// One word per move: the moves are most of a large DFA's memory, and a class
// number (at most 256, or kEofSymbol) needs only 10 bits.
struct DfaMove {
  int32_t symbol : 10;  // a class number 1..classCount, or kEofSymbol
  int32_t target : 22;  // position of the target in Dfa::states

  bool operator==(const DfaMove&) const = default;
};
static_assert(sizeof(DfaMove) == 4);

struct DfaState {
  int32_t index = 0;           // discovery order, from 0
  int32_t final = -1;          // the accepted rule, or -1
  std::vector<DfaMove> moves;  // at most one per symbol, ascending by symbol
  // The NFA states making up this state, as ascending NFA positions; the NFA's
  // positions sort exactly like its state labels. After MinimizeDfa, the label
  // of the merged state's first member.
  std::vector<int32_t> label;
};

struct Dfa {
  std::unique_ptr<CharSet> charset;
  std::vector<DfaState> states;  // label order
  int32_t start = 0;             // position of the start state
  // With several NFA start states: the position of each one's DFA state, by
  // start number (the first is `start`); empty otherwise. Starts whose
  // states coincide share one DFA state.
  std::vector<int32_t> starts;
};

// Frees every state's label: they serve the construction, the rule findings
// and the tests, while the tables and the drawing never read them, and on
// definitions with wide overlaps they outweigh the rest of the DFA.
inline void DropLabels(Dfa& dfa) {
  for (DfaState& state : dfa.states)
    std::vector<int32_t>().swap(state.label);
}

}  // namespace tarnwick
