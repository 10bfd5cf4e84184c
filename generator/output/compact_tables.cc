// The compact tables are written without padding, many values a line: their
// point is size, and the plain layout is there for reading by eye.
#include "output/compact_tables.h"

#include <algorithm>
#include <string_view>

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

// The size in bytes of the Data type for `values`. A per-state table whose
// values are all 0 is `omittable`: it gets size 0, is written as its label
// alone and read as zeros.
template <typename Values>
int TableSize(const Values& values, bool omittable = false) {
  int64_t most = 0;
  for (auto v : values)
    most = std::max<int64_t>(most, v);
  return omittable && most == 0 ? 0 : SizeFor(most);
}

// Writes `values` under `label` (after a blank line unless `first`) in the
// Data type of `size`.
template <typename Values>
void PutTable(TextCursor& out, std::string_view label, const Values& values, int size,
              bool first = false) {
  if (!first) PutLine(out, "  ");
  out.Put("  ");
  out.Put(label);
  PutLine(out, ":");
  if (size == 0) return;
  std::size_t i = 0;
  for (auto v : values) {
    out.Put(i % kValuesPerLine == 0 ? DataType(size) : std::string_view(","));
    out.PutDecimal(v);
    if (++i % kValuesPerLine == 0) out.Put(kLineEnd);
  }
  if (i % kValuesPerLine != 0) out.Put(kLineEnd);
}

void PutSize(std::string& constants, std::string_view name, int size) {
  constants += " : #__yylexer";
  constants += name;
  constants += "Size = ";
  constants += std::to_string(size);
}

}  // namespace

CompactTables::CompactTables(const Dfa& dfa, const std::vector<RuleCut>& cuts,
                             std::size_t ruleCount)
    : dfa_(dfa), ruleCount_(ruleCount), rows_(CompressRows(dfa)), classes_(256, 0) {
  if (dfa.charset) {
    for (int byte = 0; byte < 256; ++byte)
      classes_[static_cast<std::size_t>(byte)] = dfa.charset->classOf[byte];
  }
  accept_.reserve(dfa.states.size());
  for (const DfaState& state : dfa.states)
    accept_.push_back(state.final + 1);

  // A state's template and fill share one value: fill * span + template.
  int64_t span = 1;
  for (int32_t t : rows_.fallback)
    span = std::max<int64_t>(span, t + 1);
  links_.reserve(rows_.fallback.size());
  for (std::size_t s = 0; s < rows_.fallback.size(); ++s)
    links_.push_back(rows_.fill[s] * span + rows_.fallback[s]);
  if (!dfa.starts.empty()) {
    for (std::size_t rule = 0; rule < ruleCount; ++rule) {
      const RuleCut cut = rule < cuts.size() ? cuts[rule] : RuleCut{};
      ruleCuts_.push_back(static_cast<int32_t>(cut.kind));
      ruleCuts_.push_back(cut.length);
    }
  }

  constants_ = "#__yylexerCompact = 1 : #__yylexerFillValue = ";
  constants_ += std::to_string(rows_.fillValue);
  constants_ += " : #__yylexerSpan = ";
  constants_ += std::to_string(span);
  constants_ += " : #__yylexerSlots = ";
  constants_ += std::to_string(rows_.check.size());
  PutSize(constants_, "Class", TableSize(classes_));
  PutSize(constants_, "Accept", TableSize(accept_, true));
  PutSize(constants_, "Row", TableSize(rows_.row, true));
  PutSize(constants_, "Fallback", TableSize(links_, true));
  PutSize(constants_, "Base", TableSize(rows_.base));
  PutSize(constants_, "Next", TableSize(rows_.next));
  PutSize(constants_, "Check", TableSize(rows_.check));
  if (!dfa.starts.empty()) PutSize(constants_, "Cut", TableSize(ruleCuts_));
}

void CompactTables::Write(TextSink& text) const {
  {
    TextCursor out(text,
                   4096 + (dfa_.states.size() * 3 + rows_.base.size() + rows_.next.size() * 2) * 7 +
                       ruleCount_ * 24);
    PutLine(out, "DataSection");
    PutTable(out, "__yylexer_charclass", classes_, TableSize(classes_), true);
    PutTable(out, "__yylexer_accept", accept_, TableSize(accept_, true));
    PutTable(out, "__yylexer_row", rows_.row, TableSize(rows_.row, true));
    PutTable(out, "__yylexer_fallback", links_, TableSize(links_, true));
    PutTable(out, "__yylexer_base", rows_.base, TableSize(rows_.base));
    PutTable(out, "__yylexer_next", rows_.next, TableSize(rows_.next));
    PutTable(out, "__yylexer_check", rows_.check, TableSize(rows_.check));
    PutLine(out, "  ");
    PutLine(out, "  __yylexer_rules:");
    for (std::size_t rule = 0; rule < ruleCount_; ++rule) {
      out.Put("    Data.i @__yylexerrun");
      out.PutDecimal(static_cast<int64_t>(rule));
      out.Put("()");
      out.Put(kLineEnd);
    }
    PutInfoTable(out, dfa_.start, rows_.columns);
  }
  if (!dfa_.starts.empty()) {
    WriteStartTable(dfa_, text);
    TextCursor out(text, 256 + ruleCuts_.size() * 12);
    PutTable(out, "__yylexer_rulecut", ruleCuts_, TableSize(ruleCuts_));
  }
  TextCursor out(text, 64);
  PutLine(out, "EndDataSection");
}

}  // namespace tarnwick
