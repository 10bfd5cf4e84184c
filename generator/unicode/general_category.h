// General categories by name, as bracket classes name them: a two-letter
// category (Lu, Nd, ...) or a one-letter group (L, M, N, P, S, Z, C), which
// is the union of the categories whose name begins with that letter.
#pragma once

#include <string_view>

#include "unicode/code_point_set.h"

namespace tarnwick::unicode {

// Adds the characters of the category `name` (case-sensitive) to `set`;
// false, with `set` unchanged, for a name that is no category.
bool AddGeneralCategory(std::string_view name, CodePointSet& set);

}  // namespace tarnwick::unicode
