// FixedLength: the one length in bytes of every text a syntax tree matches,
// when there is one.
//
// Trailing context is exact only where one side of the `/` has a fixed
// length: the engine then cuts the match at a known place. The end of input
// counts as no byte. A tree that matches no text at all has no length.
#pragma once

#include <cstdint>
#include <optional>

#include "regex/regex_node.h"

namespace tarnwick {

std::optional<int64_t> FixedLength(const RegexNode& tree);

}  // namespace tarnwick
