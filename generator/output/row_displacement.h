// CompressRows: the moves of a DFA packed into a comb (row displacement),
// the layout of the compact tables ("%compact").
//
// A state's row is the next state for each column (0: end of input, k: class
// k). Rows are mostly empty or alike, so a state may store only how its row
// differs from a template row, made from the row of a state before it. A
// template's entries may be "fill" entries, which stand for one target given
// per state: the rows of a comment's or string's body, all columns to the
// state itself, or of keyword prefixes, all letters to the identifier state,
// then share one template. Templates and the states' stored rows are
// numbered rows;
// equal stored rows are one row. The rows' entries are laid into two shared
// arrays, `next` and `check`, each row at an offset `base` chosen so that no
// two rows claim the same slot; rows may share a base where their entries
// do not meet:
//
//   move(s, c): r = row[s], at = base[r] + c
//               check[at] == r + 1            -> next[at] - 1
//               else t = fallback[s], t != 0:  at = base[t - 1] + c
//                    check[at] == t           -> next[at] - 1
//               else no move (-1)
//   and a found next[at] == fillValue means fill[s] instead (only template
//   rows hold it; a state whose row is a template reads it as its own).
//
// Templates have no template of their own, so a move costs at most two
// probes, and a slot's check lets only its own row's entry through. Values
// are kept non-negative (targets and rows +1, 0 for none) so the narrowest
// unsigned type holds them; templates come first among the rows, which
// keeps the fallback values small. The arrays end at their last filled
// slot: a probe past the end is a miss.
#pragma once

#include <cstdint>
#include <vector>

#include "automaton/dfa.h"

namespace tarnwick {

struct CompactRows {
  int32_t columns = 1;            // row width: end of input plus the classes
  std::vector<int32_t> row;       // per state: its row
  std::vector<int32_t> fallback;  // per state: its template row + 1, or 0
  std::vector<int32_t> fill;      // per state: what its template's fill entries mean
  std::vector<int32_t> base;      // per row: where it starts in the comb
  std::vector<int32_t> next;      // per slot: target + 1, or 0 for no move
  std::vector<int32_t> check;     // per slot: the owning row + 1, or 0 when free
  int32_t fillValue = 0;          // the `next` value of a template's fill entry
};

CompactRows CompressRows(const Dfa& dfa);

}  // namespace tarnwick
