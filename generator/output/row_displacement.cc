// CompressRows in three steps: make the templates, reduce every state's row
// to what it stores (equal ones shared), and lay the rows into the comb, the
// fullest first, each at the lowest base where its entries find free slots
// (first fit).
//
// Templates are found without comparing rows pair by pair, which would be
// quadratic: each state is compared only with the few templates used last,
// and takes the one that leaves the fewest entries when that saves at least
// half of its row; otherwise its own row becomes a template.
#include "output/row_displacement.h"

#include <algorithm>
#include <bit>
#include <cstddef>
#include <functional>
#include <unordered_map>
#include <unordered_set>

#include "regex/symbols.h"

namespace tarnwick {

namespace {

constexpr int32_t kNone = -1;
// A template's entry that stands for the value of the state reading it
// (CompactRows::fill); replaced by CompactRows::fillValue at the end.
constexpr int32_t kFill = -2;

struct Entry {
  int32_t column;
  int32_t value;  // target + 1, or 0 for no move

  bool operator==(const Entry&) const = default;
};
using Row = std::vector<Entry>;

std::size_t HashOf(const Row& row) {
  std::size_t hash = row.size();
  for (const Entry& e : row)
    hash = hash * 1000003u ^
           (static_cast<std::size_t>(e.column) << 32 | static_cast<uint32_t>(e.value));
  return hash;
}

// The state's moves in column order, as the plain table would hold them;
// symbols outside the class range are dropped as there.
Row FullRow(const DfaState& state, int32_t columns) {
  Row row;
  row.reserve(state.moves.size());
  for (const DfaMove& move : state.moves) {
    const int32_t column = move.symbol == kEofSymbol ? 0 : move.symbol;
    if (column < 0 || column >= columns) continue;
    row.push_back({column, move.target + 1});
  }
  return row;
}

// The entries where `row` differs from `base` read with `fill` for kFill,
// valued as in `row` (0 where `row` has no move).
template <typename Out>
void Difference(const Row& row, const Row& base, int32_t fill, Out&& out) {
  std::size_t i = 0, j = 0;
  while (i < row.size() || j < base.size()) {
    if (j == base.size() || (i < row.size() && row[i].column < base[j].column)) {
      out(row[i++]);
    } else if (i == row.size() || base[j].column < row[i].column) {
      out(Entry{base[j++].column, 0});
    } else {
      const int32_t value = base[j].value == kFill ? fill : base[j].value;
      if (row[i].value != value) out(row[i]);
      ++i;
      ++j;
    }
  }
}

// How many entries Difference would give, counted only up to `limit`: the
// template search needs to know only whether a template beats the best so
// far, and most recent templates are far off, so counting stops early.
std::size_t DifferenceSize(const Row& row, const Row& base, int32_t fill, std::size_t limit) {
  std::size_t size = 0, i = 0, j = 0;
  while (size < limit && (i < row.size() || j < base.size())) {
    if (j == base.size() || (i < row.size() && row[i].column < base[j].column)) {
      ++i;
      ++size;
    } else if (i == row.size() || base[j].column < row[i].column) {
      ++j;
      ++size;
    } else {
      const int32_t value = base[j].value == kFill ? fill : base[j].value;
      size += row[i].value != value;
      ++i;
      ++j;
    }
  }
  return std::min(size, limit);
}

int32_t MostFrequentValue(const Row& row) {
  std::vector<int32_t> values;
  values.reserve(row.size());
  for (const Entry& e : row)
    values.push_back(e.value);
  std::sort(values.begin(), values.end());
  int32_t best = 0;
  std::size_t bestRun = 0;
  for (std::size_t i = 0; i < values.size();) {
    std::size_t j = i;
    while (j < values.size() && values[j] == values[i])
      ++j;
    if (j - i > bestRun) {
      bestRun = j - i;
      best = values[i];
    }
    i = j;
  }
  return best;
}

// The templates, and per state the template it falls back to (or kNone)
// and the value it reads for the template's kFill entries.
struct Templates {
  std::vector<Row> rows;
  std::vector<int32_t> of;
  std::vector<int32_t> fill;
  std::vector<bool> made;  // per state: the template was made from its row
};

// Each state is compared with the kRecent templates used last; the best one
// is taken when it saves entries, else the state's own row becomes a new
// template, its most frequent target turned into kFill so that states that
// move alike to another target can use it too.
Templates ChooseTemplates(const std::vector<Row>& rows) {
  constexpr std::size_t kRecent = 48;
  constexpr std::size_t kFewest = 2;    // rows of fewer entries gain too little to search
  constexpr std::size_t kMakeFrom = 4;  // nor do templates made of fewer
  constexpr std::size_t kNewBelow = 2;
  Templates out;
  out.of.assign(rows.size(), kNone);
  out.fill.assign(rows.size(), 0);
  out.made.assign(rows.size(), false);
  std::vector<int32_t> recent;  // template numbers, the last used first
  for (std::size_t s = 0; s < rows.size(); ++s) {
    const Row& row = rows[s];
    if (row.size() < kFewest) continue;
    const int32_t fill = MostFrequentValue(row);
    std::size_t best = recent.size(), bestSize = row.size();
    for (std::size_t k = 0; k < recent.size(); ++k) {
      const std::size_t size =
          DifferenceSize(row, out.rows[static_cast<std::size_t>(recent[k])], fill, bestSize);
      if (size < bestSize) {
        best = k;
        bestSize = size;
      }
    }
    int32_t chosen;
    if (best < recent.size() && bestSize * kNewBelow <= row.size()) {
      chosen = recent[best];
      recent.erase(recent.begin() + static_cast<std::ptrdiff_t>(best));
    } else if (row.size() < kMakeFrom) {
      continue;  // stored as it is: a template of it would save nothing later either
    } else {
      Row made = row;
      for (Entry& e : made)
        if (e.value == fill) e.value = kFill;
      chosen = static_cast<int32_t>(out.rows.size());
      out.rows.push_back(std::move(made));
      out.made[s] = true;
      if (recent.size() == kRecent) recent.pop_back();
    }
    recent.insert(recent.begin(), chosen);
    out.of[s] = chosen;
    out.fill[s] = fill;
  }
  return out;
}

// Lays rows into the comb; returns each row's base.
//
// The filled slots are also kept as bits, so that 64 bases are tried at
// once: for bases B..B+63, the OR over the row's entries of the 64 bits
// from B + column has a 0 exactly where the row fits.
class Comb {
 public:
  // How far back from the last base a search goes: 64 row widths.
  explicit Comb(int32_t columns) : columns_(columns), behind_(64 * int64_t{columns}) {}

