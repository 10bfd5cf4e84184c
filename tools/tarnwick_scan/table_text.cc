// The shared field parsers of the table reader; numbers go through
// from_chars, so no text can overflow them.
#include "table_text.h"

#include <charconv>
#include <limits>

namespace tarnwick_scan {

std::optional<int64_t> ParseInteger(std::string_view s) {
  if (s.empty()) return std::nullopt;
  if (s.front() == '+') return std::nullopt;
  int64_t value = 0;
  auto [end, ec] = std::from_chars(s.data(), s.data() + s.size(), value);
  if (ec != std::errc() || end != s.data() + s.size()) return std::nullopt;
  return value;
}

std::optional<int> ParseActionField(std::string_view s) {
  if (s == "0") return kNoRule;
  constexpr std::string_view kHead = "@__yylexerrun";
  constexpr std::string_view kTail = "()";
  if (s.size() <= kHead.size() + kTail.size() || !s.starts_with(kHead) || !s.ends_with(kTail)) {
    return std::nullopt;
  }
  std::string_view digits = s.substr(kHead.size(), s.size() - kHead.size() - kTail.size());
  if (digits.front() == '-') return std::nullopt;
  auto value = ParseInteger(digits);
  if (!value || *value > std::numeric_limits<int>::max()) return std::nullopt;
  return static_cast<int>(*value);
}

TableRead Fail(int line, std::string message) {
  TableRead read;
  read.error = std::move(message);
  read.line = line;
  return read;
}

std::string Quote(std::string_view text) {
  constexpr size_t kShown = 60;
  std::string shown(text.substr(0, kShown));
  for (char& c : shown) {
    if (static_cast<unsigned char>(c) < 0x20) c = '?';
  }
  return "\"" + shown + (text.size() > kShown ? "...\"" : "\"");
}

}  // namespace tarnwick_scan
