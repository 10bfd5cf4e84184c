// A literal, slow transcription of the textbook construction: recursive
// simplification and fragment building, epsilon elimination by walking every
// cycle-free epsilon path, and a recursive subset construction whose DFA
// states are labelled by sets of NFA state clones. Kept only to check that the
// fast construction builds the very same automata.
#pragma once

#include <memory>

#include "automaton/automaton.h"
#include "regex/regex_node.h"

namespace tarnwick::reference {

// Orders transitions by symbol alone: installed on grouping transitions so that
// one set holds one transition per symbol.
int CompareBySymbol(const Object& a, const Object& b);

std::unique_ptr<RegexNode> SimplifyNode(std::unique_ptr<RegexNode> node);
void SimplifyRules(RegexNode& root);
std::unique_ptr<Automaton> BuildNfa(const RegexNode& root);
void EliminateEpsilon(Automaton& nfa);
std::unique_ptr<Automaton> BuildDfa(Automaton& nfa);

}  // namespace tarnwick::reference
