// WriteCompactTables: the DataSection of a "%compact" scanner.
//
// The moves are packed by CompressRows (row_displacement.h); each table is
// written with the narrowest unsigned Data type that holds its values
// (Data.a, Data.u or Data.l; a per-state table of zeros is left empty, size
// 0), and the engine learns those sizes from constants that must stand
// before the include:
//   __yylexer_charclass  the column of every byte
//   __yylexer_accept     per state: the accepted rule + 1, or 0
//   __yylexer_row        per state: its row
//   __yylexer_fallback   per state: fill * #__yylexerSpan + link, where
//                        link is its template row + 1 or 0, and fill the
//                        target + 1 that its template's fill entries
//                        (next = #__yylexerFillValue) stand for
//   __yylexer_base       per row: where it starts in the comb
//   __yylexer_next       per comb slot: the target + 1, or 0 for no move
//                        (#__yylexerSlots slots; a probe past them misses)
//   __yylexer_check      per comb slot: the owning row + 1, or 0
//   __yylexer_rules      per rule: the address of its action procedure (Data.i)
//   __yylexer_info       start state and row width, as in the plain layout
// and for a DFA with several starts the start table of the plain layout and
//   __yylexer_rulecut    per rule: cut kind and length (the plain layout
//                        keeps them per state)
//
// The constants name the tables' types, so they are known before any table
// text: the source holds them ahead of the tables, and the tables are written
// after that part is out.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "automaton/dfa.h"
#include "base/text_sink.h"
#include "output/row_displacement.h"
#include "regex/lexer_states.h"

namespace tarnwick {

class CompactTables {
 public:
  // Packs the moves of `dfa` (kept by reference until the last Write).
  CompactTables(const Dfa& dfa, const std::vector<RuleCut>& cuts, std::size_t ruleCount);

  // The constants line ("#__yylexerCompact = 1 : #__yylexerFillValue = N :
  // #__yylexerClassSize = 1 : ..."), which the caller puts before the
  // include.
  const std::string& Constants() const { return constants_; }

  // Appends the lines from "DataSection" to "EndDataSection".
  void Write(TextSink& out) const;

 private:
  const Dfa& dfa_;
  std::size_t ruleCount_;
  CompactRows rows_;
  std::vector<int32_t> classes_;
  std::vector<int32_t> accept_;
  std::vector<int64_t> links_;
  std::vector<int32_t> ruleCuts_;  // per rule: cut kind and length; only with several starts
  std::string constants_;
};

}  // namespace tarnwick
