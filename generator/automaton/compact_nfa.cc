// MakeCompactNfa and CompactNfaBuilder: both end in one layout pass over the
// moves sorted by (state, target, symbol), which counts each state's moves of
// either kind and then fills them in.
//
// The object automaton's targets are found through a hash map from state
// address; the NFA's states are few next to its moves, so the map stays small.
#include "automaton/compact_nfa.h"

#include <algorithm>
#include <unordered_map>
#include <utility>

namespace tarnwick {

int32_t CompactNfaBuilder::AddState() {
  finals_.push_back(-1);
  hasMoves_.push_back(0);
  return static_cast<int32_t>(finals_.size() - 1);
}

void CompactNfaBuilder::AddMove(int32_t from, int32_t target, int32_t symbol) {
  moves_.push_back({from, target, symbol});
  hasMoves_[static_cast<std::size_t>(from)] = 1;
}

CompactNfa CompactNfaBuilder::Finish() {
  // Sorted where they lie rather than counted out by state into a second
  // array: the moves are the builder's bulk. An object automaton hands them
  // over in order already.
  const auto before = [](const RawMove& a, const RawMove& b) {
    if (a.from != b.from) return a.from < b.from;
    if (a.target != b.target) return a.target < b.target;
    return a.symbol < b.symbol;
  };
  if (!std::is_sorted(moves_.begin(), moves_.end(), before)) {
    std::sort(moves_.begin(), moves_.end(), before);
  }
  const auto same = [](const RawMove& a, const RawMove& b) {
    return a.from == b.from && a.target == b.target && a.symbol == b.symbol;
  };
  moves_.erase(std::unique(moves_.begin(), moves_.end(), same), moves_.end());

  CompactNfa compact;
  const std::size_t size = finals_.size();
  compact.finals = std::move(finals_);
  compact.moveBegin.assign(size + 1, 0);
  compact.epsilonBegin.assign(size + 1, 0);
  std::size_t epsilon = 0;
  for (const RawMove& move : moves_) {
    if (move.symbol == kEpsilonSymbol) ++epsilon;
  }
  compact.moves.reserve(moves_.size() - epsilon);
  compact.epsilonTargets.reserve(epsilon);
  compact.hasEpsilon = epsilon > 0;
  bool first = true;
  std::size_t next = 0;
  for (std::size_t q = 0; q < size; ++q) {
    for (; next < moves_.size() && static_cast<std::size_t>(moves_[next].from) == q; ++next) {
      const RawMove& move = moves_[next];
      if (move.symbol == kEpsilonSymbol) {
        compact.epsilonTargets.push_back(move.target);
        continue;
      }
      compact.moves.push_back({move.symbol, move.target});
      if (first || move.symbol < compact.minSymbol) compact.minSymbol = move.symbol;
      if (first || move.symbol > compact.maxSymbol) compact.maxSymbol = move.symbol;
      first = false;
    }
    compact.moveBegin[q + 1] = compact.moves.size();
    compact.epsilonBegin[q + 1] = compact.epsilonTargets.size();
  }
  compact.start = 0;
  compact.starts = std::move(starts_);
  *this = {};
  return compact;
}

CompactNfa MakeCompactNfa(const Automaton& nfa) {
  const int n = nfa.states.count();
  std::unordered_map<const State*, int32_t> positionOf;
  positionOf.reserve(static_cast<std::size_t>(n));
  CompactNfaBuilder builder;
  for (int i = 0; i < n; ++i) {
    positionOf.emplace(nfa.states[i], i);
    builder.AddState();
  }
  for (int i = 0; i < n; ++i) {
    const State& state = *nfa.states[i];
    builder.SetFinal(i, state.final);
    for (const auto& t : state.transitions.items())
      builder.AddMove(i, positionOf.at(t->target), t->symbol);
  }
  for (const State* start : nfa.starts)
    builder.AddStart(positionOf.at(start));
  CompactNfa compact = builder.Finish();
  compact.start = nfa.start ? positionOf.at(nfa.start) : 0;
  return compact;
}

}  // namespace tarnwick
