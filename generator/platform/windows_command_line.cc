// Splitting follows the C runtime's rules since 2008: blanks (space, tab)
// separate arguments outside quotes; 2n backslashes before a quote give n
// backslashes and the quote opens or closes a quoted part; 2n+1 backslashes
// before a quote give n backslashes and a literal quote; inside a quoted
// part a doubled quote is a literal quote; other backslashes are literal.
#include "platform/windows_command_line.h"

namespace tarnwick::platform {

namespace {

bool IsBlank(char c) {
  return c == ' ' || c == '\t';
}

}  // namespace

std::vector<std::string> SplitWindowsCommandLine(std::string_view line) {
  std::vector<std::string> result;
  std::size_t i = 0;
  const std::size_t n = line.size();

  // The program name: up to the first blank, with quotes grouping only.
  std::string program;
  bool inQuotes = false;
  for (; i < n; ++i) {
    char c = line[i];
    if (c == '"') {
      inQuotes = !inQuotes;
    } else if (IsBlank(c) && !inQuotes) {
      break;
    } else {
      program += c;
    }
  }
  result.push_back(std::move(program));

  while (true) {
    while (i < n && IsBlank(line[i]))
      ++i;
    if (i >= n) break;
    std::string arg;
    inQuotes = false;
    while (i < n) {
      char c = line[i];
      if (c == '\\') {
        std::size_t slashes = 0;
        while (i < n && line[i] == '\\') {
          ++slashes;
          ++i;
        }
        if (i < n && line[i] == '"') {
          arg.append(slashes / 2, '\\');
          if (slashes % 2 == 1) {
            arg += '"';
            ++i;
          }
          // An even count leaves the quote to the next round, where it toggles.
        } else {
          arg.append(slashes, '\\');
        }
        continue;
      }
      if (c == '"') {
        if (inQuotes && i + 1 < n && line[i + 1] == '"') {
          arg += '"';
          i += 2;
          continue;
        }
        inQuotes = !inQuotes;
        ++i;
        continue;
      }
      if (IsBlank(c) && !inQuotes) break;
      arg += c;
      ++i;
    }
    result.push_back(std::move(arg));
  }
  return result;
}

std::string QuoteWindowsArgument(std::string_view argument) {
  if (!argument.empty() && argument.find_first_of(" \t\n\v\"") == std::string_view::npos) {
    return std::string(argument);
  }
  std::string quoted = "\"";
  std::size_t slashes = 0;
  for (char c : argument) {
    if (c == '\\') {
      ++slashes;
      continue;
    }
    if (c == '"') {
      // Every backslash before a quote must be doubled, and the quote escaped.
      quoted.append(slashes * 2 + 1, '\\');
    } else {
      quoted.append(slashes, '\\');
    }
    slashes = 0;
    quoted += c;
  }
  // Backslashes before the closing quote would otherwise escape it.
  quoted.append(slashes * 2, '\\');
  quoted += '"';
  return quoted;
}

std::string BuildWindowsCommandLine(std::string_view program,
                                    const std::vector<std::string>& arguments) {
  std::string line = "\"" + std::string(program) + "\"";
  for (const std::string& argument : arguments) {
    line += ' ';
    line += QuoteWindowsArgument(argument);
  }
  return line;
}

}  // namespace tarnwick::platform
