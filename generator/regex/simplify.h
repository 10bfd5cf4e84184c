// Simplification of the rules' syntax trees before NFA construction.
//
// Flattens nested operators of one kind, drops empty parts of sequences and
// replaces one-child sequences and alternatives by that child, without
// recursing per tree level.
#pragma once

#include <memory>

#include "regex/regex_node.h"

namespace tarnwick {

// Simplifies every rule tree under an OR root in place; the root itself stays.
// Clears root.charset->operandSets first, since simplification frees nodes listed there.
void SimplifyRules(RegexNode& root);

// Gives the node that takes `node`'s place.
std::unique_ptr<RegexNode> SimplifyNode(std::unique_ptr<RegexNode> node);

}  // namespace tarnwick
