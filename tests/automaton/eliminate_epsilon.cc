// Epsilon elimination through epsilon closures.
//
// Copying moves along every cycle-free epsilon path, one path at a time, gives
// each state s a move on c to every state in closure(T) for every move q -c-> T
// with q in closure(s), and the lowest rule accepted in closure(s). This
// computes exactly that set directly: the closure of s by one marked search,
// then per symbol c one marked search from all c-targets of the closure
// together. The moves are sorted by (target position, symbol), which is the
// order the state's transition set keeps (positions follow labels), so every
// insert appends. The cost is O(states x (states + moves)) instead of
// exponential in the number of epsilon paths.
#include "eliminate_epsilon.h"

#include "automaton/compact_nfa.h"
#include "automaton/subset.h"

#include <algorithm>
#include <utility>
#include <vector>

namespace tarnwick {

namespace {

struct Move {
  int32_t target;  // position in the NFA's states
  int32_t symbol;
};

}  // namespace

void EliminateEpsilon(Automaton& nfa) {
  const int n = nfa.states.count();
  if (n == 0) return;
  const CompactNfa compact = MakeCompactNfa(nfa);
  if (!compact.hasEpsilon) return;
  const std::vector<int32_t>& finals = compact.finals;

  // Marks are stamps, so no array is cleared between searches.
  std::vector<int32_t> mark(static_cast<std::size_t>(n), -1);
  int32_t stamp = -1;
  // Everything reachable from the states already in `found` by epsilon moves
  // is appended to it.
  auto spread = [&](std::vector<int32_t>& found) {
    for (std::size_t k = 0; k < found.size(); ++k) {
      for (int32_t next : compact.EpsilonOf(found[k])) {
        if (mark[static_cast<std::size_t>(next)] == stamp) continue;
        mark[static_cast<std::size_t>(next)] = stamp;
        found.push_back(next);
      }
    }
  };

  std::vector<int32_t> closure;
  std::vector<Move> taken;  // consuming moves leaving the closure
  std::vector<int32_t> reached;
  std::vector<Move> moves;
  for (int32_t s = 0; s < n; ++s) {
    State& state = *nfa.states[s];
    closure.assign(1, s);
    mark[static_cast<std::size_t>(s)] = ++stamp;
    spread(closure);

    int32_t accepted = state.final;
    taken.clear();
    for (int32_t q : closure) {
      const int32_t f = finals[static_cast<std::size_t>(q)];
      if (f > -1 && (accepted == -1 || f < accepted)) accepted = f;
      for (const CompactMove& move : compact.MovesOf(q))
        taken.push_back({move.target, move.symbol});
    }
    state.final = accepted;
    if (taken.empty()) {
      state.transitions.Clear();
      continue;
    }
    std::sort(taken.begin(), taken.end(), [](const Move& a, const Move& b) {
      return a.symbol != b.symbol ? a.symbol < b.symbol : a.target < b.target;
    });

    // Per symbol, one search from all targets together.
    moves.clear();
    for (std::size_t begin = 0; begin < taken.size();) {
      const int32_t symbol = taken[begin].symbol;
      ++stamp;
      reached.clear();
      std::size_t end = begin;
      for (; end < taken.size() && taken[end].symbol == symbol; ++end) {
        const int32_t target = taken[end].target;
        if (mark[static_cast<std::size_t>(target)] == stamp) continue;
        mark[static_cast<std::size_t>(target)] = stamp;
        reached.push_back(target);
      }
      spread(reached);
      for (int32_t y : reached)
        moves.push_back({y, symbol});
      begin = end;
    }
    std::sort(moves.begin(), moves.end(), [](const Move& a, const Move& b) {
      return a.target != b.target ? a.target < b.target : a.symbol < b.symbol;
    });

    state.transitions.Clear();
    for (const Move& move : moves)
      AddTransition(state, *nfa.states[move.target], move.symbol);
  }
}

std::unique_ptr<Dfa> BuildDfaByElimination(Automaton& nfa, std::size_t maxStates,
                                           std::size_t* statesReached) {
  EliminateEpsilon(nfa);
  return BuildDfaFromEpsilonNfa(nfa, maxStates, statesReached);
}

}  // namespace tarnwick
