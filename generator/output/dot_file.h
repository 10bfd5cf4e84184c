// The DFA as a Graphviz graph in the dot language.
//
// Every state is a record node named S<index> that shows its index, whether
// it is the start state and which rule it accepts. All moves from one state to
// one target become a single edge whose label lists the input symbols (bytes
// 0..255, and 256 for end of input) as maximal runs, lowest first. Node blocks
// follow the order of Dfa::states; edges leave each node in increasing order
// of the target's index.
#pragma once

#include <string>

#include "automaton/dfa.h"

namespace tarnwick {

// How one input symbol 0..256 appears in an edge label; empty outside that
// range.
std::string SymbolLabel(int symbol);

// The whole file: the UTF-8 byte-order mark, then CR LF lines.
std::string DotFileText(const Dfa& dfa);

// Creates or replaces `path` with DotFileText; false when it could not be
// written.
bool WriteDotFile(const Dfa& dfa, const std::string& path);

}  // namespace tarnwick
