// Subset construction with compact labels and an explicit work stack.
//
// A DFA state's label is the ascending list of its NFA states' positions;
// since the NFA keeps its states in label order, these lists compare exactly
// as sets of NFA state clones would (size first, then element by element).
// Labels are found again through a hash set. Expanding a state groups the
// moves of its NFA states by symbol in buckets, visits the symbols in
// ascending order (end of input first) and numbers the new states it finds;
// those are pushed on the stack in reverse so that the first is expanded next,
// with everything below it, before the second: the discovery order of the
// recursive formulation, and so every `index`, is kept. Positions in label
// order are assigned by one sort at the end.
#include "automaton/subset.h"

#include <algorithm>
#include <functional>
#include <unordered_map>
#include <unordered_set>
#include <utility>
#include <vector>

namespace tarnwick {

namespace {

struct NfaMove {
  int32_t symbol;
  int32_t target;
};

// The NFA reduced to positions.
struct CompactNfa {
  std::vector<int32_t> finals;
  std::vector<std::vector<NfaMove>> moves;
  int32_t start = 0;
  int32_t minSymbol = 0;
  int32_t maxSymbol = 0;
};

CompactNfa Compact(const Automaton& nfa) {
  CompactNfa compact;
  const int n = nfa.states.count();
  std::unordered_map<const State*, int32_t> positionOf;
  positionOf.reserve(static_cast<std::size_t>(n));
  for (int i = 0; i < n; ++i)
    positionOf.emplace(nfa.states[i], i);
  compact.finals.resize(static_cast<std::size_t>(n));
  compact.moves.resize(static_cast<std::size_t>(n));
  bool first = true;
  for (int i = 0; i < n; ++i) {
    const State& state = *nfa.states[i];
    compact.finals[static_cast<std::size_t>(i)] = state.final;
    auto& moves = compact.moves[static_cast<std::size_t>(i)];
    moves.reserve(static_cast<std::size_t>(state.transitions.count()));
    for (const auto& t : state.transitions.items()) {
      moves.push_back({t->symbol, positionOf.at(t->target)});
      if (first || t->symbol < compact.minSymbol) compact.minSymbol = t->symbol;
      if (first || t->symbol > compact.maxSymbol) compact.maxSymbol = t->symbol;
      first = false;
    }
  }
  compact.start = nfa.start ? positionOf.at(nfa.start) : 0;
  return compact;
}

class SubsetBuilder {
 public:
  SubsetBuilder(const CompactNfa& nfa, std::size_t maxStates)
      : nfa_(nfa),
        maxStates_(maxStates),
        buckets_(static_cast<std::size_t>(nfa.maxSymbol - nfa.minSymbol + 1)),
        seen_(nfa.finals.size(), 0),
        known_(64, LabelHash{&states_}, LabelEqual{&states_}) {}

  // False when the limit stopped the construction.
  bool Run() {
    std::vector<int32_t> work;
    std::vector<int32_t> found;
    if (!Discover({nfa_.start}, nullptr)) return false;
    work.push_back(0);
    while (!work.empty()) {
      const int32_t d = work.back();
      work.pop_back();
      found.clear();
      if (!Expand(d, found)) return false;
      work.insert(work.end(), found.rbegin(), found.rend());
    }
    return true;
  }

  std::size_t discovered() const { return discovered_; }

  // Moves the states into label order and gives the finished DFA.
  std::unique_ptr<Dfa> Finish(std::unique_ptr<CharSet> charset) {
    const std::size_t n = states_.size();
    std::vector<int32_t> order(n);
    for (std::size_t i = 0; i < n; ++i)
      order[i] = static_cast<int32_t>(i);
    std::sort(order.begin(), order.end(), [&](int32_t a, int32_t b) {
      const auto& x = states_[static_cast<std::size_t>(a)].label;
      const auto& y = states_[static_cast<std::size_t>(b)].label;
      if (x.size() != y.size()) return x.size() < y.size();
      return x < y;
    });
    std::vector<int32_t> positionOf(n);
    for (std::size_t p = 0; p < n; ++p) {
      positionOf[static_cast<std::size_t>(order[p])] = static_cast<int32_t>(p);
    }
    known_.clear();
    auto dfa = std::make_unique<Dfa>();
    dfa->charset = std::move(charset);
    dfa->states.resize(n);
    for (std::size_t p = 0; p < n; ++p) {
      DfaState& state = dfa->states[p];
      state = std::move(states_[static_cast<std::size_t>(order[p])]);
      for (DfaMove& move : state.moves) {
        move.target = positionOf[static_cast<std::size_t>(move.target)];
      }
    }
    dfa->start = positionOf[0];
    states_.clear();
    return dfa;
  }

 private:
  struct LabelHash {
    const std::vector<DfaState>* states;
    std::size_t operator()(int32_t i) const {
      const auto& label = (*states)[static_cast<std::size_t>(i)].label;
      std::size_t h = label.size();
      for (int32_t x : label)
        h = (h ^ static_cast<std::size_t>(x)) * 0x100000001b3ULL;
      return h;
    }
  };
  struct LabelEqual {
    const std::vector<DfaState>* states;
    bool operator()(int32_t a, int32_t b) const {
      return (*states)[static_cast<std::size_t>(a)].label ==
             (*states)[static_cast<std::size_t>(b)].label;
    }
  };

