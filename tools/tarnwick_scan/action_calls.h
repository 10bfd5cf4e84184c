// ActionCalls: the start-condition changes and yyLess calls written literally
// in the action procedures of a generated scanner source, which
// tarnwick-scan applies after each match instead of running the actions.
//
// Only these literal forms count, in the order they stand in the procedure:
// yyBegin(#yyStateX), yyPushState(#yyStateX), yyPopState() and yyLess(N)
// with a decimal N. The code around them (conditions, loops, other calls) is
// not read, and calls inside strings or ";" comments are no calls. Condition
// names are looked up among the "#yyStateX = N" constants of the source.
#pragma once

#include <map>
#include <string>
#include <string_view>
#include <vector>

namespace tarnwick_scan {

struct ActionCall {
  enum class Kind { kBegin, kPush, kPop, kLess };
  Kind kind = Kind::kPop;
  int value = 0;  // the condition (kBegin, kPush) or the byte count (kLess)

  bool operator==(const ActionCall&) const = default;
};

struct ActionCallsRead {
  std::map<int, std::vector<ActionCall>> byRule;       // by rule number
  std::map<std::string, int, std::less<>> conditions;  // by name; INITIAL is 0
  std::string error;                                   // a call naming an unknown condition
  int line = 0;                                        // 1-based line of the error
};

ActionCallsRead ReadActionCalls(std::string_view source);

}  // namespace tarnwick_scan
