// Hopcroft's partition refinement over a partial DFA.
//
// The partition is kept as one array of states in which every block is a
// contiguous range; marking a state swaps it to the front of its block, so a
// split costs only the states it moves. The work list holds blocks, each
// standing for all columns: taking block B, the sources of all moves into B
// are gathered by column and every block is split into the states that move
// into B on that column and the rest.
//
// A missing move is not a move to some dead state: a state with a move on a
// column always lands in some block, and using that block as a splitter
// separates it from the states without one. That is also why every initial
// block goes on the work list (the textbook skips one, which is sound only
// when every state has a move on every column). After that, a split puts
// only the smaller half on the list: the states of any block move into the
// parent either all or not at all, so the larger half splits nothing that
// the parent and the smaller half have not split already.
#include "automaton/minimize.h"

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <limits>
#include <numeric>
#include <vector>

#include "regex/symbols.h"

namespace tarnwick {

namespace {

struct InverseMove {
  int32_t source;
  int32_t column;  // 0 for end of input, else the class number
};

class Refiner {
 public:
  explicit Refiner(const Dfa& dfa) : dfa_(dfa), n_(dfa.states.size()) {
    BuildInverse();
    InitialPartition();
  }

  void Run() {
    std::vector<int32_t> members;
    while (!work_.empty()) {
      const int32_t b = work_.back();
      work_.pop_back();
      // B itself may be split while its predecessors are marked.
      members.assign(elems_.begin() + first_[static_cast<std::size_t>(b)],
                     elems_.begin() + end_[static_cast<std::size_t>(b)]);
      for (int32_t t : members) {
        for (std::size_t k = inBegin_[static_cast<std::size_t>(t)];
             k < inBegin_[static_cast<std::size_t>(t) + 1]; ++k) {
          const InverseMove& move = inverse_[k];
          auto& bucket = buckets_[static_cast<std::size_t>(move.column)];
          if (bucket.empty()) columns_.push_back(move.column);
          bucket.push_back(move.source);
        }
      }
      for (int32_t column : columns_) {
        auto& bucket = buckets_[static_cast<std::size_t>(column)];
        // A state has one move per column, so no source comes twice.
        for (int32_t s : bucket)
          Mark(s);
        bucket.clear();
        for (int32_t x : touched_)
          Split(x);
        touched_.clear();
      }
      columns_.clear();
    }
  }

  std::unique_ptr<Dfa> Result() const {
    const std::size_t blocks = first_.size();
    constexpr int32_t kNone = std::numeric_limits<int32_t>::max();
    // Smallest position and smallest index of each block's members.
    std::vector<int32_t> minPosition(blocks, kNone);
    std::vector<int32_t> minIndex(blocks, kNone);
    for (std::size_t s = 0; s < n_; ++s) {
      const auto b = static_cast<std::size_t>(blockOf_[s]);
      minPosition[b] = std::min(minPosition[b], static_cast<int32_t>(s));
      minIndex[b] = std::min(minIndex[b], dfa_.states[s].index);
    }
    std::vector<int32_t> order(blocks);
    std::iota(order.begin(), order.end(), 0);
    std::sort(order.begin(), order.end(), [&](int32_t a, int32_t b) {
      return minPosition[static_cast<std::size_t>(a)] < minPosition[static_cast<std::size_t>(b)];
    });
    std::vector<int32_t> positionOf(blocks);
    for (std::size_t p = 0; p < blocks; ++p)
      positionOf[static_cast<std::size_t>(order[p])] = static_cast<int32_t>(p);
    std::vector<int32_t> byIndex(blocks);
    std::iota(byIndex.begin(), byIndex.end(), 0);
    std::sort(byIndex.begin(), byIndex.end(), [&](int32_t a, int32_t b) {
      return minIndex[static_cast<std::size_t>(a)] < minIndex[static_cast<std::size_t>(b)];
    });

    auto out = std::make_unique<Dfa>();
    out->charset = dfa_.charset ? dfa_.charset->Clone() : nullptr;
    out->states.resize(blocks);
    for (std::size_t rank = 0; rank < blocks; ++rank) {
      const auto b = static_cast<std::size_t>(byIndex[rank]);
      out->states[static_cast<std::size_t>(positionOf[b])].index = static_cast<int32_t>(rank);
    }
    for (std::size_t p = 0; p < blocks; ++p) {
      const auto b = static_cast<std::size_t>(order[p]);
      const DfaState& representative = dfa_.states[static_cast<std::size_t>(minPosition[b])];
      DfaState& state = out->states[p];
      state.final = representative.final;
      state.label = representative.label;
      state.moves = representative.moves;
      for (DfaMove& move : state.moves) {
        move.target =
            positionOf[static_cast<std::size_t>(blockOf_[static_cast<std::size_t>(move.target)])];
      }
    }
    out->start =
        positionOf[static_cast<std::size_t>(blockOf_[static_cast<std::size_t>(dfa_.start)])];
    return out;
  }

 private:
  static int32_t ColumnOf(int32_t symbol) { return symbol == kEofSymbol ? 0 : symbol; }

