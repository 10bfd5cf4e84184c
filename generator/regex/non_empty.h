// WithoutEmptyText: a tree for the texts of a tree that are not empty.
//
// A rule with trailing context cuts its match back to the head r; where r
// matched the empty text the token would be empty and the engine would stand
// still, so that match must not count. Taking the empty text out of r in the
// tree leaves the automaton to offer that input to the rules below instead
// (a blank-line rule `^[ \t]*$` before a line-feed rule must not swallow the
// line feed of an empty line). The new tree is made of copies: operand ORs
// copied from registered ones are registered in the root as well, so later
// class splits reach them.
#pragma once

#include <memory>

#include "regex/regex_node.h"

namespace tarnwick {

// For a `tree` that matches the empty text: the tree of its other texts (an
// OR without children when there are none). nullptr when `tree` does not
// match the empty text, or when the copy would grow too large; the tree is
// then to be kept as it is.
std::unique_ptr<RegexNode> WithoutEmptyText(const RegexNode& tree, RegexNode& root);

// Takes the operand ORs of `tree` out of the root's registry, before the
// tree is released.
void Unregister(const RegexNode& tree, RegexNode& root);

}  // namespace tarnwick
