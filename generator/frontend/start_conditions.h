// Start conditions in the definition: the "%state" and "%xstate" lines that
// declare them, and the rule prefixes `<A,B>` and `<*>` that name them.
//
// Names are letters, digits and `_`; INITIAL (number 0) always exists, and
// the declared ones are numbered from 1 in the order they come. A prefix is
// read only in a file that declares states, so `<a>` in any other file stays
// what the expression parser makes of it.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

#include "base/errors.h"
#include "regex/lexer_states.h"

namespace tarnwick {

// Adds the names listed in `names` (blank-separated) to `states` and writes
// their constants ("#yyStateA = 1 : #yyStateB = 2", `constantPrefix` in
// place of "yy") to `out`. Returns 0 on success, else an error number (with
// the offending name in `error`).
int DeclareStates(std::string_view names, bool exclusive, LexerStates& states, std::string& out,
                  ErrorState& error, std::string_view constantPrefix = "yy");

// Reads the prefix at the start of a rule's expression, if any, and gives
// the conditions the rule is active in (`conditions`, by number) and the
// prefix's length in `length` (0 without a prefix: INITIAL and every
// inclusive state). Returns 0, or an error number (with `error` filled).
int ReadRulePrefix(std::string_view rule, const LexerStates& states, std::vector<bool>& conditions,
                   std::size_t& length, ErrorState& error);

}  // namespace tarnwick
