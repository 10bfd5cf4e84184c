// MakeCompactNfa: two passes over the object automaton, one to count the
// moves of each kind, one to fill them in.
//
// A target's position is found through a hash map from state address; the
// NFA's states are few next to its moves, so the map stays small.
#include "automaton/compact_nfa.h"

#include <unordered_map>

namespace tarnwick {

CompactNfa MakeCompactNfa(const Automaton& nfa) {
  CompactNfa compact;
  const int n = nfa.states.count();
  const auto size = static_cast<std::size_t>(n);
  std::unordered_map<const State*, int32_t> positionOf;
  positionOf.reserve(size);
  for (int i = 0; i < n; ++i)
    positionOf.emplace(nfa.states[i], i);

  compact.finals.resize(size);
  compact.moveBegin.assign(size + 1, 0);
  compact.epsilonBegin.assign(size + 1, 0);
  std::size_t consuming = 0;
  std::size_t epsilon = 0;
  for (int i = 0; i < n; ++i) {
    const State& state = *nfa.states[i];
    compact.finals[static_cast<std::size_t>(i)] = state.final;
    for (const auto& t : state.transitions.items()) {
      if (t->symbol == kEpsilonSymbol) {
        ++epsilon;
      } else {
        ++consuming;
      }
    }
  }
  compact.moves.reserve(consuming);
  compact.epsilonTargets.reserve(epsilon);
  compact.hasEpsilon = epsilon > 0;

  bool first = true;
  for (int i = 0; i < n; ++i) {
    for (const auto& t : nfa.states[i]->transitions.items()) {
      const int32_t target = positionOf.at(t->target);
      if (t->symbol == kEpsilonSymbol) {
        compact.epsilonTargets.push_back(target);
        continue;
      }
      compact.moves.push_back({t->symbol, target});
      if (first || t->symbol < compact.minSymbol) compact.minSymbol = t->symbol;
      if (first || t->symbol > compact.maxSymbol) compact.maxSymbol = t->symbol;
      first = false;
    }
    compact.moveBegin[static_cast<std::size_t>(i) + 1] = compact.moves.size();
    compact.epsilonBegin[static_cast<std::size_t>(i) + 1] = compact.epsilonTargets.size();
  }
  compact.start = nfa.start ? positionOf.at(nfa.start) : 0;
  for (const State* start : nfa.starts)
    compact.starts.push_back(positionOf.at(start));
  return compact;
}

}  // namespace tarnwick
