// ReadCompactRows: the moves, accepts and cuts of a "%compact" scanner,
// unpacked into the same ScannerTables a plain scanner gives.
//
// A move is looked up exactly as the engine does it (row, base, check, then
// the template row; see PBTarnwickInc.pbi), once per state and column, so the
// scan engine walks both layouts alike. Every base, fallback, slot value,
// rule and cut is checked before use: a probe outside the comb or a target
// or rule that names nothing is an error naming its line, never a crash.
#pragma once

#include <vector>

#include "scanner_tables.h"
#include "table_text.h"

namespace tarnwick_scan {

struct CompactLines {
  std::vector<DataLine> accept, row, fallback, base, next, check, rules;
  std::vector<DataLine> ruleCuts;  // empty without start tables
};

// `span` is #__yylexerSpan of the source (fallback = fill * span + template
// row + 1). Fills tables.next, tables.acceptedRule and, when `withCuts`, the per-state
// cuts; tables.columns must be set. Returns an empty error when sound.
TableRead ReadCompactRows(const CompactLines& lines, int64_t span, bool withCuts, int lastLine,
                          ScannerTables& tables);

}  // namespace tarnwick_scan
