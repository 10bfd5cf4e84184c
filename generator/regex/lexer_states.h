// LexerStates: what start conditions, line anchors and trailing context ask
// of the automaton and the tables.
//
// A definition that uses none of them leaves `enabled` false and is built and
// written exactly as a definition without this record. Otherwise the NFA gets
// one start state per start condition and line-start flag, and every rule is
// reachable from the starts it is active in; each rule also says how its
// match is cut back to its token (trailing context and `$`).
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace tarnwick {

// How the engine cuts a rule's match back to its token. The numbers are the
// ones the tables carry.
enum class CutKind : int32_t {
  kNone = 0,         // the match is the token
  kKeepHead = 1,     // the token is the first `length` bytes of the match
  kDropTail = 2,     // the token is the match without its last `length` bytes
  kDropLineEnd = 3,  // the match ends in LF or CR LF (dropped) or at the end of input
};

struct RuleCut {
  CutKind kind = CutKind::kNone;
  int32_t length = 0;

  bool operator==(const RuleCut&) const = default;
};

struct RuleStarts {
  std::vector<bool> conditions;  // by condition number: the rule is active there
  bool lineStart = false;        // `^`: only at the start of a line
};

struct LexerStates {
  bool enabled = false;
  std::vector<std::string> names{"INITIAL"};  // by condition number
  std::vector<bool> exclusive{false};         // by condition number
  std::vector<RuleStarts> rules;              // by rule number
  std::vector<RuleCut> cuts;                  // by rule number

  int32_t ConditionCount() const { return static_cast<int32_t>(names.size()); }
  // Start k = 2 * condition + (1 at a line start, else 0).
  int32_t StartCount() const { return 2 * ConditionCount(); }
  bool RuleStartsAt(std::size_t rule, int32_t start) const {
    const RuleStarts& r = rules[rule];
    const auto condition = static_cast<std::size_t>(start / 2);
    return condition < r.conditions.size() && r.conditions[condition] &&
           (!r.lineStart || start % 2 == 1);
  }
};

}  // namespace tarnwick
