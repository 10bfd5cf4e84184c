// A literal, slow transcription of the textbook construction: recursive
// simplification and fragment building, epsilon elimination by walking every
// cycle-free epsilon path, and a recursive subset construction whose DFA
// states are labelled by sets of NFA state clones. Kept only to check that the
// fast construction builds the very same automata.
#pragma once

#include <memory>
#include <string>

#include "automaton/automaton.h"
#include "automaton/dfa.h"
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

// A DFA of the fast construction as the textbook automaton would print it:
// labels as sets of the NFA states' texts ("{q0_0, q1_0}"), moves ordered by
// target label, then symbol.
std::string DfaToString(const Dfa& dfa, const Automaton& nfa);

}  // namespace tarnwick::reference
