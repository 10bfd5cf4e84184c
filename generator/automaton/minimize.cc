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
#include <memory>
#include <numeric>
#include <span>
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
    while (!work_.empty()) {
      const int32_t b = work_.back();
      work_.pop_back();
      // The sources of the moves into B, grouped by column with a counting
      // sort into one reused array. Both passes over B's states end before
      // the first split can move them.
      const auto block = static_cast<std::size_t>(b);
      const std::span<const int32_t> members(elems_.data() + first_[block],
                                             elems_.data() + end_[block]);
      for (int32_t t : members) {
        for (std::size_t k = inBegin_[static_cast<std::size_t>(t)];
             k < inBegin_[static_cast<std::size_t>(t) + 1]; ++k) {
          const auto column = static_cast<std::size_t>(inverse_[k].column);
          if (columnEnd_[column]++ == 0) columns_.push_back(inverse_[k].column);
        }
      }
      std::size_t total = 0;
      for (int32_t column : columns_) {
        const auto c = static_cast<std::size_t>(column);
        total += columnEnd_[c];
        columnEnd_[c] = total;
      }
      if (sources_.size() < total) sources_.resize(total);
      for (auto t = members.rbegin(); t != members.rend(); ++t) {
        for (std::size_t k = inBegin_[static_cast<std::size_t>(*t) + 1];
             k > inBegin_[static_cast<std::size_t>(*t)]; --k) {
          const InverseMove& move = inverse_[k - 1];
          sources_[--columnEnd_[static_cast<std::size_t>(move.column)]] = move.source;
        }
      }
      // columnEnd_[c] is now where column c's sources begin.
      for (std::size_t i = 0; i < columns_.size(); ++i) {
        const auto c = static_cast<std::size_t>(columns_[i]);
        const std::size_t begin = columnEnd_[c];
        const std::size_t end =
            i + 1 < columns_.size() ? columnEnd_[static_cast<std::size_t>(columns_[i + 1])] : total;
        columnEnd_[c] = 0;
        // A state has one move per column, so no source comes twice.
        for (std::size_t k = begin; k < end; ++k)
          Mark(sources_[k]);
        for (int32_t x : touched_)
          Split(x);
        touched_.clear();
      }
      columns_.clear();
    }
  }

  std::size_t BlockCount() const { return first_.size(); }
  // The block of every state, by position.
  const std::vector<int32_t>& BlockOf() const { return blockOf_; }

 private:
  static int32_t ColumnOf(int32_t symbol) { return symbol == kEofSymbol ? 0 : symbol; }

  // The moves by target, in one block that is written once (no zero fill:
  // a large DFA has millions of moves).
  void BuildInverse() {
    inBegin_.assign(n_ + 1, 0);
    std::size_t moves = 0;
    for (const DfaState& state : dfa_.states) {
      moves += state.moves.size();
      for (const DfaMove& move : state.moves)
        ++inBegin_[static_cast<std::size_t>(move.target) + 1];
    }
    std::partial_sum(inBegin_.begin(), inBegin_.end(), inBegin_.begin());
    inverse_ = std::make_unique_for_overwrite<InverseMove[]>(moves);
    // inBegin_[t] runs up to the end of t's range; shifted back afterwards.
    for (std::size_t s = 0; s < n_; ++s) {
      for (const DfaMove& move : dfa_.states[s].moves) {
        inverse_[inBegin_[static_cast<std::size_t>(move.target)]++] = {static_cast<int32_t>(s),
                                                                       ColumnOf(move.symbol)};
      }
    }
    std::copy_backward(inBegin_.begin(), inBegin_.end() - 1, inBegin_.end());
    inBegin_[0] = 0;
    const int32_t classes = dfa_.charset ? dfa_.charset->classCount : kMaxClass;
    columnEnd_.assign(static_cast<std::size_t>(classes) + 1, 0);
  }

  // One block per accepted rule (and one for the states accepting none),
  // laid out by a counting sort over the rule numbers.
  void InitialPartition() {
    int32_t maxFinal = -1;
    for (const DfaState& state : dfa_.states)
      maxFinal = std::max(maxFinal, state.final);
    // Slot f + 1 counts the states accepting f; -1 (none) is slot 0.
    std::vector<int32_t> begin(static_cast<std::size_t>(maxFinal) + 3, 0);
    for (const DfaState& state : dfa_.states)
      ++begin[static_cast<std::size_t>(state.final) + 2];
    std::partial_sum(begin.begin(), begin.end(), begin.begin());
    std::vector<int32_t> blockOfSlot(begin.size() - 1, -1);
    for (std::size_t slot = 0; slot + 1 < begin.size(); ++slot) {
      if (begin[slot] == begin[slot + 1]) continue;
      blockOfSlot[slot] = NewBlock(begin[slot]);
      end_.back() = begin[slot + 1];
    }
    elems_.resize(n_);
    loc_.resize(n_);
    blockOf_.resize(n_);
    for (std::size_t s = 0; s < n_; ++s) {
      const auto slot = static_cast<std::size_t>(dfa_.states[s].final + 1);
      const int32_t at = begin[slot]++;
      elems_[static_cast<std::size_t>(at)] = static_cast<int32_t>(s);
      loc_[s] = at;
      blockOf_[s] = blockOfSlot[slot];
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
  std::unique_ptr<InverseMove[]> inverse_;  // moves grouped by target
  std::vector<int32_t> elems_;              // states, block by block
  std::vector<int32_t> loc_;                // per state: its place in elems_
  std::vector<int32_t> blockOf_;            // per state
  std::vector<int32_t> first_, mid_, end_;  // per block: [first, mid) is marked
  std::vector<int32_t> work_;
  std::vector<std::size_t> columnEnd_;  // per column: counts, then ranges in sources_
  std::vector<int32_t> sources_;        // sources of the moves into a block, by column
  std::vector<int32_t> columns_;        // columns with moves into the block
  std::vector<int32_t> touched_;        // blocks with marked states
};

}  // namespace

