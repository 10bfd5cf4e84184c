// The preview's output line for one token, e.g.
//   rule 0  line 1  col 4  "12"
//   error  line 3  col 9  "\x01"
//   eof  line 4  col 1
// The text is quoted with C-style escapes (\" \\ \n \r \t, \xHH for any other
// byte outside printable ASCII), so every token fits on one line and the
// output can be compared as plain text. In UTF-8 mode a well-formed
// multi-byte sequence is printed as it is; the bytes of malformed ones are
// still escaped.
#pragma once

#include <string>
#include <string_view>

#include "scan_engine.h"

namespace tarnwick_scan {

std::string EscapeText(std::string_view text, bool utf8 = false);
std::string FormatToken(const Token& token, std::string_view input, bool utf8 = false);

}  // namespace tarnwick_scan
