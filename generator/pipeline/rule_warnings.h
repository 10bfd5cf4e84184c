// LogRuleWarnings: the rule findings as the user reads them in the log.
//
// Each finding becomes two lines, like an error: "Warning Line N:" with the
// definition line of the rule concerned, then the message. Rules are named by
// their definition lines, never by their numbers, which the user never sees.
#pragma once

#include <string>
#include <vector>

#include "automaton/rule_findings.h"
#include "base/log.h"
#include "frontend/definition_reader.h"

namespace tarnwick {

// The message line of one finding.
std::string RuleWarningText(const RuleFinding& finding, const DefinitionFacts& facts);

// Logs every finding, in the order given (rule order is line order).
void LogRuleWarnings(const std::vector<RuleFinding>& findings, const DefinitionFacts& facts,
                     Log& log);

// Where a file without "%context" has `^`, `$` or `/` where they would be
// anchors or trailing context, says once (at the first such rule) that they
// are plain characters and which directive makes them operators.
void LogContextWarning(const DefinitionFacts& facts, Log& log);

}  // namespace tarnwick
