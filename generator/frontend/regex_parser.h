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

#include <cstddef>
#include <map>
#include <string>
#include <string_view>

#include "base/case_table.h"
#include "base/errors.h"
#include "regex/lexer_states.h"
#include "regex/regex_node.h"

namespace tarnwick {

// Named definitions by name: the expression text of each "%define NAME
// expression". Names are case-sensitive.
using Definitions = std::map<std::string, std::string, std::less<>>;

// The parts (tree nodes) that counts and references may make in one
// definition, beyond which it is refused: written out, such a definition
// would exhaust memory long before the automaton's state limit stops it.
inline constexpr std::size_t kDefaultPartLimit = 2'000'000;
struct PartBudget {
  std::size_t limit;
  std::size_t left;
};

// What a parse reads besides its text.
struct ParseContext {
  const CaseTable& cases;
  // The definitions `{NAME}` may refer to.
  const Definitions* definitions = nullptr;
  // Null: a budget of kDefaultPartLimit for this parse alone.
  PartBudget* budget = nullptr;
  // While a definition's own expression is read: its name, which may not
  // appear in it.
  std::string_view defining = {};
};

// Parses the expression at the start of `text` (a rule line) and appends the
// rule's tree to root.children. Returns the 1-based position of the `{` that
// ends the expression, or text.size() + 1 when there is none.
//
// A `{` belongs to the expression when it begins `{NAME}` of a definition
// (an operand: the definition's expression as one group, read with the
// letter case in force where it stands) or, after an operand, a count `{n}`,
// `{n,}` or `{n,m}`. `{word}` naming no definition with more text after it is
// an error; every other `{` ends the expression. `(?i:r)` and `(?-i:r)` read
// r without and with regard to letter case.
//
// With kUtf8Mode in root.flags the text is UTF-8 and operands are sets of
// characters (RefineCharacters); otherwise every byte is a character.
//
// On error returns 0 with error.ErrorNumber (and for some, ErrorArg1) set; nothing is appended to
// root.children and root.charset->operandSets is cut back to its length at the call's
// start (the failed rule's operand nodes are gone). Class splits that the
// failed rule caused stay in the map; earlier operands remain exact unions.
//
// With kContextMode in root.flags a leading `^` makes the rule a line-start
// rule, a trailing `$` adds the line end (LF, CR LF or the end of input) as
// trailing context, and the first `/` outside groups, quotes and classes
// splits the rule into r/s; the tree is then r followed by s and `shape`
// says how the engine cuts the match back to r. Without the mode these are
// plain characters, and `shape` notes where they stand as operators would.
// Inside a definition's expression they are always plain characters.
struct RuleShape {
  bool lineStart = false;
  RuleCut cut;
  bool plainContext = false;  // `^`, `$` or `/` where context mode would read operators
};

int ParseRegex(RegexNode& root, std::string_view text, const ParseContext& context,
               ErrorState& error, RuleShape* shape = nullptr);
int ParseRegex(RegexNode& root, std::string_view text, const CaseTable& cases, ErrorState& error,
               RuleShape* shape = nullptr);

// Checks the expression of the definition `name` as ParseRegex would read it
// at a reference (a definition has no action: a `{` that is neither a
// reference nor a count is an error), without touching `root`, whose flags
// give the mode. Returns true, or false with the error set.
bool CheckDefinition(const RegexNode& root, std::string_view name, std::string_view text,
                     const ParseContext& context, ErrorState& error);

}  // namespace tarnwick
