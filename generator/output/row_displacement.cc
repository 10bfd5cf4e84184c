// CompressRows in three steps: choose each state's template, reduce every
// row to its stored entries (equal ones shared), and lay the distinct rows
// into the comb, the fullest first, each at the lowest base where its
// entries find free slots (first fit).
//
// Templates are chosen by a cheap guess instead of comparing every pair of
// rows, which would be quadratic: the state a row moves to most often (in a
// lexer, the identifier or number state that keyword and prefix states fall
// back to), and the last template whose row had the same most frequent
// target. The guess is taken when the difference is smaller than the row.
#include "output/row_displacement.h"

#include <algorithm>
#include <cstddef>
#include <functional>
#include <unordered_map>

#include "regex/symbols.h"

namespace tarnwick {

namespace {

struct Entry {
  int32_t column;
  int32_t value;  // target + 1, or 0 for no move

  bool operator==(const Entry&) const = default;
};
using Row = std::vector<Entry>;

struct RowHash {
  std::size_t operator()(const Row& row) const {
    std::size_t hash = row.size();
    for (const Entry& e : row)
      hash = hash * 1000003u ^
             (static_cast<std::size_t>(e.column) << 32 | static_cast<uint32_t>(e.value));
    return hash;
  }
};

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

// The entries where `row` differs from `base`, valued as in `row` (0 where
// `row` has no move); with `count` only their number.
template <typename Out>
void Difference(const Row& row, const Row& base, Out&& out) {
  std::size_t i = 0, j = 0;
  while (i < row.size() || j < base.size()) {
    if (j == base.size() || (i < row.size() && row[i].column < base[j].column)) {
      out(row[i++]);
    } else if (i == row.size() || base[j].column < row[i].column) {
      out(Entry{base[j++].column, 0});
    } else {
      if (row[i].value != base[j].value) out(row[i]);
      ++i;
      ++j;
    }
  }
}

std::size_t DifferenceSize(const Row& row, const Row& base) {
  std::size_t size = 0;
  Difference(row, base, [&size](const Entry&) { ++size; });
  return size;
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

constexpr int32_t kNone = -1;

// Per state the template it stores its difference to, or kNone.
std::vector<int32_t> ChooseTemplates(const std::vector<Row>& rows) {
  const auto count = static_cast<int32_t>(rows.size());
  std::vector<int32_t> templateOf(rows.size(), kNone);
  std::vector<bool> isTemplate(rows.size(), false);
  std::unordered_map<int32_t, int32_t> lastTemplateByMode;
  for (int32_t s = 0; s < count; ++s) {
    const Row& row = rows[static_cast<std::size_t>(s)];
    const int32_t mode = MostFrequentValue(row);
    if (!isTemplate[static_cast<std::size_t>(s)] && row.size() >= 2) {
      int32_t best = kNone;
      std::size_t bestSize = row.size();  // a template must save an entry
      auto consider = [&](int32_t candidate) {
        if (candidate == kNone || candidate >= count) return;
        if (templateOf[static_cast<std::size_t>(candidate)] != kNone) {
          candidate = templateOf[static_cast<std::size_t>(candidate)];
        }
        if (candidate == s) return;
        const std::size_t size = DifferenceSize(row, rows[static_cast<std::size_t>(candidate)]);
        if (size < bestSize) {
          best = candidate;
          bestSize = size;
        }
      };
      consider(mode - 1);
      auto last = lastTemplateByMode.find(mode);
      if (last != lastTemplateByMode.end()) consider(last->second);
      if (best != kNone) {
        templateOf[static_cast<std::size_t>(s)] = best;
        isTemplate[static_cast<std::size_t>(best)] = true;
        continue;
      }
    }
    isTemplate[static_cast<std::size_t>(s)] = true;
    lastTemplateByMode[mode] = s;
  }
  return templateOf;
}

// Lays rows into the comb; returns each row's base.
class Comb {
 public:
  explicit Comb(int32_t columns) : columns_(columns) {}

  int32_t Place(const Row& row) {
    int32_t base = std::max<int32_t>(0, firstFree_ - row.front().column);
    while (!Fits(row, base))
      ++base;
    for (const Entry& e : row) {
      const auto at = static_cast<std::size_t>(base + e.column);
      next_[at] = e.value;
      check_[at] = base + 1;
    }
    baseUsed_[static_cast<std::size_t>(base)] = true;
    while (static_cast<std::size_t>(firstFree_) < check_.size() &&
           check_[static_cast<std::size_t>(firstFree_)] != 0)
      ++firstFree_;
    return base;
  }

  // A base no row owns, for rows that store nothing: every probe there misses.
  int32_t FreeBase() {
    int32_t base = 0;
    while (static_cast<std::size_t>(base) < baseUsed_.size() &&
           baseUsed_[static_cast<std::size_t>(base)])
      ++base;
    Reach(base);
    return base;
  }

  void MoveInto(CompactRows& out) {
    // Reach() keeps the arrays a row width past every base handed out.
    out.next = std::move(next_);
    out.check = std::move(check_);
  }

 private:
  bool Fits(const Row& row, int32_t base) {
    Reach(base);
    if (baseUsed_[static_cast<std::size_t>(base)]) return false;
    for (const Entry& e : row) {
      if (check_[static_cast<std::size_t>(base + e.column)] != 0) return false;
    }
    return true;
  }
  void Reach(int32_t base) {
    const auto size = static_cast<std::size_t>(base) + static_cast<std::size_t>(columns_);
    if (check_.size() < size) {
      next_.resize(size, 0);
      check_.resize(size, 0);
      baseUsed_.resize(size, false);
    }
  }

  int32_t columns_;
  int32_t firstFree_ = 0;
  std::vector<int32_t> next_;
  std::vector<int32_t> check_;
  std::vector<bool> baseUsed_;
};

}  // namespace

CompactRows CompressRows(const Dfa& dfa) {
  CompactRows out;
  out.columns = (dfa.charset ? dfa.charset->classCount : 0) + 1;
  std::vector<Row> rows;
  rows.reserve(dfa.states.size());
  for (const DfaState& state : dfa.states)
    rows.push_back(FullRow(state, out.columns));
  const std::vector<int32_t> templateOf = ChooseTemplates(rows);

  // The stored rows, equal ones once, in order of first appearance.
  std::vector<Row> distinct;
  std::vector<int32_t> rowOf(rows.size(), kNone);
  std::unordered_map<Row, int32_t, RowHash> known;
  for (std::size_t s = 0; s < rows.size(); ++s) {
    Row stored;
    if (templateOf[s] == kNone) {
      stored = rows[s];
    } else {
      Difference(rows[s], rows[static_cast<std::size_t>(templateOf[s])],
                 [&stored](const Entry& e) { stored.push_back(e); });
    }
    if (stored.empty()) continue;
    auto [at, added] = known.try_emplace(std::move(stored), static_cast<int32_t>(distinct.size()));
    if (added) distinct.push_back(at->first);
    rowOf[s] = at->second;
  }
  known.clear();

  std::vector<int32_t> order(distinct.size());
  for (std::size_t i = 0; i < order.size(); ++i)
    order[i] = static_cast<int32_t>(i);
  std::stable_sort(order.begin(), order.end(), [&distinct](int32_t a, int32_t b) {
    return distinct[static_cast<std::size_t>(a)].size() >
           distinct[static_cast<std::size_t>(b)].size();
  });
  Comb comb(out.columns);
  std::vector<int32_t> baseOfRow(distinct.size());
  for (int32_t r : order)
    baseOfRow[static_cast<std::size_t>(r)] = comb.Place(distinct[static_cast<std::size_t>(r)]);
  const int32_t emptyBase = comb.FreeBase();
  comb.MoveInto(out);

  out.base.resize(rows.size());
  out.fallback.assign(rows.size(), 0);
  for (std::size_t s = 0; s < rows.size(); ++s) {
    out.base[s] = rowOf[s] == kNone ? emptyBase : baseOfRow[static_cast<std::size_t>(rowOf[s])];
  }
  for (std::size_t s = 0; s < rows.size(); ++s) {
    if (templateOf[s] != kNone)
      out.fallback[s] = out.base[static_cast<std::size_t>(templateOf[s])] + 1;
  }
  return out;
}

}  // namespace tarnwick
