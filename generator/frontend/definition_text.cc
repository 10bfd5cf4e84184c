// Quote-aware scanning of definition lines. The token substitution is done in
// one pass: the texts it inserts and removes hold neither quotes nor the
// prefix, so scanning on after a replacement sees the same quote state a
// fresh search from the start of the line would.
#include "frontend/definition_text.h"

#include "base/text.h"

namespace tarnwick {

namespace {

struct QuoteState {
  bool inDouble = false;
  bool inSingle = false;

  bool Outside() const { return !inDouble && !inSingle; }
  void Step(char c) {
    if (c == '"' && !inSingle) inDouble = !inDouble;
    if (c == '\'' && !inDouble) inSingle = !inSingle;
  }
};

}  // namespace

std::size_t FindOutsideQuotes(std::string_view text, std::string_view pattern, int options,
                              std::size_t start) {
  QuoteState quotes;
  for (std::size_t i = start; i < text.size(); ++i) {
    if (quotes.Outside() && text.substr(i, pattern.size()) == pattern) return i + 1;
    if (options & kTrackQuotes) quotes.Step(text[i]);
  }
  return 0;
}

std::string_view TrimSpaces(std::string_view text) {
  const std::size_t first = text.find_first_not_of(' ');
  if (first == std::string_view::npos) return {};
  const std::size_t last = text.find_last_not_of(' ');
  return text.substr(first, last - first + 1);
}

std::string_view StripComment(std::string_view line) {
  const std::size_t p = FindOutsideQuotes(line, ";", kTrackQuotes, 0);
  if (p > 0) line = line.substr(0, p - 1);
  return TrimSpaces(line);
}

bool IsWordChar(unsigned char c) {
  return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || c == '_';
}

std::string_view ReadDirectiveWord(std::string_view line) {
  if (line.empty()) return {};
  const auto first = static_cast<unsigned char>(line[0]);
  if (!IsWordChar(first) && first != '%') return {};
  std::size_t end = 1;
  while (end < line.size() && IsWordChar(static_cast<unsigned char>(line[end])))
    ++end;
  return line.substr(0, end);
}

std::string SubstituteTokens(std::string_view action, std::string_view prefix,
                             std::string_view names) {
  std::string out;
  out.reserve(action.size() + 16);
  QuoteState quotes;
  std::size_t i = 0;
  while (i < action.size()) {
    const char c = action[i];
    if (quotes.Outside() && action.substr(i, prefix.size()) == prefix) {
      i += prefix.size();
      if (StartsWithIgnoringAsciiCase(action.substr(i), "<EOF>")) {
        out += "#yyEOF";
        i += 5;
      } else {
        out += '#';
        out += names;
        out += "Token";
      }
      continue;
    }
    out += c;
    quotes.Step(c);
    ++i;
  }
  return out;
}

}  // namespace tarnwick
