// WriteScannerTables: the tables are formatted into one string, row by row.
//
// Every field has a fixed minimum width so the rows line up for a reader of
// the generated source; numbers wider than the field are written in full,
// because the engine reads values, not columns. A row is first filled as a
// vector of targets so that each column is written once, in order, whatever
// order the moves come in.
#include "output/scanner_tables.h"

#include <cstddef>
#include <cstdint>
#include <vector>

#include "automaton/symbols.h"
#include "output/decimal.h"

namespace tarnwick {

namespace {

constexpr std::string_view kLineEnd = "\r\n";
constexpr int32_t kNoMove = -1;

void AppendLine(std::string& out, std::string_view line) {
  out += line;
  out += kLineEnd;
}

void AppendClassTable(const CharSet* charset, std::string& out) {
  AppendLine(out, "  __yylexer_charclass:");
  for (int byte = 0; byte < 256; ++byte) {
    if (byte % 16 == 0) {
      out += "    Data.i ";
    } else {
      out += ',';
    }
    AppendDecimalPadded(out, charset ? charset->classOf[byte] : 0, 3);
    if (byte % 16 == 15) out += kLineEnd;
  }
}

}  // namespace

void WriteScannerTables(const Dfa& dfa, std::string& out) {
  const int32_t classCount = dfa.charset ? dfa.charset->classCount : 0;
  const std::size_t columns = static_cast<std::size_t>(classCount) + 1;

  // Rows are at most 4 characters per column plus the action field; a little
  // more than that avoids regrowing the buffer for large automata.
  out.reserve(out.size() + 2048 + dfa.states.size() * (columns * 5 + 40));

  AppendLine(out, "DataSection");
  AppendClassTable(dfa.charset.get(), out);

  AppendLine(out, "  ");
  AppendLine(out, "  __yylexer_actionTable:");
  std::vector<int32_t> row(columns);
  for (const DfaState& state : dfa.states) {
    row.assign(columns, kNoMove);
    for (const DfaMove& move : state.moves) {
      // Column 0 serves both end of input and the bytes no rule names; a
      // symbol outside the class range cannot come from a sound DFA and is
      // dropped rather than written past the row.
      int32_t column = move.symbol == kEofSymbol ? 0 : move.symbol;
      if (column < 0 || column > classCount) continue;
      row[static_cast<std::size_t>(column)] = move.target;
    }
    out += "    Data.i ";
    for (int32_t target : row) {
      AppendDecimalPadded(out, target, 4);
      out += ',';
    }
    if (state.final == -1) {
      out += " 0";
    } else {
      out += " @__yylexerrun";
      AppendDecimal(out, state.final);
      out += "()";
    }
    out += kLineEnd;
  }

  AppendLine(out, "  ");
  AppendLine(out, "  __yylexer_info:");
  AppendLine(out, "    ; startstate, cntcharclass");
  out += "    Data.i ";
  AppendDecimal(out, dfa.start);
  out += ", ";
  AppendDecimal(out, static_cast<int64_t>(columns));
  out += kLineEnd;
  AppendLine(out, "EndDataSection");
}

}  // namespace tarnwick
