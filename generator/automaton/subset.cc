// Subset construction with compact labels and an explicit work stack.
//
// A DFA state's label is the ascending list of its NFA states' positions;
// since the NFA keeps its states in label order, these lists compare exactly
// as sets of NFA state clones would (size first, then element by element).
// Labels are found again through an open-addressing table of state indices
// that keeps each label's hash, so a label already known costs no allocation.
// Expanding a state groups the consuming moves of its NFA states by symbol in
// buckets, visits the symbols in ascending order (end of input first) and
// numbers the new states it finds; those are pushed on the stack in reverse so
// that the first is expanded next, with everything below it, before the
// second: the discovery order of the recursive formulation, and so every
// `index`, is kept. Positions in label order are assigned by one sort at the
// end.
//
// Over an NFA that still has epsilon moves, each bucket's targets are closed
// under them before they become a label. Epsilon elimination would have given
// every NFA state q, on c, the closure of the c-targets of closure(q), and the
// lowest rule in closure(q); the union of those over a label L is the closure
// of the c-targets of closure(L), and the lowest rule in closure(L). Every
// label made here is closed already, so closure(L) = L except for the start
// label {start}, the one label nothing closed. Expanding over L's own moves
// instead of the eliminated ones costs its consuming moves (about one per NFA
// state) rather than the whole closure's moves for each of its states.
#include "automaton/subset.h"

#include <algorithm>
#include <bit>
#include <span>
#include <utility>
#include <vector>

#include "automaton/compact_nfa.h"

namespace tarnwick {

namespace {

class SubsetBuilder {
 public:
  SubsetBuilder(const CompactNfa& nfa, std::size_t maxStates)
      : nfa_(nfa),
        maxStates_(std::min(maxStates, kDfaStateCapacity)),
        table_(64, kEmpty),
        buckets_(static_cast<std::size_t>(nfa.maxSymbol - nfa.minSymbol + 1)),
        member_((nfa.size() + 63) / 64, 0) {}

  // False when the limit stopped the construction.
  bool Run() {
    std::vector<int32_t> work;
    std::vector<int32_t> found;
    if (nfa_.starts.empty()) {
      scratch_.assign(1, nfa_.start);
      if (!Discover(nullptr, nullptr)) return false;
      work.push_back(0);
    } else {
      if (!DiscoverStarts(found)) return false;
      work.insert(work.end(), found.rbegin(), found.rend());
    }
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
    // Assigning {} to a vector keeps its capacity; these are done with.
    std::vector<int32_t>().swap(table_);
    std::vector<uint64_t>().swap(hashes_);
    for (DfaState& state : states_) {
      for (DfaMove& move : state.moves) {
        move.target = positionOf[static_cast<std::size_t>(move.target)];
      }
    }
    // Into label order in place, cycle by cycle, rather than into a second
    // array of states: position p takes the state found at index order[p].
    for (std::size_t p = 0; p < n; ++p) {
      if (order[p] < 0) continue;
      DfaState held = std::move(states_[p]);
      for (std::size_t at = p;;) {
        const auto from = static_cast<std::size_t>(order[at]);
        order[at] = -1;
        if (from == p) {
          states_[at] = std::move(held);
          break;
        }
        states_[at] = std::move(states_[from]);
        at = from;
      }
    }
    auto dfa = std::make_unique<Dfa>();
    dfa->charset = std::move(charset);
    dfa->states = std::move(states_);
    dfa->start = positionOf[0];
    for (int32_t index : startIndices_)
      dfa->starts.push_back(positionOf[static_cast<std::size_t>(index)]);
    if (!dfa->starts.empty()) dfa->start = dfa->starts.front();
    return dfa;
  }

 private:
  static constexpr int32_t kEmpty = -1;

  static uint64_t HashLabel(std::span<const int32_t> label) {
    uint64_t h = label.size();
    for (int32_t x : label)
      h = (h ^ static_cast<uint32_t>(x)) * 0x100000001b3ULL;
    // The table takes the low bits: fold the high ones in.
    h ^= h >> 29;
    h *= 0xbf58476d1ce4e5b9ULL;
    return h ^ (h >> 32);
  }

  void GrowTable() {
    std::vector<int32_t> larger(table_.size() * 2, kEmpty);
    const std::size_t mask = larger.size() - 1;
    for (int32_t i : table_) {
      if (i == kEmpty) continue;
      std::size_t slot = hashes_[static_cast<std::size_t>(i)] & mask;
      while (larger[slot] != kEmpty)
        slot = (slot + 1) & mask;
      larger[slot] = i;
    }
    table_ = std::move(larger);
  }

  // Finds the state labelled `scratch_` or makes it (and lists it in `fresh`).
  // Gives its index in *at; false when a new state would break the limit.
  bool Discover(int32_t* at, std::vector<int32_t>* fresh) {
    const uint64_t h = HashLabel(scratch_);
    const std::size_t mask = table_.size() - 1;
    std::size_t slot = h & mask;
    for (; table_[slot] != kEmpty; slot = (slot + 1) & mask) {
      const auto i = static_cast<std::size_t>(table_[slot]);
      if (hashes_[i] == h && states_[i].label == scratch_) {
        if (at) *at = table_[slot];
        return true;
      }
    }
    ++discovered_;
    if (discovered_ > maxStates_) return false;
    const auto index = static_cast<int32_t>(states_.size());
    DfaState& state = states_.emplace_back();
    state.label.assign(scratch_.begin(), scratch_.end());
    state.index = index;
    hashes_.push_back(h);
    table_[slot] = index;
    if (states_.size() * 2 > table_.size()) GrowTable();
    if (at) *at = index;
    if (fresh) fresh->push_back(index);
    return true;
  }

