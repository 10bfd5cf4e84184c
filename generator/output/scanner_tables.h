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

#include <string>

#include "automaton/dfa.h"

namespace tarnwick {

// Appends the lines from "DataSection" to "EndDataSection", each ending in
// CR LF, to `out`.
void WriteScannerTables(const Dfa& dfa, std::string& out);

}  // namespace tarnwick
