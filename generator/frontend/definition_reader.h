// Layer frontend: the definition reader (this header) and the expression
// parser, which turn a definition file into scanner lines and syntax trees.
// Uses base, regex and unicode.
//
// ReadDefinition: the line-by-line translation of a definition into scanner
// source, and the rules' syntax trees.
//
// Every definition line yields exactly one output line (none after a third
// separator), so line N of the scanner comes from line N of the definition:
// declarations and user code pass through, the first separator becomes the
// line that includes the runtime, directives ("%nocase", "%userdata",
// "%minimize", "%compact", "%utf8", "%context"), the second separator and empty rule
// lines become empty lines, "%state" and "%xstate" lines the constants of the
// states they declare, "%define NAME expression" names an expression for the
// rules and later definitions to use as `{NAME}` (an empty line), and each
// rule becomes one action procedure (one line per line of its action) whose
// expression goes to the parser. Output lines end in CR LF.
//
// A definition that starts with the UTF-8 byte-order mark, or whose
// declarations hold a %utf8 line, is read in UTF-8 mode: the output starts
// with the mark, every line must be well-formed UTF-8, the token prefix is the
// section sign's two-byte UTF-8 form, and operands are characters.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "base/case_table.h"
#include "base/errors.h"
#include "frontend/regex_parser.h"
#include "regex/lexer_states.h"
#include "regex/regex_node.h"

namespace tarnwick {

inline constexpr std::string_view kIncludeLine = "XIncludeFile \"PBTarnwickInc.pbi\" : ";

// What the later steps need to know of a definition besides its rule trees.
struct DefinitionFacts {
  std::vector<int32_t> ruleLines;  // by rule number: the line the rule begins on
  int32_t separatorLine = 0;       // the first "%%" line; 0 when there is none
  int32_t lastLine = 0;            // the number of the definition's last line
  bool minimize = false;           // "%minimize" was given
  // "%compact" was given; the offset in the output where its (first) line's
  // text belongs.
  bool compact = false;
  std::size_t compactLineOffset = 0;
  // Start conditions, line anchors and trailing context ("%state",
  // "%xstate", "%context"); `states.enabled` when any of them was given.
  LexerStates states;
  // The first rule line where `^`, `$` or `/` stands as an operator would in
  // a file without "%context"; 0 for none.
  int32_t plainContextLine = 0;
  // "%prefix NAME": NAME, else empty. Such a source names its procedures,
  // labels and constants with NAME in place of "__yylexer" and "yy"; its
  // "%prefix" line marks it for the engine ("#__yylexerPrefixed = 1") and
  // its include line ends at `includeTailOffset`, where the scanner's own
  // declarations go once its tables are known.
  std::string prefix;
  std::size_t includeTailOffset = 0;
};

// Appends the translated lines to `out` and the rule trees to `root`.
// Returns 1, or 0 after recording the first error (with its line) in `error`.
int ReadDefinition(std::string_view definition, RegexNode& root, const CaseTable& cases,
                   std::string& out, ErrorState& error, DefinitionFacts& facts,
                   std::size_t partLimit = kDefaultPartLimit);

}  // namespace tarnwick
