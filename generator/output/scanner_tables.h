// Layer output: what is written from the DFA: the scanner tables (this
// header), the dot file and the Graphviz step. Uses base, regex and
// automaton.
//
// WriteScannerTables: the DataSection that describes the DFA to the runtime
// include, appended after the translated definition lines.
//
// Three tables: the class of every byte, one row per state (the move on end of
// input in column 0, class k in column k, then the accepting rule's action
// procedure), and the start state with the row width. A state's number is its
// position in Dfa::states.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "automaton/dfa.h"
#include "base/text_sink.h"
#include "regex/lexer_states.h"

namespace tarnwick {

// Appends the lines from "DataSection" to "EndDataSection", each ending in
// CR LF, to `out`.
void WriteScannerTables(const Dfa& dfa, TextSink& out);

// The same, and for a DFA with several starts (Dfa::starts) two tables more
// after __yylexer_info, which the engine reads only in a source that defines
// #__yylexerStartTable:
//   __yylexer_starts: one line with the number of start conditions C, then
//     per condition a line "start state, start state at a line start";
//   __yylexer_cut: per state a line "kind, length" that says how a match
//     ending there is cut back to its token (CutKind of its rule, `cuts`).
void WriteScannerTables(const Dfa& dfa, const std::vector<RuleCut>& cuts, TextSink& out);

class TextCursor;

// The __yylexer_info table (start state and row width) alone, from its blank
// line on (both layouts write it alike).
void PutInfoTable(TextCursor& out, int64_t start, int64_t columns);

// The __yylexer_starts table alone, from its blank line on (both layouts
// write it alike).
void WriteStartTable(const Dfa& dfa, TextSink& out);

}  // namespace tarnwick
