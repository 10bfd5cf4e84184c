// The compact tables are first read as flat lists of numbers, each value
// kept with its line for messages, then unpacked row by row.
#include "compact_reader.h"

#include <algorithm>
#include <cstdint>
#include <limits>
#include <string>
#include <tuple>

namespace tarnwick_scan {
namespace {

struct Values {
  std::vector<int64_t> values;
  std::vector<int> lines;  // the line of each value
};

// All values of a table as non-negative integers; the error names the table.
TableRead ReadValues(const std::vector<DataLine>& lines, const char* name, Values& out) {
  for (const DataLine& data : lines) {
    for (std::string_view field : data.fields) {
      auto value = ParseInteger(field);
      if (!value || *value < 0 || *value > std::numeric_limits<int32_t>::max()) {
        return Fail(data.number, std::string(name) + " value " + Quote(field) +
                                     " is no integer from 0 to 2147483647");
      }
      out.values.push_back(*value);
      out.lines.push_back(data.number);
    }
  }
  return {};
}

}  // namespace

TableRead ReadCompactRows(const CompactLines& lines, int64_t span, bool withCuts, int lastLine,
                          ScannerTables& tables) {
  Values accept, row, fallback, base, next, check, cuts;
  for (auto [source, name, values] : {std::tuple{&lines.accept, "__yylexer_accept", &accept},
                                      std::tuple{&lines.row, "__yylexer_row", &row},
                                      std::tuple{&lines.base, "__yylexer_base", &base},
                                      std::tuple{&lines.fallback, "__yylexer_fallback", &fallback},
                                      std::tuple{&lines.next, "__yylexer_next", &next},
                                      std::tuple{&lines.check, "__yylexer_check", &check},
                                      std::tuple{&lines.ruleCuts, "__yylexer_rulecut", &cuts}}) {
    TableRead problem = ReadValues(*source, name, *values);
    if (!problem.error.empty()) return problem;
  }
  // A per-state table of zeros is written empty.
  const size_t states = std::max({accept.values.size(), row.values.size(), fallback.values.size()});
  if (states == 0) return Fail(lastLine, "the compact tables have no states");
  for (Values* perState : {&accept, &row, &fallback}) {
    if (perState->values.empty()) {
      perState->values.assign(states, 0);
      perState->lines.assign(states, lastLine);
    }
  }
  if (accept.values.size() != states || row.values.size() != states ||
      fallback.values.size() != states) {
    return Fail(lastLine,
                "__yylexer_accept, __yylexer_row and __yylexer_fallback must "
                "hold one value per state");
  }
  if (next.values.size() != check.values.size()) {
    return Fail(lastLine, "__yylexer_next and __yylexer_check must be equally long");
  }
  std::vector<int> rules;
  for (const DataLine& data : lines.rules) {
    auto rule = data.fields.size() == 1 ? ParseActionField(data.fields[0]) : std::nullopt;
    if (!rule || *rule != static_cast<int>(rules.size())) {
      return Fail(data.number, "__yylexer_rules line " + std::to_string(rules.size()) +
                                   " must be @__yylexerrun" + std::to_string(rules.size()) + "()");
    }
    rules.push_back(*rule);
  }
  const auto columns = static_cast<int64_t>(tables.columns);
  const auto slots = static_cast<int64_t>(check.values.size());
  const auto rows = static_cast<int64_t>(base.values.size());
  if (span < 1) return Fail(lastLine, "#__yylexerSpan must be at least 1");
  for (size_t s = 0; s < states; ++s) {
    if (row.values[s] >= rows) {
      return Fail(row.lines[s], "state " + std::to_string(s) + " names no row");
    }
    if (fallback.values[s] % span > rows ||
        fallback.values[s] / span > static_cast<int64_t>(states)) {
      return Fail(fallback.lines[s],
                  "state " + std::to_string(s) + " falls back to no row or state");
    }
    if (accept.values[s] > static_cast<int64_t>(rules.size())) {
      return Fail(accept.lines[s], "state " + std::to_string(s) + " accepts a rule without entry");
    }
    tables.acceptedRule.push_back(static_cast<int>(accept.values[s]) - 1);
  }
  // A probe past the comb's end misses, as in the engine.
  auto probe = [&](int64_t rowNumber, int64_t column, int64_t& value) {
    const int64_t at = base.values[static_cast<size_t>(rowNumber)] + column;
    if (at >= slots || check.values[static_cast<size_t>(at)] != rowNumber + 1) return false;
    value = next.values[static_cast<size_t>(at)];
    return true;
  };
  const auto fillValue = static_cast<int64_t>(states) + 1;  // as the generator writes it
  tables.next.reserve(states * static_cast<size_t>(columns));
  for (size_t s = 0; s < states; ++s) {
    const int64_t link = fallback.values[s];
    for (int64_t c = 0; c < columns; ++c) {
      int64_t value = 0;
      if (!probe(row.values[s], c, value) && link % span != 0) probe(link % span - 1, c, value);
      if (value == fillValue) value = link / span;
      if (value > static_cast<int64_t>(states)) {
        return Fail(base.lines.empty() ? lastLine : base.lines.back(),
                    "target " + std::to_string(value - 1) + " names no state");
      }
      tables.next.push_back(static_cast<int>(value) - 1);
    }
  }
  if (!withCuts) return {};
  if (cuts.values.size() != 2 * rules.size()) {
    return Fail(lines.ruleCuts.empty() ? lastLine : lines.ruleCuts.back().number,
                "__yylexer_rulecut must hold a kind and a length per rule");
  }
  for (size_t i = 0; i < cuts.values.size(); i += 2) {
    if (cuts.values[i] > 3) {
      return Fail(cuts.lines[i], "__yylexer_rulecut kinds are 0 to 3");
    }
  }
  for (size_t s = 0; s < states; ++s) {
    const int rule = tables.acceptedRule[s];
    const size_t at = 2 * static_cast<size_t>(rule);
    tables.cutKind.push_back(rule < 0 ? 0 : static_cast<int>(cuts.values[at]));
    tables.cutLength.push_back(rule < 0 ? 0 : static_cast<int>(cuts.values[at + 1]));
  }
  return {};
}

}  // namespace tarnwick_scan
