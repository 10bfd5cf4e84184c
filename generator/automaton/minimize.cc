// Moore's partition refinement: states start grouped by accepted rule; each
// round regroups them by (group, moves as symbol and target group) until the
// number of groups stays the same, which means no group split. The rounds
// are bounded by the number of states; UTF-8 automata settle in a few.
#include "automaton/minimize.h"

#include <cstddef>
#include <map>
#include <vector>

namespace tarnwick {

namespace {

// The group of every state once no group splits any more.
std::vector<int32_t> StableGroups(const Dfa& dfa, std::size_t& count) {
  const std::size_t n = dfa.states.size();
  std::vector<int32_t> group(n);
  std::map<int32_t, int32_t> byRule;
  for (std::size_t s = 0; s < n; ++s) {
    const auto next = static_cast<int32_t>(byRule.size());
    group[s] = byRule.emplace(dfa.states[s].final, next).first->second;
  }
  count = byRule.size();
  std::vector<int32_t> signature;
  while (true) {
    std::map<std::vector<int32_t>, int32_t> bySignature;
    std::vector<int32_t> refined(n);
    for (std::size_t s = 0; s < n; ++s) {
      signature.assign(1, group[s]);
      for (const DfaMove& move : dfa.states[s].moves) {
        signature.push_back(move.symbol);
        signature.push_back(group[static_cast<std::size_t>(move.target)]);
      }
      const auto next = static_cast<int32_t>(bySignature.size());
      refined[s] = bySignature.emplace(signature, next).first->second;
    }
    group = std::move(refined);
    if (bySignature.size() == count) return group;
    count = bySignature.size();
  }
}

}  // namespace

void MinimizeDfa(Dfa& dfa) {
  std::size_t count = 0;
  const std::vector<int32_t> group = StableGroups(dfa, count);
  if (count == dfa.states.size()) return;

  // The first state of each group in label order keeps its place.
  std::vector<int32_t> position(count, -1);
  std::vector<std::size_t> kept;
  for (std::size_t s = 0; s < dfa.states.size(); ++s) {
    int32_t& p = position[static_cast<std::size_t>(group[s])];
    if (p >= 0) continue;
    p = static_cast<int32_t>(kept.size());
    kept.push_back(s);
  }
  // Discovery indices: dense, in the kept states' old index order.
  std::map<int32_t, std::size_t> byIndex;
  for (std::size_t k = 0; k < kept.size(); ++k)
    byIndex.emplace(dfa.states[kept[k]].index, k);
  std::vector<int32_t> index(kept.size());
  int32_t nextIndex = 0;
  for (const auto& [oldIndex, k] : byIndex)
    index[k] = nextIndex++;

  std::vector<DfaState> states;
  states.reserve(kept.size());
  for (std::size_t k = 0; k < kept.size(); ++k) {
    DfaState state = std::move(dfa.states[kept[k]]);
    state.index = index[k];
    for (DfaMove& move : state.moves)
      move.target =
          position[static_cast<std::size_t>(group[static_cast<std::size_t>(move.target)])];
    states.push_back(std::move(state));
  }
  dfa.start = position[static_cast<std::size_t>(group[static_cast<std::size_t>(dfa.start)])];
  dfa.states = std::move(states);
}

}  // namespace tarnwick
