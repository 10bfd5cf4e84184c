// The texts are kept byte for byte as users and their scripts know them,
// spelling included. Formatting replaces "%s1", then "%s2", then "%s3", each
// over the whole text so far: a pass never rescans its own insertions, but a
// later pass does see what an earlier one put in.
#include "driver/error_messages.h"

namespace tarnwick {

const std::array<std::string_view, kErrorNumberSlots> ErrorMessages = {
    "",
    "Syntax error",
    "')' without '('",
    "'(' without ')'",
    "']' without '['",
    "'[' without ']'",
    "'}' without '{'",
    "'{' without '}'",
    "Range out of ordner",
    "Garbage at the end of the line",
    "Tokens between '' are limited to 1 character",
    "Duplicated not-terminal symbol: %s1",
    "Duplicated terminal symbol: %s1",
    "Duplicated definition of priority: %s1",
    "Can't find the symbol '%s1'",
    "Can't find the non-terminal symbol '%s1'",
    "Can't find the start definition '%start'",
    "'%EndStructure' without '%Structure'",
    "'%Structure' without '%EndStructure'",
    "Can't used 'Array', 'List' or 'Map' in '%Structure'",
    "Invalid char behind '\xA7': '%s1'",
    "Index out of bounds: '%s1'",
    "'%s1' don't have a declared type",
    "Invalid UTF-8 character",
    "Unknown Unicode category: '%s1'",
    "Invalid Unicode escape: '%s1'",
    "'%s1' names a directory, not an output file",
    "Cannot create private scratch files in the temporary directory: %s1",
    "Undeclared start condition: '%s1'",
    "Start condition declared twice: '%s1'",
    "Trailing context needs a fixed length before or after '/'",
};

namespace {

std::string ReplaceAll(std::string_view text, std::string_view from, std::string_view to) {
  std::string result;
  std::size_t start = 0;
  while (true) {
    std::size_t found = text.find(from, start);
    if (found == std::string_view::npos) break;
    result.append(text.substr(start, found - start));
    result.append(to);
    start = found + from.size();
  }
  result.append(text.substr(start));
  return result;
}

}  // namespace

std::string FormatErrorMessage(const ErrorState& error) {
  if (error.ErrorNumber == kNoError) return error.detail;
  if (error.ErrorNumber < 0 || error.ErrorNumber >= static_cast<int>(ErrorMessages.size())) {
    return {};
  }
  std::string message(ErrorMessages[static_cast<std::size_t>(error.ErrorNumber)]);
  message = ReplaceAll(message, "%s1", error.ErrorArg1);
  message = ReplaceAll(message, "%s2", error.ErrorArg2);
  message = ReplaceAll(message, "%s3", error.ErrorArg3);
  return message;
}

}  // namespace tarnwick
