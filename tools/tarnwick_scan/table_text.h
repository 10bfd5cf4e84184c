// Pieces of the table reader shared by the plain and the compact layout:
// the Data lines as read, number and action fields, and error results.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "scanner_tables.h"

namespace tarnwick_scan {

// One "Data.t ..." line: its number and its comma-separated values.
struct DataLine {
  int number;
  std::vector<std::string_view> fields;
};

// A decimal integer, optionally negative, and nothing else.
std::optional<int64_t> ParseInteger(std::string_view s);

// "0" for a state that accepts nothing, "@__yylexerrunN()" for rule N.
std::optional<int> ParseActionField(std::string_view s);

TableRead Fail(int line, std::string message);

// `text` in quotes for a message, control characters shown as '?', cut
// after 60 characters.
std::string Quote(std::string_view text);

}  // namespace tarnwick_scan