  // Several starts: a start's label is its epsilon closure without the NFA
  // start states, which accept nothing and have no consuming moves, so
  // starts that reach the same rules share one DFA state. These labels are
  // closed, as every label made by Expand is.
  bool DiscoverStarts(std::vector<int32_t>& fresh) {
    std::vector<bool> isStart(nfa_.size(), false);
    for (int32_t q : nfa_.starts)
      isStart[static_cast<std::size_t>(q)] = true;
    for (int32_t q : nfa_.starts) {
      scratch_.assign(1, q);
      Mark(q);
      Spread(scratch_);
      for (int32_t member : scratch_)
        member_[static_cast<std::size_t>(member) >> 6] = 0;
      std::erase_if(scratch_,
                    [&](int32_t member) { return isStart[static_cast<std::size_t>(member)]; });
      std::sort(scratch_.begin(), scratch_.end());
      int32_t at = 0;
      if (!Discover(&at, &fresh)) return false;
      startIndices_.push_back(at);
    }
    return true;
  }

  // Puts NFA state q into the member set; false when it was there.
  bool Mark(int32_t q) {
    uint64_t& word = member_[static_cast<std::size_t>(q) >> 6];
    const uint64_t bit = uint64_t{1} << (q & 63);
    if (word & bit) return false;
    word |= bit;
    return true;
  }

  // Appends to `found` everything reachable from it by epsilon moves; the
  // states already in it must be marked.
  void Spread(std::vector<int32_t>& found) {
    for (std::size_t k = 0; k < found.size(); ++k) {
      for (int32_t next : nfa_.EpsilonOf(found[k])) {
        if (Mark(next)) found.push_back(next);
      }
    }
  }

  // Sorts the marked states in `found` and empties the member set again.
  // A label that fills much of its range of positions is read out of the
  // set in order, which costs a word per 64 positions instead of a sort.
  void SortAndUnmark(std::vector<int32_t>& found) {
    if (found.empty()) return;
    int32_t lo = found[0];
    int32_t hi = found[0];
    for (int32_t q : found) {
      lo = std::min(lo, q);
      hi = std::max(hi, q);
    }
    const std::size_t first = static_cast<std::size_t>(lo) >> 6;
    const std::size_t last = static_cast<std::size_t>(hi) >> 6;
    if (last - first + 1 <= 4 * found.size() + 8) {
      found.clear();
      for (std::size_t w = first; w <= last; ++w) {
        uint64_t bits = member_[w];
        member_[w] = 0;
        while (bits != 0) {
          found.push_back(
              static_cast<int32_t>(w * 64 + static_cast<std::size_t>(std::countr_zero(bits))));
          bits &= bits - 1;
        }
      }
      return;
    }
    for (int32_t q : found)
      member_[static_cast<std::size_t>(q) >> 6] = 0;
    std::sort(found.begin(), found.end());
  }

  // The NFA states whose moves and rules make up state d's.
  std::span<const int32_t> Members(int32_t d) {
    const auto& label = states_[static_cast<std::size_t>(d)].label;
    if (d != 0 || !nfa_.hasEpsilon || !nfa_.starts.empty()) return label;
    closure_.assign(label.begin(), label.end());
    for (int32_t q : closure_)
      Mark(q);
    Spread(closure_);
    for (int32_t q : closure_)
      member_[static_cast<std::size_t>(q) >> 6] = 0;
    return closure_;
  }

  bool Expand(int32_t d, std::vector<int32_t>& fresh) {
    int32_t accepted = -1;
    touched_.clear();
    for (int32_t q : Members(d)) {
      const int32_t f = nfa_.finals[static_cast<std::size_t>(q)];
      if (f > -1 && (accepted == -1 || f < accepted)) accepted = f;
      for (const CompactMove& move : nfa_.MovesOf(q)) {
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
      scratch_.clear();
      for (int32_t target : bucket) {
        if (Mark(target)) scratch_.push_back(target);
      }
      bucket.clear();
      if (nfa_.hasEpsilon) Spread(scratch_);
      SortAndUnmark(scratch_);
      int32_t target = 0;
      if (!Discover(&target, &fresh)) {
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
  std::vector<uint64_t> hashes_;               // by index: the label's hash
  std::vector<int32_t> table_;                 // state indices by hash, kEmpty
  std::vector<std::vector<int32_t>> buckets_;  // NFA targets per symbol
  std::vector<int32_t> touched_;               // symbols with a non-empty bucket
  std::vector<int32_t> scratch_;               // the label being looked up
  std::vector<int32_t> closure_;               // the start label's closure
  std::vector<uint64_t> member_;               // NFA states as bits; empty between uses
  std::vector<int32_t> startIndices_;          // several starts: each one's DFA state
};

}  // namespace

std::unique_ptr<Dfa> BuildDfaFromEpsilonNfa(const Automaton& nfa, std::size_t maxStates,
                                            std::size_t* statesReached) {
  if (nfa.states.empty()) {
    if (statesReached) *statesReached = 0;
    return nullptr;
  }
  return BuildDfaFromCompactNfa(MakeCompactNfa(nfa),
                                nfa.charset ? nfa.charset->Clone() : std::make_unique<CharSet>(),
                                maxStates, statesReached);
}

std::unique_ptr<Dfa> BuildDfaFromCompactNfa(const CompactNfa& nfa, std::unique_ptr<CharSet> charset,
                                            std::size_t maxStates, std::size_t* statesReached) {
  if (statesReached) *statesReached = 0;
  if (nfa.size() == 0) return nullptr;
  SubsetBuilder builder(nfa, maxStates);
  const bool complete = builder.Run();
  if (statesReached) *statesReached = builder.discovered();
  if (!complete) return nullptr;
  return builder.Finish(charset ? std::move(charset) : std::make_unique<CharSet>());
}

}  // namespace tarnwick
