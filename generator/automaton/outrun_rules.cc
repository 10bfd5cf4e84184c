// The walk's stops read off the moves; the states after a rule's states are
// searched only for rules that no stop lets win.
#include "automaton/outrun_rules.h"

#include <algorithm>
#include <cstddef>

#include "regex/symbols.h"

namespace tarnwick {

namespace {

class OutrunSearch {
 public:
  OutrunSearch(const Dfa& dfa, int32_t ruleCount)
      : dfa_(dfa),
        ruleCount_(ruleCount),
        byBytes_(dfa.states.size(), false),
        stops_(dfa.states.size(), false) {}

  std::vector<std::vector<int32_t>> Run() {
    const auto rules = static_cast<std::size_t>(ruleCount_);
    std::vector<std::vector<int32_t>> takers(rules);
    MarkReachedByBytes();
    std::vector<bool> reached(rules, false);
    std::vector<bool> wins(rules, false);
    const int32_t classCount = dfa_.charset->classCount;
    for (std::size_t p = 0; p < dfa_.states.size(); ++p) {
      if (!byBytes_[p]) continue;
      const DfaState& state = dfa_.states[p];
      int32_t byteMoves = 0;
      int32_t afterEnd = -1;
      for (const DfaMove& move : state.moves) {
        if (move.symbol == kEofSymbol) {
          afterEnd = move.target;
        } else {
          ++byteMoves;
        }
      }
      stops_[p] = byteMoves < classCount || afterEnd < 0 || !Accepting(afterEnd);
      // The walk ends in the state the end of input enters.
      if (afterEnd >= 0 && afterEnd != dfa_.start && Accepting(afterEnd)) {
        reached[RuleOf(afterEnd)] = true;
        wins[RuleOf(afterEnd)] = true;
      }
      if (static_cast<int32_t>(p) != dfa_.start && Accepting(static_cast<int32_t>(p))) {
        reached[RuleOf(static_cast<int32_t>(p))] = true;
        if (stops_[p]) wins[RuleOf(static_cast<int32_t>(p))] = true;
      }
    }
    for (std::size_t r = 0; r < rules; ++r) {
      if (reached[r] && !wins[r]) takers[r] = Takers(static_cast<int32_t>(r));
    }
    return takers;
  }

 private:
  bool Accepting(int32_t p) const {
    const int32_t final = dfa_.states[static_cast<std::size_t>(p)].final;
    return final >= 0 && final < ruleCount_;
  }
  std::size_t RuleOf(int32_t p) const {
    return static_cast<std::size_t>(dfa_.states[static_cast<std::size_t>(p)].final);
  }

  // The states the walk can be in before the end of input.
  void MarkReachedByBytes() {
    std::vector<int32_t> stack{dfa_.start};
    byBytes_[static_cast<std::size_t>(dfa_.start)] = true;
    while (!stack.empty()) {
      const int32_t p = stack.back();
      stack.pop_back();
      for (const DfaMove& move : dfa_.states[static_cast<std::size_t>(p)].moves) {
        const auto target = static_cast<std::size_t>(move.target);
        if (move.symbol == kEofSymbol || byBytes_[target]) continue;
        byBytes_[target] = true;
        stack.push_back(move.target);
      }
    }
  }

  // Walks on from every state of `rule` through non-accepting states and the
  // rule's own: the rules accepted where the walk meets another accepting
  // state, or nothing when it can stop on the way.
  std::vector<int32_t> Takers(int32_t rule) const {
    std::vector<bool> seen(dfa_.states.size(), false);
    std::vector<int32_t> stack;
    for (std::size_t p = 0; p < dfa_.states.size(); ++p) {
      if (byBytes_[p] && static_cast<int32_t>(p) != dfa_.start && dfa_.states[p].final == rule) {
        seen[p] = true;
        stack.push_back(static_cast<int32_t>(p));
      }
    }
    std::vector<int32_t> takers;
    while (!stack.empty()) {
      const auto p = static_cast<std::size_t>(stack.back());
      stack.pop_back();
      if (stops_[p]) return {};
      for (const DfaMove& move : dfa_.states[p].moves) {
        const auto target = static_cast<std::size_t>(move.target);
        const int32_t final = dfa_.states[target].final;
        if (Accepting(move.target) && final != rule) {
          takers.push_back(final);
        } else if (move.symbol != kEofSymbol && !seen[target]) {
          seen[target] = true;
          stack.push_back(move.target);
        }
      }
    }
    std::sort(takers.begin(), takers.end());
    takers.erase(std::unique(takers.begin(), takers.end()), takers.end());
    return takers;
  }

  const Dfa& dfa_;
  int32_t ruleCount_;
  std::vector<bool> byBytes_;  // reached from the start by bytes alone
  std::vector<bool> stops_;    // the walk may stop here, with no further accept
};

}  // namespace

std::vector<std::vector<int32_t>> FindOutrunRules(const Dfa& dfa, int32_t ruleCount) {
  if (ruleCount <= 0) return {};
  // A byte that no rule names stops the walk in every state.
  if (dfa.states.empty() || dfa.charset == nullptr ||
      std::find(dfa.charset->classOf.begin(), dfa.charset->classOf.begin() + 256, 0) !=
          dfa.charset->classOf.begin() + 256) {
    return std::vector<std::vector<int32_t>>(static_cast<std::size_t>(ruleCount));
  }
  return OutrunSearch(dfa, ruleCount).Run();
}

}  // namespace tarnwick
