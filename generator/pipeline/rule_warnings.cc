// Warning texts for the rule findings.
#include "pipeline/rule_warnings.h"

#include <algorithm>
#include <cstddef>
#include <cstdint>

namespace tarnwick {

namespace {

int32_t LineOfRule(const DefinitionFacts& facts, int32_t rule) {
  return facts.ruleLines[static_cast<std::size_t>(rule)];
}

// "line 7", "lines 4 and 9", "lines 3, 4 and 9".
std::string LineList(const std::vector<int32_t>& rules, const DefinitionFacts& facts) {
  std::string text = rules.size() == 1 ? "line " : "lines ";
  for (std::size_t k = 0; k < rules.size(); ++k) {
    if (k > 0) text += k + 1 == rules.size() ? " and " : ", ";
    text += std::to_string(LineOfRule(facts, rules[k]));
  }
  return text;
}

// The line a finding is reported on.
int32_t WarningLine(const RuleFinding& finding, const DefinitionFacts& facts) {
  if (finding.kind != FindingKind::kNoRules) return LineOfRule(facts, finding.rule);
  // Where the rules would go: after the first separator, or, without one,
  // at the end of the file.
  if (facts.separatorLine > 0) return facts.separatorLine;
  return std::max(facts.lastLine, 1);
}

}  // namespace

std::string RuleWarningText(const RuleFinding& finding, const DefinitionFacts& facts) {
  switch (finding.kind) {
    case FindingKind::kNoRules:
      return facts.separatorLine > 0
                 ? "The definition has no rules: the scanner matches nothing"
                 : "The definition has no %% line, so it has no rules and no include line: the "
                   "scanner matches nothing";
    case FindingKind::kShadowed:
      return "This rule never matches: every text it matches is taken first by " +
             LineList(finding.takenBy, facts);
    case FindingKind::kOutrun:
      return "This rule never matches: whatever follows its text, a longer match by " +
             LineList(finding.takenBy, facts) + " is taken";
    case FindingKind::kOnlyEmptyText:
      return "This rule never matches: the only text it matches is the empty text, which the "
             "scanner never takes";
    case FindingKind::kNoText:
      return "This rule never matches: no text matches it";
    case FindingKind::kMatchesEmptyText:
      return "This rule also matches the empty text; the scanner takes it only for text of one "
             "byte or more";
  }
  return {};
}

void LogRuleWarnings(const std::vector<RuleFinding>& findings, const DefinitionFacts& facts,
                     Log& log) {
  for (const RuleFinding& finding : findings) {
    log.LogLine("Warning Line " + std::to_string(WarningLine(finding, facts)) + ":");
    log.LogLine(RuleWarningText(finding, facts));
  }
}

void LogContextWarning(const DefinitionFacts& facts, Log& log) {
  if (facts.plainContextLine == 0) return;
  log.LogLine("Warning Line " + std::to_string(facts.plainContextLine) + ":");
  log.LogLine(
      "'^', '$' and '/' are plain characters here; the directive %context makes them line "
      "anchors and trailing context");
}

}  // namespace tarnwick
