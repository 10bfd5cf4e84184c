// CompressRows in three steps: make the templates, reduce every state's row
// to what it stores (equal ones shared), and lay the rows into the comb, the
// fullest first, each at the lowest base where its entries find free slots
// (first fit).
//
// Templates are found without comparing rows pair by pair, which would be
// quadratic: states are grouped by the target they move to most often, and
// a group's template holds, column by column, the move most of its members
// make. A state takes its group's template when that saves entries.
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

// The templates, and per state the template it falls back to or kNone.
struct Templates {
  std::vector<Row> rows;
  std::vector<int32_t> of;
};

Templates MakeTemplates(const std::vector<Row>& rows) {
  Templates out;
  out.of.assign(rows.size(), kNone);
  // Groups by most frequent value; a row of fewer than two entries gains
  // nothing from a template.
  std::unordered_map<int32_t, std::vector<int32_t>> groups;
  std::vector<int32_t> order;  // group keys in order of first appearance
  for (std::size_t s = 0; s < rows.size(); ++s) {
    if (rows[s].size() < 2) continue;
    auto [at, added] = groups.try_emplace(MostFrequentValue(rows[s]));
    if (added) order.push_back(at->first);
    at->second.push_back(static_cast<int32_t>(s));
  }
  std::vector<Entry> entries;
  for (int32_t key : order) {
    const std::vector<int32_t>& members = groups[key];
    if (members.size() < 2) continue;
    entries.clear();
    for (int32_t s : members) {
      const Row& row = rows[static_cast<std::size_t>(s)];
      entries.insert(entries.end(), row.begin(), row.end());
    }
    std::sort(entries.begin(), entries.end(), [](const Entry& a, const Entry& b) {
      return a.column != b.column ? a.column < b.column : a.value < b.value;
    });
    // Per column the value most members have, when more have it than have
    // no move there.
    Row made;
    for (std::size_t i = 0; i < entries.size();) {
      const int32_t column = entries[i].column;
      std::size_t best = 0, inColumn = 0;
      int32_t value = 0;
      while (i < entries.size() && entries[i].column == column) {
        std::size_t j = i;
        while (j < entries.size() && entries[j] == entries[i])
          ++j;
        if (j - i > best) {
          best = j - i;
          value = entries[i].value;
        }
        inColumn += j - i;
        i = j;
      }
      if (best >= 2 && best > members.size() - inColumn) made.push_back({column, value});
    }
    if (made.empty()) continue;
    const auto id = static_cast<int32_t>(out.rows.size());
    bool used = false;
    for (int32_t s : members) {
      const Row& row = rows[static_cast<std::size_t>(s)];
      if (DifferenceSize(row, made) < row.size()) {
        out.of[static_cast<std::size_t>(s)] = id;
        used = true;
      }
    }
    if (used) out.rows.push_back(std::move(made));
  }
  return out;
}

// Lays rows into the comb; returns each row's base.
class Comb {
 public:
  explicit Comb(int32_t columns) : columns_(columns) {}

  // `owner` is the row's number + 1, written to its slots' checks.
  int32_t Place(const Row& row, int32_t owner) {
    // Only bases that put the row's first entry on a free slot can fit, so
    // the search walks the free slots, skipping the filled ones in jumps.
    int32_t slot = FreeFrom(firstFree_);
    int32_t base = slot - row.front().column;
    while (base < 0 || !Fits(row, base)) {
      slot = FreeFrom(slot + 1);
      base = slot - row.front().column;
    }
    for (const Entry& e : row) {
      const auto at = static_cast<std::size_t>(base + e.column);
      next_[at] = e.value;
      check_[at] = owner;
      skip_[at] = base + e.column + 1;
    }
    firstFree_ = FreeFrom(firstFree_);
    return base;
  }

  // Makes the arrays reach a row width past `base`.
  void Reach(int32_t base) {
    const auto size = static_cast<std::size_t>(base) + static_cast<std::size_t>(columns_);
    if (check_.size() < size) {
      next_.resize(size, 0);
      check_.resize(size, 0);
      skip_.resize(size, 0);
    }
  }
  void MoveInto(CompactRows& out) {
    // Reach() keeps the arrays a row width past every base handed out.
    out.next = std::move(next_);
    out.check = std::move(check_);
  }

 private:
  bool Fits(const Row& row, int32_t base) {
    Reach(base);
    for (const Entry& e : row) {
      if (check_[static_cast<std::size_t>(base + e.column)] != 0) return false;
    }
    return true;
  }
  // The first free slot from `slot` on (past the arrays' end every slot is
  // free). A filled slot's skip points further on; the walk shortens the
  // jumps it took so that later walks take them at once.
  int32_t FreeFrom(int32_t slot) {
    const auto size = static_cast<int32_t>(check_.size());
    int32_t free = slot;
    while (free < size && check_[static_cast<std::size_t>(free)] != 0)
      free = skip_[static_cast<std::size_t>(free)];
    while (slot < free) {
      const int32_t further = skip_[static_cast<std::size_t>(slot)];
      skip_[static_cast<std::size_t>(slot)] = free;
      slot = further;
    }
    return free;
  }

  int32_t columns_;
  int32_t firstFree_ = 0;
  std::vector<int32_t> next_;
  std::vector<int32_t> check_;
  std::vector<int32_t> skip_;  // for filled slots: a later slot to look at next
};

}  // namespace

CompactRows CompressRows(const Dfa& dfa) {
  CompactRows out;
  out.columns = (dfa.charset ? dfa.charset->classCount : 0) + 1;
  std::vector<Row> rows;
  rows.reserve(dfa.states.size());
  for (const DfaState& state : dfa.states)
    rows.push_back(FullRow(state, out.columns));
  Templates templates = MakeTemplates(rows);

  // The numbered rows: the templates, then the states' stored rows, equal
  // ones once, in order of first appearance; the empty row last.
  std::vector<Row> numbered = std::move(templates.rows);
  out.row.resize(rows.size());
  out.fallback.assign(rows.size(), 0);
  std::vector<std::size_t> emptyStates;
  std::unordered_map<Row, int32_t, RowHash> known;
  for (std::size_t s = 0; s < rows.size(); ++s) {
    Row stored;
    const int32_t t = templates.of[s];
    if (t == kNone) {
      stored = std::move(rows[s]);
    } else {
      Difference(rows[s], numbered[static_cast<std::size_t>(t)],
                 [&stored](const Entry& e) { stored.push_back(e); });
      out.fallback[s] = t + 1;
    }
    Row().swap(rows[s]);
    if (stored.empty()) {
      emptyStates.push_back(s);
      continue;
    }
    auto [at, added] = known.try_emplace(std::move(stored), static_cast<int32_t>(numbered.size()));
    if (added) numbered.push_back(at->first);
    out.row[s] = at->second;
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
  return out;
}

}  // namespace tarnwick
