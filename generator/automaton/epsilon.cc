// Epsilon elimination through epsilon closures.
//
// Copying moves along every cycle-free epsilon path, one path at a time, gives
// each state s a move on c to every state in closure(T) for every move q -c-> T
// with q in closure(s), and the lowest rule accepted in closure(s). This
// computes exactly that set directly: one closure per state by a marked search,
// then the moves as a sorted, deduplicated list of (target position, symbol),
// which is also the order the state's transition set keeps (positions follow
// labels), so every insert appends. The cost is polynomial in the NFA's size
// instead of exponential in the number of epsilon paths.
#include "automaton/epsilon.h"

#include <algorithm>
#include <unordered_map>
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
  std::unordered_map<const State*, int32_t> positionOf;
  positionOf.reserve(static_cast<std::size_t>(n));
  for (int i = 0; i < n; ++i)
    positionOf.emplace(nfa.states[i], i);

  std::vector<std::vector<int32_t>> epsilonTargets(static_cast<std::size_t>(n));
  std::vector<std::vector<Move>> consuming(static_cast<std::size_t>(n));
  bool anyEpsilon = false;
  for (int i = 0; i < n; ++i) {
    for (const auto& t : nfa.states[i]->transitions.items()) {
      const int32_t target = positionOf.at(t->target);
      if (t->symbol == kEpsilonSymbol) {
        epsilonTargets[static_cast<std::size_t>(i)].push_back(target);
        anyEpsilon = true;
      } else {
        consuming[static_cast<std::size_t>(i)].push_back({target, t->symbol});
      }
    }
  }
  if (!anyEpsilon) return;

  // closure[s]: s and every state reachable from it by epsilon moves.
  std::vector<std::vector<int32_t>> closure(static_cast<std::size_t>(n));
  std::vector<int32_t> mark(static_cast<std::size_t>(n), -1);
  for (int32_t s = 0; s < n; ++s) {
    std::vector<int32_t>& found = closure[static_cast<std::size_t>(s)];
    found.push_back(s);
    mark[static_cast<std::size_t>(s)] = s;
    for (std::size_t k = 0; k < found.size(); ++k) {
      for (int32_t next : epsilonTargets[static_cast<std::size_t>(found[k])]) {
        if (mark[static_cast<std::size_t>(next)] == s) continue;
        mark[static_cast<std::size_t>(next)] = s;
        found.push_back(next);
      }
    }
  }

  std::vector<int32_t> finals(static_cast<std::size_t>(n));
  for (int i = 0; i < n; ++i)
    finals[static_cast<std::size_t>(i)] = nfa.states[i]->final;

  std::vector<Move> moves;
  for (int32_t s = 0; s < n; ++s) {
    State& state = *nfa.states[s];
    const std::vector<int32_t>& reach = closure[static_cast<std::size_t>(s)];
    int32_t accepted = state.final;
    moves.clear();
    for (int32_t q : reach) {
      const int32_t f = finals[static_cast<std::size_t>(q)];
      if (f > -1 && (accepted == -1 || f < accepted)) accepted = f;
      for (const Move& move : consuming[static_cast<std::size_t>(q)]) {
        for (int32_t y : closure[static_cast<std::size_t>(move.target)]) {
          moves.push_back({y, move.symbol});
        }
      }
    }
    std::sort(moves.begin(), moves.end(), [](const Move& a, const Move& b) {
      return a.target != b.target ? a.target < b.target : a.symbol < b.symbol;
    });
    moves.erase(std::unique(moves.begin(), moves.end(),
                            [](const Move& a, const Move& b) {
                              return a.target == b.target && a.symbol == b.symbol;
                            }),
                moves.end());

    state.final = accepted;
    state.transitions.Clear();
    for (const Move& move : moves)
      AddTransition(state, *nfa.states[move.target], move.symbol);
  }
}

}  // namespace tarnwick
