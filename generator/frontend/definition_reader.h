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
// line that includes the runtime, directives, the second separator and empty
// rule lines become empty lines, and each rule becomes one action procedure
// (one line per line of its action) whose expression goes to the parser.
// Output lines end in CR LF.
//
// A definition that starts with the UTF-8 byte-order mark, or whose
// declarations hold a %utf8 line, is read in UTF-8 mode: the output starts
// with the mark, every line must be well-formed UTF-8, the token prefix is the
// section sign's two-byte UTF-8 form, and operands are characters.
#pragma once

#include <string>
#include <string_view>

#include "base/case_table.h"
#include "base/errors.h"
#include "regex/regex_node.h"

namespace tarnwick {

inline constexpr std::string_view kIncludeLine = "XIncludeFile \"PBTarnwickInc.pbi\" : ";

// Appends the translated lines to `out` and the rule trees to `root`.
// Returns 1, or 0 after recording the first error (with its line) in `error`.
int ReadDefinition(std::string_view definition, RegexNode& root, const CaseTable& cases,
                   std::string& out, ErrorState& error);

}  // namespace tarnwick
