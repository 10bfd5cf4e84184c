// RefineClasses: keeps the class map exact while operands are parsed.
//
// Each operand (a character, a bracket class, the dot) is a set of bytes; in
// UTF-8 mode each byte position of an operand's encodings is. The refiner
// splits existing classes so that every operand seen so far is a union
// of whole classes, patches the operand ORs handed out earlier when one of
// their classes splits, and returns the new operand as an OR of class leaves.
#pragma once

#include <array>
#include <memory>

#include "regex/regex_node.h"

namespace tarnwick {

using ByteSet = std::array<bool, 256>;

// Returns a new OR node (owned by the caller, also listed in root.charset->operandSets)
// with one leaf per class the operand touches, in ascending class order.
std::unique_ptr<RegexNode> RefineClasses(RegexNode& root, const ByteSet& operand);

}  // namespace tarnwick