  // Finds the state with `label` or makes it (and lists it in `fresh`).
  // Gives its index in *at; false when a new state would break the limit.
  bool Discover(std::vector<int32_t> label, int32_t* at, std::vector<int32_t>* fresh = nullptr) {
    const auto tentative = static_cast<int32_t>(states_.size());
    states_.emplace_back();
    states_.back().label = std::move(label);
    auto [it, inserted] = known_.insert(tentative);
    if (!inserted) {
      states_.pop_back();
      if (at) *at = *it;
      return true;
    }
    ++discovered_;
    if (discovered_ > maxStates_) return false;
    states_.back().index = tentative;
    if (at) *at = tentative;
    if (fresh) fresh->push_back(tentative);
    return true;
  }

  bool Expand(int32_t d, std::vector<int32_t>& fresh) {
    int32_t accepted = -1;
    touched_.clear();
    for (int32_t q : states_[static_cast<std::size_t>(d)].label) {
      const int32_t f = nfa_.finals[static_cast<std::size_t>(q)];
      if (f > -1 && (accepted == -1 || f < accepted)) accepted = f;
      for (const NfaMove& move : nfa_.moves[static_cast<std::size_t>(q)]) {
        auto& bucket = buckets_[static_cast<std::size_t>(move.symbol - nfa_.minSymbol)];
        if (bucket.empty()) touched_.push_back(move.symbol);
        bucket.push_back(move.target);
      }
    }
    states_[static_cast<std::size_t>(d)].final = accepted;
    std::sort(touched_.begin(), touched_.end());
    std::vector<DfaMove> moves;
    moves.reserve(touched_.size());
    for (int32_t symbol : touched_) {
      auto& bucket = buckets_[static_cast<std::size_t>(symbol - nfa_.minSymbol)];
      // Duplicates go by marking first: buckets can hold many copies of few
      // states, and only the distinct ones are worth sorting.
      ++stamp_;
      std::vector<int32_t> label;
      for (int32_t target : bucket) {
        if (seen_[static_cast<std::size_t>(target)] == stamp_) continue;
        seen_[static_cast<std::size_t>(target)] = stamp_;
        label.push_back(target);
      }
      std::sort(label.begin(), label.end());
      bucket.clear();
      int32_t target = 0;
      if (!Discover(std::move(label), &target, &fresh)) {
        for (int32_t rest : touched_)
          buckets_[static_cast<std::size_t>(rest - nfa_.minSymbol)].clear();
        return false;
      }
      moves.push_back({symbol, target});
    }
    states_[static_cast<std::size_t>(d)].moves = std::move(moves);
    return true;
  }

  const CompactNfa& nfa_;
  std::size_t maxStates_;
  std::size_t discovered_ = 0;
  std::vector<DfaState> states_;               // by index (discovery order)
  std::vector<std::vector<int32_t>> buckets_;  // NFA targets per symbol
  std::vector<int32_t> touched_;               // symbols with a non-empty bucket
  std::vector<uint64_t> seen_;                 // per NFA state: last stamp it was put
  uint64_t stamp_ = 0;
  std::unordered_set<int32_t, LabelHash, LabelEqual> known_;
};

}  // namespace

std::unique_ptr<Dfa> BuildDfa(const Automaton& nfa, std::size_t maxStates,
                              std::size_t* statesReached) {
  if (statesReached) *statesReached = 0;
  if (nfa.states.empty()) return nullptr;
  const CompactNfa compact = Compact(nfa);
  SubsetBuilder builder(compact, maxStates);
  const bool complete = builder.Run();
  if (statesReached) *statesReached = builder.discovered();
  if (!complete) return nullptr;
  return builder.Finish(nfa.charset ? nfa.charset->Clone() : std::make_unique<CharSet>());
}

std::string DfaToString(const Dfa& dfa, const Automaton& nfa) {
  std::vector<std::string> labels;
  labels.reserve(dfa.states.size());
  for (const DfaState& state : dfa.states) {
    std::string text = "{";
    for (std::size_t k = 0; k < state.label.size(); ++k) {
      if (k > 0) text += ", ";
      text += nfa.states[state.label[k]]->ToString();
    }
    labels.push_back(text + "}");
  }
  std::string out;
  for (std::size_t p = 0; p < dfa.states.size(); ++p) {
    const DfaState& state = dfa.states[p];
    if (p > 0) out += "\n";
    out += labels[p] + "(final=" + std::to_string(state.final);
    if (static_cast<int32_t>(p) == dfa.start) out += ":start";
    // A transition set orders by target label, then symbol.
    std::vector<DfaMove> moves = state.moves;
    std::sort(moves.begin(), moves.end(), [](const DfaMove& a, const DfaMove& b) {
      return a.target != b.target ? a.target < b.target : a.symbol < b.symbol;
    });
    out += ":trans={";
    for (std::size_t k = 0; k < moves.size(); ++k) {
      if (k > 0) out += ", ";
      out += "\n->" + labels[static_cast<std::size_t>(moves[k].target)] + "(" +
             std::to_string(moves[k].symbol) + ")";
    }
    out += "})";
  }
  return out;
}

}  // namespace tarnwick
