#include "frontend/start_conditions.h"

#include <algorithm>

namespace tarnwick {

namespace {

bool IsNameChar(char c) {
  return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || c == '_';
}

bool IsBlank(char c) {
  return c == ' ' || c == '\t';
}

int32_t FindCondition(const LexerStates& states, std::string_view name) {
  const auto at = std::find(states.names.begin(), states.names.end(), name);
  return at == states.names.end() ? -1 : static_cast<int32_t>(at - states.names.begin());
}

int Fail(ErrorState& error, int number, std::string_view arg = {}) {
  error.ErrorArg1 = std::string(arg);
  return number;
}

}  // namespace

int DeclareStates(std::string_view names, bool exclusive, LexerStates& states, std::string& out,
                  ErrorState& error, std::string_view constantPrefix) {
  std::size_t i = 0;
  while (i < names.size()) {
    if (IsBlank(names[i])) {
      ++i;
      continue;
    }
    std::size_t end = i;
    while (end < names.size() && IsNameChar(names[end]))
      ++end;
    if (end == i || (end < names.size() && !IsBlank(names[end]))) {
      return Fail(error, kSyntaxError);
    }
    const std::string_view name = names.substr(i, end - i);
    if (FindCondition(states, name) >= 0) return Fail(error, kStateDeclaredTwice, name);
    if (!out.empty()) out += " : ";
    out += '#';
    out += constantPrefix;
    out += "State";
    out += name;
    out += " = ";
    out += std::to_string(states.names.size());
    states.names.emplace_back(name);
    states.exclusive.push_back(exclusive);
    i = end;
  }
  return 0;
}

int ReadRulePrefix(std::string_view rule, const LexerStates& states, std::vector<bool>& conditions,
                   std::size_t& length, ErrorState& error) {
  const auto count = static_cast<std::size_t>(states.ConditionCount());
  conditions.assign(count, false);
  length = 0;
  if (!rule.starts_with('<') || rule.starts_with("<<")) {
    for (std::size_t c = 0; c < count; ++c)
      conditions[c] = c == 0 || !states.exclusive[c];
    return 0;
  }
  const std::size_t close = rule.find('>');
  if (close == std::string_view::npos) return Fail(error, kSyntaxError);
  std::string_view list = rule.substr(1, close - 1);
  length = close + 1;
  auto trimmed = [](std::string_view s) {
    while (!s.empty() && IsBlank(s.front()))
      s.remove_prefix(1);
    while (!s.empty() && IsBlank(s.back()))
      s.remove_suffix(1);
    return s;
  };
  if (trimmed(list) == "*") {
    conditions.assign(count, true);
    return 0;
  }
  for (;;) {
    const std::size_t comma = list.find(',');
    const std::string_view name = trimmed(list.substr(0, comma));
    if (name.empty() || !std::all_of(name.begin(), name.end(), IsNameChar)) {
      return Fail(error, kSyntaxError);
    }
    const int32_t condition = FindCondition(states, name);
    if (condition < 0) return Fail(error, kUndeclaredState, name);
    conditions[static_cast<std::size_t>(condition)] = true;
    if (comma == std::string_view::npos) return 0;
    list.remove_prefix(comma + 1);
  }
}

}  // namespace tarnwick
