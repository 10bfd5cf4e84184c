// BuildNfa: one nondeterministic automaton for all rules of a lexer.
//
// Every rule's fragment starts at the one start state and ends in a state that
// accepts the rule's number. States are labelled (rule, number) in the order
// they are made, depth first. The tree is walked with an explicit stack.
#pragma once

#include <memory>

#include "automaton/automaton.h"
#include "automaton/compact_nfa.h"
#include "regex/lexer_states.h"
#include "regex/regex_node.h"

namespace tarnwick {

// The automaton holds a clone of the root's class map; the root keeps its own.
std::unique_ptr<Automaton> BuildNfa(const RegexNode& root);

// With `states.enabled`, one start state per start condition and line-start
// flag instead: start k (k = 2 * condition + line start) is labelled
// (-1, k) and listed in Automaton::starts at k; every rule's fragment begins
// at an entry state of its own, which each start it is active in reaches by
// an epsilon move. Without `enabled` this is BuildNfa(root).
std::unique_ptr<Automaton> BuildNfa(const RegexNode& root, const LexerStates& states);

// The same automaton straight in its compact form, positions being the
// object automaton's state positions. Each rule's tree is released as soon as
// its fragment is built, so the trees and the automaton are never whole side
// by side; `root` keeps its class map and flags but loses its children and
// operand lists.
CompactNfa BuildCompactNfa(RegexNode& root, const LexerStates& states);

}  // namespace tarnwick
