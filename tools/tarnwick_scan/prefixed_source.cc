// The renaming walks the source once: at each place where a name begins
// (no letter, digit or "_" before it) that starts with the prefix, the
// first rename that fits is applied; a constant that none fits is the
// engine's.
#include "prefixed_source.h"

#include <array>
#include <utility>

namespace tarnwick_scan {
namespace {

constexpr std::string_view kEngineName = "__yylexer";
constexpr std::string_view kClassLabel = "_charclass:";

bool IsNameChar(char c) {
  return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || c == '_';
}

// What follows the prefix, and what the prefix becomes before it.
constexpr std::array<std::pair<std::string_view, std::string_view>, 8> kRenames{{
    {"run", "__yylexerrun"},
    {"_", "__yylexer_"},
    {"State", "yyState"},
    {"Token", "yyToken"},
    {"Begin(", "yyBegin("},
    {"PushState(", "yyPushState("},
    {"PopState(", "yyPopState("},
    {"Less(", "yyLess("},
}};

}  // namespace

std::string ScannerPrefix(std::string_view source) {
  for (std::size_t at = source.find(kClassLabel); at != std::string_view::npos;
       at = source.find(kClassLabel, at + 1)) {
    std::size_t start = at;
    while (start > 0 && IsNameChar(source[start - 1]))
      --start;
    const std::size_t before = source.rfind('\n', start);
    const std::size_t lineStart = before == std::string_view::npos ? 0 : before + 1;
    bool blanksOnly = true;
    for (std::size_t i = lineStart; i < start; ++i)
      blanksOnly = blanksOnly && (source[i] == ' ' || source[i] == '\t');
    if (blanksOnly && start < at) return std::string(source.substr(start, at - start));
  }
  return {};
}

std::string UnprefixedSource(std::string_view source) {
  const std::string prefix = ScannerPrefix(source);
  if (prefix.empty() || prefix == kEngineName) return std::string(source);
  std::string out;
  out.reserve(source.size() + source.size() / 8);
  std::size_t i = 0;
  while (i < source.size()) {
    const bool nameStart = i == 0 || !IsNameChar(source[i - 1]);
    if (nameStart && source.substr(i, prefix.size()) == prefix) {
      const std::string_view rest = source.substr(i + prefix.size());
      bool renamed = false;
      for (const auto& [after, replacement] : kRenames) {
        if (rest.starts_with(after)) {
          out += replacement;
          i += prefix.size() + after.size();
          renamed = true;
          break;
        }
      }
      if (renamed) continue;
      // Any other constant of the prefix is one of the engine's
      // (#NAMECompact, #NAMESpan, #NAMEClassSize ...).
      if (i > 0 && source[i - 1] == '#') {
        out += kEngineName;
        i += prefix.size();
        continue;
      }
    }
    out += source[i];
    ++i;
  }
  return out;
}

}  // namespace tarnwick_scan
