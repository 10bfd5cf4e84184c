// The DFA state limit of a run: the built-in default, or the number in the
// environment variable TARNWICK_MAX_DFA_STATES when it holds a valid one.
#pragma once

#include <cstddef>
#include <optional>
#include <string>

namespace tarnwick {

inline constexpr char kMaxDfaStatesVariable[] = "TARNWICK_MAX_DFA_STATES";

// `value` is the variable's text, if set. Only a plain positive decimal
// number counts; anything else (empty, signs, letters, overflow) falls back to
// kDefaultMaxDfaStates, so a stray setting can never make generation fail. A
// number above what a Dfa can hold (kDfaStateCapacity) gives that capacity.
std::size_t MaxDfaStatesFrom(const std::optional<std::string>& value);

}  // namespace tarnwick