  void BuildInverse() {
    int32_t columns = 1;
    inBegin_.assign(n_ + 1, 0);
    for (const DfaState& state : dfa_.states) {
      for (const DfaMove& move : state.moves) {
        ++inBegin_[static_cast<std::size_t>(move.target) + 1];
        columns = std::max(columns, ColumnOf(move.symbol) + 1);
      }
    }
    std::partial_sum(inBegin_.begin(), inBegin_.end(), inBegin_.begin());
    inverse_.resize(inBegin_[n_]);
    std::vector<std::size_t> fill(inBegin_.begin(), inBegin_.end() - 1);
    for (std::size_t s = 0; s < n_; ++s) {
      for (const DfaMove& move : dfa_.states[s].moves) {
        inverse_[fill[static_cast<std::size_t>(move.target)]++] = {static_cast<int32_t>(s),
                                                                   ColumnOf(move.symbol)};
      }
    }
    buckets_.resize(static_cast<std::size_t>(columns));
  }

  // One block per accepted rule (and one for the states accepting none).
  void InitialPartition() {
    elems_.resize(n_);
    std::iota(elems_.begin(), elems_.end(), 0);
    std::stable_sort(elems_.begin(), elems_.end(), [&](int32_t a, int32_t b) {
      return dfa_.states[static_cast<std::size_t>(a)].final <
             dfa_.states[static_cast<std::size_t>(b)].final;
    });
    loc_.resize(n_);
    blockOf_.resize(n_);
    for (std::size_t i = 0; i < n_; ++i) {
      const auto s = static_cast<std::size_t>(elems_[i]);
      loc_[s] = static_cast<int32_t>(i);
      if (i == 0 ||
          dfa_.states[s].final != dfa_.states[static_cast<std::size_t>(elems_[i - 1])].final) {
        NewBlock(static_cast<int32_t>(i));
      }
      blockOf_[s] = static_cast<int32_t>(first_.size() - 1);
      end_.back() = static_cast<int32_t>(i + 1);
    }
  }

  int32_t NewBlock(int32_t begin) {
    const auto b = static_cast<int32_t>(first_.size());
    first_.push_back(begin);
    mid_.push_back(begin);
    end_.push_back(begin);
    work_.push_back(b);
    return b;
  }

  // Moves s into the marked front part of its block.
  void Mark(int32_t s) {
    const auto b = static_cast<std::size_t>(blockOf_[static_cast<std::size_t>(s)]);
    const int32_t at = loc_[static_cast<std::size_t>(s)];
    const int32_t to = mid_[b]++;
    if (to == first_[b]) touched_.push_back(static_cast<int32_t>(b));
    const int32_t other = elems_[static_cast<std::size_t>(to)];
    elems_[static_cast<std::size_t>(to)] = s;
    elems_[static_cast<std::size_t>(at)] = other;
    loc_[static_cast<std::size_t>(s)] = to;
    loc_[static_cast<std::size_t>(other)] = at;
  }

  // Splits block b into its marked and unmarked parts; the smaller part
  // becomes a new block, which goes on the work list.
  void Split(int32_t block) {
    const auto b = static_cast<std::size_t>(block);
    const int32_t first = first_[b];
    const int32_t mid = mid_[b];
    const int32_t end = end_[b];
    mid_[b] = first;
    if (mid == end) return;
    int32_t from = first;
    int32_t to = mid;
    if (mid - first <= end - mid) {
      first_[b] = mid;
    } else {
      from = mid;
      to = end;
      end_[b] = mid;
    }
    mid_[b] = first_[b];
    const int32_t fresh = NewBlock(from);
    end_[static_cast<std::size_t>(fresh)] = to;
    for (int32_t i = from; i < to; ++i)
      blockOf_[static_cast<std::size_t>(elems_[static_cast<std::size_t>(i)])] = fresh;
  }

  const Dfa& dfa_;
  std::size_t n_;
  std::vector<std::size_t> inBegin_;        // per target, plus one end
  std::vector<InverseMove> inverse_;        // moves grouped by target
  std::vector<int32_t> elems_;              // states, block by block
  std::vector<int32_t> loc_;                // per state: its place in elems_
  std::vector<int32_t> blockOf_;            // per state
  std::vector<int32_t> first_, mid_, end_;  // per block: [first, mid) is marked
  std::vector<int32_t> work_;
  std::vector<std::vector<int32_t>> buckets_;  // sources per column
  std::vector<int32_t> columns_;               // columns with a non-empty bucket
  std::vector<int32_t> touched_;               // blocks with marked states
};

}  // namespace

std::unique_ptr<Dfa> MinimizeDfa(const Dfa& dfa) {
  if (dfa.states.empty()) {
    auto empty = std::make_unique<Dfa>();
    empty->charset = dfa.charset ? dfa.charset->Clone() : nullptr;
    return empty;
  }
  Refiner refiner(dfa);
  refiner.Run();
  return refiner.Result();
}

}  // namespace tarnwick
