// Test helper: small DFAs written by hand, the way the subset construction
// would hand them to the output stage.
#pragma once

#include <initializer_list>
#include <memory>
#include <utility>

#include "automaton/dfa.h"
#include "regex/charset.h"

namespace tarnwick::testing {

// A class map where each listed byte range forms the next class, 1, 2, ...;
// every other byte stays in class 0.
inline std::unique_ptr<CharSet> ClassesOf(std::initializer_list<std::pair<int, int>> ranges) {
  auto charset = std::make_unique<CharSet>();
  for (auto& entry : charset->classOf)
    entry = 0;
  charset->classOf[256] = 256;
  int cls = 0;
  for (auto [first, last] : ranges) {
    ++cls;
    for (int byte = first; byte <= last; ++byte)
      charset->classOf[byte] = cls;
  }
  charset->classCount = cls;
  return charset;
}

inline DfaState StateOf(int32_t index, int32_t final, std::initializer_list<DfaMove> moves) {
  DfaState state;
  state.index = index;
  state.final = final;
  state.moves = moves;
  return state;
}

}  // namespace tarnwick::testing
