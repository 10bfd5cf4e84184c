// One pass over the source's lines: constants are collected wherever they
// stand outside the action procedures, calls inside them. A rule's procedure
// begins at "Procedure __yylexerrunN(" and ends with the line that closes it
// with EndProcedure.
#include "action_calls.h"

#include <charconv>

#include "base/text.h"

namespace tarnwick_scan {
namespace {

constexpr std::string_view kProcedure = "Procedure __yylexerrun";
constexpr std::string_view kProcedureEnd = "EndProcedure";
constexpr std::string_view kStatePrefix = "#yyState";

bool IsNameChar(char c) {
  return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || c == '_';
}

// The line with strings and the ";" comment blanked out, so that searching
// it finds only code.
std::string CodeOnly(std::string_view line) {
  std::string code(line);
  char quote = 0;
  for (char& c : code) {
    if (quote != 0) {
      if (c == quote) quote = 0;
      c = ' ';
    } else if (c == '"' || c == '\'') {
      quote = c;
      c = ' ';
    } else if (c == ';') {
      code.resize(static_cast<size_t>(&c - code.data()));
      break;
    }
  }
  return code;
}

std::string_view SkipBlanks(std::string_view s) {
  while (!s.empty() && (s.front() == ' ' || s.front() == '\t'))
    s.remove_prefix(1);
  return s;
}

// Reads a decimal number at the start of `s` and moves past it.
bool ReadNumber(std::string_view& s, int& value) {
  auto [end, ec] = std::from_chars(s.data(), s.data() + s.size(), value);
  if (ec != std::errc() || end == s.data()) return false;
  s.remove_prefix(static_cast<size_t>(end - s.data()));
  return true;
}

std::string_view ReadName(std::string_view& s) {
  size_t n = 0;
  while (n < s.size() && IsNameChar(s[n]))
    ++n;
  std::string_view name = s.substr(0, n);
  s.remove_prefix(n);
  return name;
}

// "#yyStateX = N" constants of one line.
void CollectConstants(std::string_view code, ActionCallsRead& read) {
  for (size_t at = code.find(kStatePrefix); at != std::string_view::npos;
       at = code.find(kStatePrefix, at + 1)) {
    std::string_view rest = code.substr(at + kStatePrefix.size());
    const std::string_view name = ReadName(rest);
    rest = SkipBlanks(rest);
    if (name.empty() || !rest.starts_with('=')) continue;
    rest = SkipBlanks(rest.substr(1));
    int value = 0;
    if (ReadNumber(rest, value)) read.conditions[std::string(name)] = value;
  }
}

struct CallForm {
  std::string_view name;
  ActionCall::Kind kind;
};

constexpr CallForm kForms[] = {
    {"yyBegin", ActionCall::Kind::kBegin},
    {"yyPushState", ActionCall::Kind::kPush},
    {"yyPopState", ActionCall::Kind::kPop},
    {"yyLess", ActionCall::Kind::kLess},
};

// The literal calls of one line, in order. False when a call names an
// unknown condition.
bool CollectCalls(std::string_view code, ActionCallsRead& read, std::vector<ActionCall>& calls) {
  for (size_t i = 0; i < code.size(); ++i) {
    if (i > 0 && IsNameChar(code[i - 1])) continue;
    for (const CallForm& form : kForms) {
      std::string_view rest = code.substr(i);
      if (!rest.starts_with(form.name)) continue;
      rest = SkipBlanks(rest.substr(form.name.size()));
      if (!rest.starts_with('(')) continue;
      rest = SkipBlanks(rest.substr(1));
      ActionCall call{form.kind, 0};
      if (form.kind == ActionCall::Kind::kLess) {
        if (!ReadNumber(rest, call.value) || call.value < 0) continue;
      } else if (form.kind != ActionCall::Kind::kPop) {
        if (!rest.starts_with(kStatePrefix)) continue;
        rest.remove_prefix(kStatePrefix.size());
        const std::string_view name = ReadName(rest);
        if (!SkipBlanks(rest).starts_with(')')) continue;
        const auto known = read.conditions.find(name);
        if (known == read.conditions.end()) {
          read.error = "action calls a start condition the source does not define: #yyState" +
                       std::string(name);
          return false;
        }
        call.value = known->second;
      }
      if (!SkipBlanks(rest).starts_with(')')) continue;
      calls.push_back(call);
    }
  }
  return true;
}

}  // namespace

ActionCallsRead ReadActionCalls(std::string_view source) {
  ActionCallsRead read;
  read.conditions["INITIAL"] = 0;
  std::vector<std::pair<int, std::string>> procedureLines;  // (rule, code), in order
  tarnwick::LineSplitter lines(source);
  int rule = -1;
  int number = 0;
  std::vector<int> lineNumbers;
  while (!lines.AtEnd()) {
    ++number;
    const std::string_view line = lines.Next();
    std::string_view trimmed = SkipBlanks(line);
    if (rule < 0 && trimmed.starts_with(kProcedure)) {
      std::string_view rest = trimmed.substr(kProcedure.size());
      int value = 0;
      if (ReadNumber(rest, value) && rest.starts_with('(') && value >= 0) {
        rule = value;
        // The parameter list is no code of the action.
        const size_t close = line.find(')');
        trimmed = close == std::string_view::npos ? std::string_view{} : line.substr(close + 1);
      }
    }
    const std::string code = CodeOnly(trimmed);
    if (rule < 0) {
      CollectConstants(code, read);
      continue;
    }
    procedureLines.emplace_back(rule, code);
    lineNumbers.push_back(number);
    if (code.find(kProcedureEnd) != std::string::npos) rule = -1;
  }
  for (size_t k = 0; k < procedureLines.size(); ++k) {
    const auto& [at, code] = procedureLines[k];
    if (!CollectCalls(code, read, read.byRule[at])) {
      read.line = lineNumbers[k];
      return read;
    }
  }
  return read;
}

}  // namespace tarnwick_scan