void MinimizeDfa(Dfa& dfa) {
  if (dfa.states.empty()) return;
  Refiner refiner(dfa);
  refiner.Run();
  const std::size_t blocks = refiner.BlockCount();
  const std::vector<int32_t>& blockOf = refiner.BlockOf();

  // Blocks ranked by their members' smallest position, and by their smallest
  // index: walking the states in either order, a block takes the next rank
  // when its first member comes by. Indices are a permutation of 0..n-1.
  const std::size_t n = dfa.states.size();
  std::vector<int32_t> minPosition(blocks, -1);
  std::vector<int32_t> positionOf(blocks);
  int32_t next = 0;
  for (std::size_t s = 0; s < n; ++s) {
    const auto b = static_cast<std::size_t>(blockOf[s]);
    if (minPosition[b] >= 0) continue;
    minPosition[b] = static_cast<int32_t>(s);
    positionOf[b] = next++;
  }
  std::vector<int32_t> stateAtIndex(n);
  for (std::size_t s = 0; s < n; ++s)
    stateAtIndex[static_cast<std::size_t>(dfa.states[s].index)] = static_cast<int32_t>(s);
  std::vector<int32_t> indexOf(blocks, -1);
  next = 0;
  for (int32_t s : stateAtIndex) {
    int32_t& rank = indexOf[static_cast<std::size_t>(blockOf[static_cast<std::size_t>(s)])];
    if (rank < 0) rank = next++;
  }

  // Each block becomes its first member, which keeps its label and moves.
  // Members come in increasing position order, and a block's first member
  // stands at or after the block's new position, so the states can be moved
  // down in place.
  std::vector<int32_t> blockAt(blocks);
  for (std::size_t b = 0; b < blocks; ++b)
    blockAt[static_cast<std::size_t>(positionOf[b])] = static_cast<int32_t>(b);
  for (std::size_t p = 0; p < blocks; ++p) {
    const auto b = static_cast<std::size_t>(blockAt[p]);
    const auto from = static_cast<std::size_t>(minPosition[b]);
    if (from != p) dfa.states[p] = std::move(dfa.states[from]);
    DfaState& state = dfa.states[p];
    state.index = indexOf[b];
    for (DfaMove& move : state.moves) {
      move.target =
          positionOf[static_cast<std::size_t>(blockOf[static_cast<std::size_t>(move.target)])];
    }
  }
  dfa.start = positionOf[static_cast<std::size_t>(blockOf[static_cast<std::size_t>(dfa.start)])];
  for (int32_t& start : dfa.starts)
    start = positionOf[static_cast<std::size_t>(blockOf[static_cast<std::size_t>(start)])];
  dfa.states.resize(blocks);
}

}  // namespace tarnwick
