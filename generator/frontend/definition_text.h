// Text helpers of the definition reader: quote-aware search, comment
// stripping, directive words and the token-prefix substitution in actions.
//
// Positions follow the definition format's convention: 1-based, 0 for none.
// Only the space character is trimmed, never the tab.
#pragma once

#include <string>
#include <string_view>

namespace tarnwick {

// Bit 0 of FindOutsideQuotes' options: double and single quotes hide matches.
inline constexpr int kTrackQuotes = 1;

// The token prefix in action code: the section sign, one byte in
// Windows-1252, two in UTF-8.
inline constexpr std::string_view kTokenPrefix = "\xA7";
inline constexpr std::string_view kUtf8TokenPrefix = "\xC2\xA7";

// 1-based position of the first match of `pattern` at or after `start`
// (0-based) that stands outside quotes; 0 when there is none. No escapes:
// every quote not inside the other kind of quote switches.
std::size_t FindOutsideQuotes(std::string_view text, std::string_view pattern, int options,
                              std::size_t start);

// Removes spaces (not tabs) at both ends.
std::string_view TrimSpaces(std::string_view text);

// The line cut before its first ";" outside quotes, then space-trimmed.
std::string_view StripComment(std::string_view line);

bool IsWordChar(unsigned char c);

// "%" or a word character, followed by word characters; else empty.
std::string_view ReadDirectiveWord(std::string_view line);

// Replaces every token prefix outside quotes: followed by "<EOF>" in any
// letter case it becomes "#yyEOF", otherwise "#yyToken" joined to what
// follows, with `names` in place of "yy" there (a "%prefix" scanner's
// tokens; the end of input stays the engine's #yyEOF).
std::string SubstituteTokens(std::string_view action, std::string_view prefix = kTokenPrefix,
                             std::string_view names = "yy");

}  // namespace tarnwick
