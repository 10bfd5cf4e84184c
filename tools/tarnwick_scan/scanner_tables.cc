// Reads the DataSection of a generated scanner source line by line.
//
// The walk is a small state machine over the labels, which must come in
// their fixed order; blank and ";" comment lines are skipped anywhere. Values
// are collected per line first and checked once the row width is known from
// the info table, which stands last. Numbers are parsed with from_chars and
// bounded, so no input can overflow an index or force a huge allocation:
// every allocation is proportional to the input's length.
#include "scanner_tables.h"

#include <array>
#include <cstdint>
#include <limits>
#include <utility>

#include "base/text.h"
#include "compact_reader.h"
#include "table_text.h"

namespace tarnwick_scan {
namespace {

struct SourceLine {
  int number;
  std::string_view text;  // without the line end, trimmed of spaces and tabs
};

std::string_view Trim(std::string_view s) {
  size_t b = 0;
  while (b < s.size() && (s[b] == ' ' || s[b] == '\t'))
    ++b;
  size_t e = s.size();
  while (e > b && (s[e - 1] == ' ' || s[e - 1] == '\t'))
    --e;
  return s.substr(b, e - b);
}

std::vector<SourceLine> SplitLines(std::string_view source) {
  std::vector<SourceLine> lines;
  int number = 1;
  tarnwick::LineSplitter splitter(source);
  while (!splitter.AtEnd())
    lines.push_back({number++, Trim(splitter.Next())});
  return lines;
}

std::vector<std::string_view> SplitFields(std::string_view list) {
  std::vector<std::string_view> fields;
  while (true) {
    size_t comma = list.find(',');
    fields.push_back(Trim(list.substr(0, comma)));
    if (comma == std::string_view::npos) break;
    list.remove_prefix(comma + 1);
  }
  return fields;
}

enum class Block {
  kNone,
  kClasses,
  kActions,
  kAccept,
  kRow,
  kFallback,
  kBase,
  kNext,
  kCheck,
  kRules,
  kInfo,
  kStarts,
  kCuts,
  kRuleCuts
};
constexpr size_t kBlockCount = static_cast<size_t>(Block::kRuleCuts) + 1;

// The labels of both layouts and the block each may follow.
struct Label {
  std::string_view name;
  Block block;
  Block after;
  Block orAfter;
};
constexpr Label kLabels[] = {
    {"__yylexer_charclass", Block::kClasses, Block::kNone, Block::kNone},
    {"__yylexer_actionTable", Block::kActions, Block::kClasses, Block::kClasses},
    {"__yylexer_accept", Block::kAccept, Block::kClasses, Block::kClasses},
    {"__yylexer_row", Block::kRow, Block::kAccept, Block::kAccept},
    {"__yylexer_fallback", Block::kFallback, Block::kRow, Block::kRow},
    {"__yylexer_base", Block::kBase, Block::kFallback, Block::kFallback},
    {"__yylexer_next", Block::kNext, Block::kBase, Block::kBase},
    {"__yylexer_check", Block::kCheck, Block::kNext, Block::kNext},
    {"__yylexer_rules", Block::kRules, Block::kCheck, Block::kCheck},
    {"__yylexer_info", Block::kInfo, Block::kActions, Block::kRules},
    {"__yylexer_starts", Block::kStarts, Block::kInfo, Block::kInfo},
    {"__yylexer_cut", Block::kCuts, Block::kStarts, Block::kStarts},
    {"__yylexer_rulecut", Block::kRuleCuts, Block::kStarts, Block::kStarts},
};

const Label* FindLabel(std::string_view name) {
  for (const Label& label : kLabels) {
    if (label.name == name) return &label;
  }
  return nullptr;
}

// The label a source that stops after `block` lacks.
std::string_view NextLabel(Block block, bool compact) {
  if (block == Block::kClasses) return "__yylexer_actionTable";
  if (block == Block::kStarts) return compact ? "__yylexer_rulecut" : "__yylexer_cut";
  for (const Label& label : kLabels) {
    if (label.after == block || label.orAfter == block) return label.name;
  }
  return "__yylexer_info";
}

// "Data.i", "Data.a", "Data.u" or "Data.l", then a blank.
bool IsDataLine(std::string_view text) {
  return text.size() > 6 && text.starts_with("Data.") &&
         std::string_view("iaul").find(text[5]) != std::string_view::npos &&
         (text[6] == ' ' || text[6] == '\t');
}

// The start states per condition and the cut of every state; an empty
// error when they are sound.
// `cutLines` is null for the compact layout, whose cuts come per rule with
// its rows.
TableRead ReadStartTables(const std::vector<DataLine>& startLines,
                          const std::vector<DataLine>* cutLines, int lastLine,
                          ScannerTables& tables) {
  const int64_t stateCount = tables.StateCount();
  auto state = [&](std::string_view field) -> std::optional<int> {
    auto value = ParseInteger(field);
    if (!value || *value < 0 || *value >= stateCount) return std::nullopt;
    return static_cast<int>(*value);
  };
  if (startLines.empty() || startLines[0].fields.size() != 1) {
    return Fail(startLines.empty() ? lastLine : startLines[0].number,
                "__yylexer_starts must begin with the number of conditions");
  }
  auto count = ParseInteger(startLines[0].fields[0]);
  if (!count || *count < 1 || *count + 1 != static_cast<int64_t>(startLines.size())) {
    return Fail(startLines[0].number, "__yylexer_starts: the number of conditions " +
                                          Quote(startLines[0].fields[0]) +
                                          " does not match its lines");
  }
  for (size_t i = 1; i < startLines.size(); ++i) {
    const DataLine& data = startLines[i];
    if (data.fields.size() != 2) {
      return Fail(data.number, "__yylexer_starts lines hold two start states");
    }
    for (std::string_view field : data.fields) {
      auto at = state(field);
      if (!at) return Fail(data.number, "start state " + Quote(field) + " names no state");
      tables.starts.push_back(*at);
    }
  }
  if (cutLines == nullptr) return {};
  if (static_cast<int64_t>(cutLines->size()) != stateCount) {
    return Fail(cutLines->empty() ? lastLine : cutLines->back().number,
                "__yylexer_cut must hold one line per state");
  }
  for (const DataLine& data : *cutLines) {
    auto kind = data.fields.size() == 2 ? ParseInteger(data.fields[0]) : std::nullopt;
    auto length = data.fields.size() == 2 ? ParseInteger(data.fields[1]) : std::nullopt;
    if (!kind || !length || *kind < 0 || *kind > 3 || *length < 0 ||
        *length > std::numeric_limits<int>::max()) {
      return Fail(data.number, "__yylexer_cut lines hold a kind 0 to 3 and a length");
    }
    tables.cutKind.push_back(static_cast<int>(*kind));
    tables.cutLength.push_back(static_cast<int>(*length));
  }
  return {};
}

// The plain action table: one row per line, `columns` targets and an
// action field.
TableRead ReadActionRows(const std::vector<DataLine>& actionLines, int lastLine,
                         ScannerTables& tables) {
  if (actionLines.empty()) return Fail(lastLine, "action table has no rows");
  const int64_t stateCount = static_cast<int64_t>(actionLines.size());
  const size_t width = static_cast<size_t>(tables.columns) + 1;
  tables.next.reserve(actionLines.size() * static_cast<size_t>(tables.columns));
  for (size_t row = 0; row < actionLines.size(); ++row) {
    const DataLine& data = actionLines[row];
    if (data.fields.size() != width) {
      return Fail(data.number, "action table row " + std::to_string(row) + " holds " +
                                   std::to_string(data.fields.size()) + " values, expected " +
                                   std::to_string(width));
    }
    for (size_t c = 0; c + 1 < width; ++c) {
      auto target = ParseInteger(data.fields[c]);
      if (!target) {
        return Fail(data.number, "target " + Quote(data.fields[c]) + " is no integer");
      }
      if (*target < kNoMove || *target >= stateCount) {
        return Fail(data.number, "target " + std::to_string(*target) + " in row " +
                                     std::to_string(row) + " names no state");
      }
      tables.next.push_back(static_cast<int>(*target));
    }
    auto rule = ParseActionField(data.fields.back());
    if (!rule) {
      return Fail(data.number, "action field " + Quote(data.fields.back()) +
                                   " is neither 0 nor @__yylexerrunN()");
    }
    tables.acceptedRule.push_back(*rule);
  }
  return {};
}

// The value of a constant the generated source defines on its directive
// line ("#NAME = N"), or nothing.
std::optional<int64_t> SourceConstant(std::string_view source, std::string_view assignment) {
  const size_t at = source.find(assignment);
  if (at == std::string_view::npos) return std::nullopt;
  std::string_view digits = source.substr(at + assignment.size());
  size_t end = 0;
  while (end < digits.size() && end < 12 && digits[end] >= '0' && digits[end] <= '9')
    ++end;
  return ParseInteger(digits.substr(0, end));
}

}  // namespace

TableRead ReadScannerTables(std::string_view source) {
  const std::vector<SourceLine> lines = SplitLines(source);
  size_t first = 0;  // the line after the last "DataSection"; 0 for none
  for (size_t i = lines.size(); i-- > 0;) {
    if (lines[i].text == "DataSection") {
      first = i + 1;
      break;
    }
  }
  if (first == 0) {
    return Fail(0, "no DataSection line: not a generated scanner source");
  }

  std::array<std::vector<DataLine>, kBlockCount> byBlock;
  Block block = Block::kNone;
  bool compact = false;
  bool ended = false;
  int lastLine = lines.empty() ? 0 : lines.back().number;
  for (size_t i = first; i < lines.size() && !ended; ++i) {
    const SourceLine& line = lines[i];
    std::string_view text = line.text;
    if (text.empty() || text.front() == ';') continue;
    if (text == "EndDataSection") {
      ended = true;
    } else if (text.ends_with(':') && text.starts_with("__yylexer_")) {
      const Label* label = FindLabel(text.substr(0, text.size() - 1));
      if (label == nullptr) {
        return Fail(line.number, "unexpected line in the scanner tables: " + Quote(text));
      }
      if (label->block == Block::kAccept) compact = true;
      const bool layoutFits = (label->block != Block::kCuts || !compact) &&
                              (label->block != Block::kRuleCuts || compact);
      if ((block != label->after && block != label->orAfter) || !layoutFits) {
        return Fail(line.number, "label " + std::string(label->name) + " out of order");
      }
      block = label->block;
    } else if (IsDataLine(text)) {
      if (block == Block::kNone) {
        return Fail(line.number, "Data.i line before the first table label");
      }
      byBlock[static_cast<size_t>(block)].push_back(
          DataLine{line.number, SplitFields(Trim(text.substr(6)))});
    } else {
      return Fail(line.number, "unexpected line in the scanner tables: " + Quote(text));
    }
  }
  if (block != Block::kInfo && block != Block::kCuts && block != Block::kRuleCuts) {
    return Fail(lastLine, "label " + std::string(NextLabel(block, compact)) +
                              " missing (truncated scanner source?)");
  }
  if (!ended) return Fail(lastLine, "EndDataSection missing (truncated scanner source?)");
  auto linesOf = [&byBlock](Block b) -> std::vector<DataLine>& {
    return byBlock[static_cast<size_t>(b)];
  };
  const std::vector<DataLine>& classLines = linesOf(Block::kClasses);
  const std::vector<DataLine>& actionLines = linesOf(Block::kActions);
  const std::vector<DataLine>& infoLines = linesOf(Block::kInfo);

  // Info: start state and row width.
  if (infoLines.size() != 1 || infoLines[0].fields.size() != 2) {
    int at = infoLines.empty() ? lastLine : infoLines[0].number;
    return Fail(at, "__yylexer_info must hold one Data.i line with two values");
  }
  auto start = ParseInteger(infoLines[0].fields[0]);
  auto columns = ParseInteger(infoLines[0].fields[1]);
  if (!start || !columns)
    return Fail(infoLines[0].number, "__yylexer_info values must be integers");
  if (*columns < 1 || *columns > kMaxColumns) {
    return Fail(infoLines[0].number,
                "row width " + std::to_string(*columns) + " out of range 1 to 257");
  }
  ScannerTables tables;
  tables.columns = static_cast<int>(*columns);

  // Class table: 256 columns in byte order.
  size_t byte = 0;
  for (const DataLine& data : classLines) {
    for (std::string_view field : data.fields) {
      auto value = ParseInteger(field);
      if (!value) return Fail(data.number, "class table value " + Quote(field) + " is no integer");
      if (byte >= tables.columnOf.size()) {
        return Fail(data.number, "class table holds more than 256 values");
      }
      if (*value < 0 || *value >= tables.columns) {
        return Fail(data.number, "class of byte " + std::to_string(byte) + " is " +
                                     std::to_string(*value) + ", outside 0 to " +
                                     std::to_string(tables.columns - 1));
      }
      tables.columnOf[byte++] = static_cast<int>(*value);
    }
  }
  if (byte != tables.columnOf.size()) {
    return Fail(classLines.empty() ? lastLine : classLines.back().number,
                "class table holds " + std::to_string(byte) + " values, expected 256");
  }

  TableRead rows =
      compact ? ReadCompactRows(
                    CompactLines{
                        std::move(linesOf(Block::kAccept)), std::move(linesOf(Block::kRow)),
                        std::move(linesOf(Block::kFallback)), std::move(linesOf(Block::kBase)),
                        std::move(linesOf(Block::kNext)), std::move(linesOf(Block::kCheck)),
                        std::move(linesOf(Block::kRules)), std::move(linesOf(Block::kRuleCuts))},
                    SourceConstant(source, "#__yylexerSpan = ").value_or(0),
                    block == Block::kRuleCuts, lastLine, tables)
              : ReadActionRows(actionLines, lastLine, tables);
  if (!rows.error.empty()) return rows;
  const int64_t stateCount = tables.StateCount();
  if (*start < 0 || *start >= stateCount) {
    return Fail(infoLines[0].number, "start state " + std::to_string(*start) + " names no state");
  }
  tables.start = static_cast<int>(*start);
  if (block == Block::kCuts || block == Block::kRuleCuts) {
    TableRead problem =
        ReadStartTables(linesOf(Block::kStarts),
                        block == Block::kCuts ? &linesOf(Block::kCuts) : nullptr, lastLine, tables);
    if (!problem.error.empty()) return problem;
  }

  TableRead read;
  read.tables = std::move(tables);
  return read;
}

}  // namespace tarnwick_scan