  // `owner` is the row's number + 1, written to its slots' checks.
  int32_t Place(const Row& row, int32_t owner) {
    // Rows come fullest first, so a row rarely fits far before where the
    // one before it went: after kMaxSteps windows from the first free slot
    // (holes for sparse rows) the search goes on from a little before the
    // last row's base.
    int32_t base = -1;
    int64_t from = std::max<int64_t>(0, firstFree_ - row.front().column);
    for (int steps = 0; base < 0; ++steps, from += 64) {
      if (steps == kMaxSteps) from = std::max<int64_t>(from, lastBase_ - behind_);
      uint64_t taken = 0;
      for (const Entry& e : row) {
        taken |= Bits(from + e.column);
        if (taken == ~uint64_t{0}) break;
      }
      if (taken != ~uint64_t{0}) base = static_cast<int32_t>(from + std::countr_one(taken));
    }
    lastBase_ = base;
    Reach(base);
    for (const Entry& e : row) {
      const auto at = static_cast<std::size_t>(base + e.column);
      next_[at] = e.value;
      check_[at] = owner;
      filled_[at >> 6] |= uint64_t{1} << (at & 63);
    }
    while (static_cast<std::size_t>(firstFree_) < check_.size() &&
           check_[static_cast<std::size_t>(firstFree_)] != 0)
      ++firstFree_;
    return base;
  }

  // Makes the arrays reach a row width past `base`.
  void Reach(int32_t base) {
    const auto size = static_cast<std::size_t>(base) + static_cast<std::size_t>(columns_);
    if (check_.size() < size) {
      next_.resize(size, 0);
      check_.resize(size, 0);
      filled_.resize(size / 64 + 2, 0);
    }
  }
  // Hands the arrays over without the free slots at their end.
  void MoveInto(CompactRows& out) {
    std::size_t used = check_.size();
    while (used > 0 && check_[used - 1] == 0)
      --used;
    next_.resize(used);
    check_.resize(used);
    out.next = std::move(next_);
    out.check = std::move(check_);
  }

