#include "generated_scan.h"

#include "action_calls.h"
#include "base/log.h"
#include "pipeline/generate.h"
#include "prefixed_source.h"
#include "scan_engine.h"
#include "scanner_tables.h"

namespace tarnwick_scan {

namespace {

class LinesLog final : public tarnwick::Log {
 public:
  void LogLine(std::string_view line) override { lines.emplace_back(line); }
  std::vector<std::string> lines;
};

}  // namespace

std::string Generate(const std::string& definition, tarnwick::ErrorState& error,
                     std::vector<std::string>* log) {
  LinesLog lines;
  tarnwick::GeneratedScanner result;
  if (!tarnwick::GenerateScannerText(definition, tarnwick::CaseTable::Windows1252(), 100000, lines,
                                     error, result)) {
    return {};
  }
  if (log) *log = lines.lines;
  return result.source;
}

std::string Scan(const std::string& generated, const std::string& input, int condition) {
  // A prefixed example is read under the names without prefix, as
  // tarnwick-scan reads it.
  const std::string source = UnprefixedSource(generated);
  const TableRead read = ReadScannerTables(source);
  if (!read.tables) return "tables: " + read.error;
  const ActionCallsRead calls = ReadActionCalls(source);
  if (!calls.error.empty()) return "calls: " + calls.error;
  ScanEngine engine(*read.tables, input);
  engine.Begin(condition);
  std::string tokens;
  // Every token but one of yyLess(0) moves on; the guard only stops a
  // scanner that would not.
  const std::size_t guard = 4 * input.size() + 16;
  for (std::size_t count = 0; count < guard; ++count) {
    Token token = engine.Next();
    if (!tokens.empty()) tokens += ' ';
    if (token.kind == Token::Kind::kEnd) return tokens + "$";
    if (token.kind == Token::Kind::kRule) {
      if (const auto found = calls.byRule.find(token.rule); found != calls.byRule.end()) {
        for (const ActionCall& call : found->second) {
          if (call.kind == ActionCall::Kind::kBegin) engine.Begin(call.value);
          if (call.kind == ActionCall::Kind::kPush) engine.PushState(call.value);
          if (call.kind == ActionCall::Kind::kPop) engine.PopState();
          if (call.kind == ActionCall::Kind::kLess) engine.Less(token, call.value);
        }
      }
      tokens += std::to_string(token.rule) + ":";
    } else {
      tokens += "!";
    }
    tokens += input.substr(token.offset, token.length);
  }
  return tokens + " (no end)";
}

}  // namespace tarnwick_scan
