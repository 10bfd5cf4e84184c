// Transition symbols of the automata.
//
// Class numbers run from 1 to at most 256 (a definition may give every byte a
// class of its own); class 0 is the bytes no rule names and never labels a
// move. End of input and epsilon sit outside that range.
#pragma once

#include <cstdint>

namespace tarnwick {

inline constexpr int32_t kEofSymbol = -1;
inline constexpr int32_t kMaxClass = 256;
// Never reaches any output: the epsilon moves are gone before the DFA exists.
inline constexpr int32_t kEpsilonSymbol = kMaxClass + 1;

}  // namespace tarnwick