 private:
  // The fill bits of slots slot..slot+63 (bit 0 for `slot`); 0 past the end.
  uint64_t Bits(int64_t slot) const {
    const auto word = static_cast<std::size_t>(slot >> 6);
    const auto shift = static_cast<unsigned>(slot & 63);
    const uint64_t low = word < filled_.size() ? filled_[word] : 0;
    const uint64_t high = word + 1 < filled_.size() ? filled_[word + 1] : 0;
    return shift == 0 ? low : (low >> shift) | (high << (64 - shift));
  }

  static constexpr int kMaxSteps = 16;

  int32_t columns_;
  int64_t behind_;
  int32_t firstFree_ = 0;
  int64_t lastBase_ = 0;
  std::vector<int32_t> next_;
  std::vector<int32_t> check_;
  std::vector<uint64_t> filled_;  // bit per slot: filled
};

}  // namespace

CompactRows CompressRows(const Dfa& dfa) {
  CompactRows out;
  out.columns = (dfa.charset ? dfa.charset->classCount : 0) + 1;
  std::vector<Row> rows;
  rows.reserve(dfa.states.size());
  for (const DfaState& state : dfa.states)
    rows.push_back(FullRow(state, out.columns));
  Templates templates = ChooseTemplates(rows);

  // The numbered rows: the templates, then the states' stored rows, equal
  // ones once, in order of first appearance; the empty row last.
  std::vector<Row> numbered = std::move(templates.rows);
  out.row.resize(rows.size());
  out.fallback.assign(rows.size(), 0);
  out.fill.assign(rows.size(), 0);
  std::vector<std::size_t> emptyStates;
  // Rows by number, found by their content without a copy of it as key.
  auto hashOf = [&numbered](int32_t r) { return HashOf(numbered[static_cast<std::size_t>(r)]); };
  auto same = [&numbered](int32_t a, int32_t b) {
    return numbered[static_cast<std::size_t>(a)] == numbered[static_cast<std::size_t>(b)];
  };
  std::unordered_set<int32_t, decltype(hashOf), decltype(same)> known(16, hashOf, same);
  for (std::size_t s = 0; s < rows.size(); ++s) {
    Row stored;
    const int32_t t = templates.of[s];
    if (t != kNone && templates.made[s]) {
      // The template is the state's own row.
      out.row[s] = t;
      out.fill[s] = templates.fill[s];
      Row().swap(rows[s]);
      continue;
    }
    if (t == kNone) {
      stored = std::move(rows[s]);
    } else {
      Difference(rows[s], numbered[static_cast<std::size_t>(t)], templates.fill[s],
                 [&stored](const Entry& e) { stored.push_back(e); });
      out.fallback[s] = t + 1;
      out.fill[s] = templates.fill[s];
    }
    Row().swap(rows[s]);
    if (stored.empty()) {
      emptyStates.push_back(s);
      continue;
    }
    numbered.push_back(std::move(stored));
    auto [at, added] = known.insert(static_cast<int32_t>(numbered.size() - 1));
    if (!added) numbered.pop_back();
    out.row[s] = *at;
  }
  known.clear();
  const auto emptyRow = static_cast<int32_t>(numbered.size());
  for (std::size_t s : emptyStates)
    out.row[s] = emptyRow;

  std::vector<int32_t> order(numbered.size());
  for (std::size_t i = 0; i < order.size(); ++i)
    order[i] = static_cast<int32_t>(i);
  std::stable_sort(order.begin(), order.end(), [&numbered](int32_t a, int32_t b) {
    return numbered[static_cast<std::size_t>(a)].size() >
           numbered[static_cast<std::size_t>(b)].size();
  });
  Comb comb(out.columns);
  out.base.assign(numbered.size() + 1, 0);  // the empty row's base stays 0
  for (int32_t r : order)
    out.base[static_cast<std::size_t>(r)] =
        comb.Place(numbered[static_cast<std::size_t>(r)], r + 1);
  comb.Reach(0);
  comb.MoveInto(out);
  out.fillValue = static_cast<int32_t>(dfa.states.size()) + 1;
  for (int32_t& value : out.next)
    if (value == kFill) value = out.fillValue;
  return out;
}

}  // namespace tarnwick
