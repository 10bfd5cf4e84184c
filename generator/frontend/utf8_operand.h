// RefineCharacters: the subtree of an operand in UTF-8 mode.
//
// An operand there is a set of characters. Its UTF-8 byte-range sequences
// become an alternative of concatenations whose leaves are operand ORs from
// RefineClasses, so the class map, the automata and the tables stay over
// bytes. Sequences that end alike share that end in the tree, which keeps the
// automaton small: every three-byte character of a category ends in the same
// states instead of in states of its own.
#pragma once

#include <memory>

#include "regex/regex_node.h"
#include "unicode/code_point_set.h"

namespace tarnwick {

// Matches exactly the shortest-form UTF-8 encodings of the set's members. An
// empty set gives an operand OR without leaves, as the empty class does; a set
// of ASCII characters gives a single operand OR, as in 8-bit mode.
std::unique_ptr<RegexNode> RefineCharacters(RegexNode& root, const unicode::CodePointSet& set);

}  // namespace tarnwick
