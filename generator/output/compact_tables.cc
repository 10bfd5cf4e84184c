// The compact tables are written without padding, many values a line: their
// point is size, and the plain layout is there for reading by eye.
#include "output/compact_tables.h"

#include <algorithm>
#include <string_view>

#include "output/row_displacement.h"
#include "output/scanner_tables.h"
#include "output/text_cursor.h"

namespace tarnwick {

namespace {

constexpr std::size_t kValuesPerLine = 32;

// The size in bytes of the narrowest unsigned Data type for values 0..most.
int SizeFor(int64_t most) {
  if (most <= 0xFF) return 1;
  if (most <= 0xFFFF) return 2;
  return 4;
}

std::string_view DataType(int size) {
  return size == 1 ? "    Data.a " : size == 2 ? "    Data.u " : "    Data.l ";
}

// Writes `values` under `label` (after a blank line unless `first`) and
// returns the Data type's size.
// A per-state table whose values are all 0 is `omittable`: it is written
// as its label alone, with size 0, and read as zeros.
template <typename Values>
int PutTable(TextCursor& out, std::string_view label, const Values& values, bool first = false,
             bool omittable = false) {
  int64_t most = 0;
  for (auto v : values)
    most = std::max<int64_t>(most, v);
  const int size = SizeFor(most);
  if (!first) PutLine(out, "  ");
  out.Put("  ");
  out.Put(label);
  PutLine(out, ":");
  if (omittable && most == 0) return 0;
  std::size_t i = 0;
  for (auto v : values) {
    out.Put(i % kValuesPerLine == 0 ? DataType(size) : std::string_view(","));
    out.PutDecimal(v);
    if (++i % kValuesPerLine == 0) out.Put(kLineEnd);
  }
  if (i % kValuesPerLine != 0) out.Put(kLineEnd);
  return size;
}

void PutSize(std::string& constants, std::string_view name, int size) {
  constants += " : #__yylexer";
  constants += name;
  constants += "Size = ";
  constants += std::to_string(size);
}

}  // namespace

std::string WriteCompactTables(const Dfa& dfa, const std::vector<RuleCut>& cuts,
                               std::size_t ruleCount, std::string& text) {
  const CompactRows rows = CompressRows(dfa);
  std::vector<int32_t> classes(256, 0);
  if (dfa.charset) {
    for (int byte = 0; byte < 256; ++byte)
      classes[static_cast<std::size_t>(byte)] = dfa.charset->classOf[byte];
  }
  std::vector<int32_t> accept;
  accept.reserve(dfa.states.size());
  for (const DfaState& state : dfa.states)
    accept.push_back(state.final + 1);

  // A state's template and fill share one value: fill * span + template.
  int64_t span = 1;
  for (int32_t t : rows.fallback)
    span = std::max<int64_t>(span, t + 1);
  std::vector<int64_t> links;
  links.reserve(rows.fallback.size());
  for (std::size_t s = 0; s < rows.fallback.size(); ++s)
    links.push_back(rows.fill[s] * span + rows.fallback[s]);
  std::string constants = "#__yylexerCompact = 1 : #__yylexerFillValue = ";
  constants += std::to_string(rows.fillValue);
  constants += " : #__yylexerSpan = ";
  constants += std::to_string(span);
  constants += " : #__yylexerSlots = ";
  constants += std::to_string(rows.check.size());
  {
    TextCursor out(text, 4096 +
                             (dfa.states.size() * 3 + rows.base.size() + rows.next.size() * 2) * 7 +
                             ruleCount * 24);
    PutLine(out, "DataSection");
    PutSize(constants, "Class", PutTable(out, "__yylexer_charclass", classes, true));
    PutSize(constants, "Accept", PutTable(out, "__yylexer_accept", accept, false, true));
    PutSize(constants, "Row", PutTable(out, "__yylexer_row", rows.row, false, true));
    PutSize(constants, "Fallback", PutTable(out, "__yylexer_fallback", links, false, true));
    PutSize(constants, "Base", PutTable(out, "__yylexer_base", rows.base));
    PutSize(constants, "Next", PutTable(out, "__yylexer_next", rows.next));
    PutSize(constants, "Check", PutTable(out, "__yylexer_check", rows.check));
    PutLine(out, "  ");
    PutLine(out, "  __yylexer_rules:");
    for (std::size_t rule = 0; rule < ruleCount; ++rule) {
      out.Put("    Data.i @__yylexerrun");
      out.PutDecimal(static_cast<int64_t>(rule));
      out.Put("()");
      out.Put(kLineEnd);
    }
    PutInfoTable(out, dfa.start, rows.columns);
  }
  if (!dfa.starts.empty()) {
    WriteStartTable(dfa, text);
    std::vector<int32_t> ruleCuts;
    for (std::size_t rule = 0; rule < ruleCount; ++rule) {
      const RuleCut cut = rule < cuts.size() ? cuts[rule] : RuleCut{};
      ruleCuts.push_back(static_cast<int32_t>(cut.kind));
      ruleCuts.push_back(cut.length);
    }
    TextCursor out(text, 256 + ruleCuts.size() * 12);
    PutSize(constants, "Cut", PutTable(out, "__yylexer_rulecut", ruleCuts));
  }
  TextCursor out(text, 64);
  PutLine(out, "EndDataSection");
  return constants;
}

}  // namespace tarnwick
