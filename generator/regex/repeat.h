// Repeat: the subtree of a counted repetition r{n}, r{n,}, r{n,m}.
//
// The count is written out: n copies of r in sequence, then for an upper
// bound m the m - n further copies as nested options (r(r(r)?)?)?, so that
// after any number of copies only one way on is open, or for no upper bound
// a last r+ (r* when n is 0). r{0} and r{0,0} are the empty text. The copies'
// operand ORs are listed in the class map's operandSets like every operand, so
// later class splits reach them; a dropped r is taken off that list.
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <optional>

#include "regex/regex_node.h"

namespace tarnwick {

// The number of nodes in the tree.
std::size_t CountNodes(const RegexNode& tree);

// `most` empty: no upper bound. Requires least <= most.
std::unique_ptr<RegexNode> Repeat(RegexNode& root, std::unique_ptr<RegexNode> operand,
                                  uint64_t least, std::optional<uint64_t> most);

}  // namespace tarnwick
