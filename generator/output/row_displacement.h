// CompressRows: the moves of a DFA packed into a comb (row displacement),
// the layout of the compact tables ("%compact").
//
// A state's row is the next state for each column (0: end of input, k: class
// k). Rows are mostly empty or alike, so each state stores only how its row
// differs from one other state's row, its template, and those few entries
// are laid into two shared arrays, `next` and `check`, at an offset `base`
// chosen so that no two rows claim the same slot:
//
//   move(s, c): at = base[s] + c
//               check[at] == base[s] + 1     -> next[at] - 1
//               else fallback[s] != 0:  at = fallback[s] - 1 + c
//                    check[at] == fallback[s] -> next[at] - 1
//               else no move (-1)
//
// A template never has a template of its own, so a move costs at most two
// probes. `check` names the owner of a slot by the owner's base, and two
// different rows never get the same base; states whose stored rows are
// equal share one base. Values are kept non-negative (targets, owners and
// templates +1, 0 for none) so the narrowest unsigned type holds them.
// Every probe stays inside the arrays: they reach past the highest base by
// the row width.
#pragma once

#include <cstdint>
#include <vector>

#include "automaton/dfa.h"

namespace tarnwick {

struct CompactRows {
  int32_t columns = 1;            // row width: end of input plus the classes
  std::vector<int32_t> base;      // per state
  std::vector<int32_t> fallback;  // per state: the template's base + 1, or 0
  std::vector<int32_t> next;      // per slot: target + 1, or 0 for no move
  std::vector<int32_t> check;     // per slot: the owner's base + 1, or 0 when free
};

CompactRows CompressRows(const Dfa& dfa);

}  // namespace tarnwick
