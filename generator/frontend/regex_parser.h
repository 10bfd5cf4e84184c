// ParseRegex: one rule's regular expression to a syntax tree over classes.
//
// The expression is read in one left-to-right pass with an operand stack and
// an operator stack (operator precedence). Concatenation has no character of
// its own: every operand brings an implicit AND, and an Epsilon stands in
// wherever an operand is due but missing, so every AND and OR finds a left
// operand. Each operand's byte set (in UTF-8 mode its character set) is
// widened for case-insensitive lexers and refined into the root's class map
// at once, so the tree holds class numbers.
#pragma once

#include <string_view>

#include "base/case_table.h"
#include "base/errors.h"
#include "regex/lexer_states.h"
#include "regex/regex_node.h"

namespace tarnwick {

// Parses the expression at the start of `text` (a rule line) and appends the
// rule's tree to root.children. Returns the 1-based position of the `{` that
// ends the expression, or text.size() + 1 when there is none.
//
// With kUtf8Mode in root.flags the text is UTF-8 and operands are sets of
// characters (RefineCharacters); otherwise every byte is a character.
//
// On error returns 0 with error.ErrorNumber (and for some, ErrorArg1) set; nothing is appended to
// root.children and root.operandSets is cut back to its length at the call's
// start (the failed rule's operand nodes are gone). Class splits that the
// failed rule caused stay in the map; earlier operands remain exact unions.
//
// With kContextMode in root.flags a leading `^` makes the rule a line-start
// rule, a trailing `$` adds the line end (LF, CR LF or the end of input) as
// trailing context, and the first `/` outside groups, quotes and classes
// splits the rule into r/s; the tree is then r followed by s and `shape`
// says how the engine cuts the match back to r. Without the mode these are
// plain characters, and `shape` notes where they stand as operators would.
struct RuleShape {
  bool lineStart = false;
  RuleCut cut;
  bool plainContext = false;  // `^`, `$` or `/` where context mode would read operators
};

int ParseRegex(RegexNode& root, std::string_view text, const CaseTable& cases, ErrorState& error,
               RuleShape* shape = nullptr);

}  // namespace tarnwick
