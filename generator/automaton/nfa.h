// BuildNfa: one nondeterministic automaton for all rules of a lexer.
//
// Every rule's fragment starts at the one start state and ends in a state that
// accepts the rule's number. States are labelled (rule, number) in the order
// they are made, depth first. The tree is walked with an explicit stack.
#pragma once

#include <memory>

#include "automaton/automaton.h"
#include "regex/regex_node.h"

namespace tarnwick {

// The automaton holds a clone of the root's class map; the root keeps its own.
std::unique_ptr<Automaton> BuildNfa(const RegexNode& root);

}  // namespace tarnwick
