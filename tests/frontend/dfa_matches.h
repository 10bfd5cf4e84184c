// Whether a generated scanner's DFA, run from its start over a whole input,
// ends in a state that accepts rule 0: how the rule tests ask what the first
// rule of a definition matches, without going through the tables' text.
#pragma once

#include <cstdint>
#include <string_view>

#include "automaton/dfa.h"

namespace tarnwick {

inline bool DfaMatchesFirstRule(const Dfa& dfa, std::string_view input) {
  int32_t state = dfa.start;
  for (const char c : input) {
    const int32_t symbol = dfa.charset->classOf[static_cast<uint8_t>(c)];
    int32_t next = -1;
    for (const DfaMove& move : dfa.states[static_cast<std::size_t>(state)].moves) {
      if (move.symbol == symbol && symbol != 0) next = move.target;
    }
    if (next < 0) return false;
    state = next;
  }
  return dfa.states[static_cast<std::size_t>(state)].final == 0;
}

}  // namespace tarnwick
