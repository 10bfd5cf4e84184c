// Simple case folding (one character to one character) and the case
// widening of case-insensitive rules in UTF-8 mode.
#pragma once

#include "unicode/code_point_set.h"

namespace tarnwick::unicode {

// The simple case folding of c: c itself when it has none.
char32_t SimpleFold(char32_t c);

// Adds to `set` every character whose folding equals the folding of a
// member: Σ, σ and ς together; ſ, s and S; ẞ and ß. A member never pulls in
// more than one character per partner (ß does not bring "ss").
void WidenSimpleCase(CodePointSet& set);

}  // namespace tarnwick::unicode
