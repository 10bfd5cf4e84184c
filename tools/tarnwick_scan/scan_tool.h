// The tarnwick-scan command: reads a generated scanner source and an input
// file, and prints one line per token (token_format.h) to `out`.
//
//   tarnwick-scan [--utf8] [--skip RULES] [--state NAME] SCANNER.pbl INPUT
//
// --skip takes rule numbers separated by commas; their matches are scanned
// but not printed, as if their actions ended without returning a token.
// --utf8 skips a leading byte-order mark of INPUT and counts columns in UTF-8
// characters, as the runtime does for #PB_UTF8 input. --state starts in a
// start condition; the literal condition and yyLess calls of the action
// procedures are applied after each match (action_calls.h).
// Exit status: 0 after a complete scan, 2 for a bad command line or an
// unreadable file, 3 when SCANNER.pbl holds no valid scanner tables.
#pragma once

#include <iosfwd>
#include <string>
#include <vector>

namespace tarnwick_scan {

inline constexpr int kExitOk = 0;
inline constexpr int kExitUsage = 2;
inline constexpr int kExitBadScanner = 3;

// `args` excludes the program name.
int RunScanTool(const std::vector<std::string>& args, std::ostream& out, std::ostream& err);

}  // namespace tarnwick_scan
