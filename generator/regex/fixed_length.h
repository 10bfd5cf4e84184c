// FixedLength: the one length in bytes of every text a syntax tree matches,
// when there is one.
//
// The end of input counts as no byte. A tree that matches no text at all
// (an empty class, or a sequence with one) has no length.
#pragma once

#include <cstdint>
#include <optional>

#include "regex/regex_node.h"

namespace tarnwick {

std::optional<int64_t> FixedLength(const RegexNode& tree);

}  // namespace tarnwick
