// Test support: field-by-field comparison of two DFAs, with the first
// difference named, for checking one construction against another.
#pragma once

#include <gtest/gtest.h>

#include <string>

#include "automaton/dfa.h"

namespace tarnwick::testing {

inline ::testing::AssertionResult SameDfa(const Dfa& a, const Dfa& b) {
  if (a.start != b.start) {
    return ::testing::AssertionFailure() << "start " << a.start << " against " << b.start;
  }
  if (a.states.size() != b.states.size()) {
    return ::testing::AssertionFailure()
           << a.states.size() << " states against " << b.states.size();
  }
  if ((a.charset == nullptr) != (b.charset == nullptr) ||
      (a.charset && a.charset->classCount != b.charset->classCount)) {
    return ::testing::AssertionFailure() << "different class maps";
  }
  for (std::size_t p = 0; p < a.states.size(); ++p) {
    const DfaState& x = a.states[p];
    const DfaState& y = b.states[p];
    const std::string at = "state at position " + std::to_string(p) + ": ";
    if (x.index != y.index) {
      return ::testing::AssertionFailure() << at << "index " << x.index << " against " << y.index;
    }
    if (x.final != y.final) {
      return ::testing::AssertionFailure() << at << "final " << x.final << " against " << y.final;
    }
    if (x.label != y.label) return ::testing::AssertionFailure() << at << "different labels";
    if (x.moves.size() != y.moves.size()) {
      return ::testing::AssertionFailure()
             << at << x.moves.size() << " moves against " << y.moves.size();
    }
    for (std::size_t k = 0; k < x.moves.size(); ++k) {
      if (x.moves[k].symbol != y.moves[k].symbol || x.moves[k].target != y.moves[k].target) {
        return ::testing::AssertionFailure() << at << "move " << k << " differs";
      }
    }
  }
  return ::testing::AssertionSuccess();
}

}  // namespace tarnwick::testing
