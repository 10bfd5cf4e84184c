// WriteScannerTables: the tables are formatted row by row into the sink.
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

#include "base/text.h"
#include "output/text_cursor.h"
#include "regex/symbols.h"

namespace tarnwick {

namespace {

constexpr int32_t kNoMove = -1;

void PutClassTable(const CharSet* charset, TextCursor& out) {
  PutLine(out, "  __yylexer_charclass:");
  for (int byte = 0; byte < 256; ++byte) {
    if (byte % 16 == 0) {
      out.Put("    Data.i ");
    } else {
      out.Put(',');
    }
    out.PutDecimalPadded(charset ? charset->classOf[byte] : 0, 3);
    if (byte % 16 == 15) out.Put(kLineEnd);
  }
}

// A cell of the action table: the target right-aligned in 4 characters and
// a comma. Nearly every cell is "no move" or a state below 10,000, and those
// go in as one 5-byte block; a row of a large table is thousands of them.
void PutCell(int32_t target, TextCursor& out) {
  if (target < kNoMove || target >= 10000) {
    out.PutDecimalPadded(target, 4);
    out.Put(',');
    return;
  }
  char cell[5] = {' ', ' ', ' ', ' ', ','};
  if (target == kNoMove) {
    cell[2] = '-';
    cell[3] = '1';
  } else {
    std::size_t at = 3;
    do {
      cell[at--] = static_cast<char>('0' + target % 10);
      target /= 10;
    } while (target != 0);
  }
  out.PutPrefix(cell, sizeof cell);
}

// About the length of the tables every scanner has: rows take 5 characters
// per column and the action field; numbers wider than their field only make
// the cursor grow once more.
std::size_t CoreTablesSize(const Dfa& dfa) {
  const int32_t classCount = dfa.charset ? dfa.charset->classCount : 0;
  const std::size_t columns = static_cast<std::size_t>(classCount) + 1;
  return 4096 + dfa.states.size() * (columns * 5 + 32);
}

// The same for the start and cut tables: a cut line takes 17 characters
// with one-digit numbers.
std::size_t StartAndCutTablesSize(const Dfa& dfa) {
  return 256 + dfa.starts.size() * 16 + dfa.states.size() * 24;
}

// The tables every scanner has, from "DataSection" to __yylexer_info.
void PutCoreTables(const Dfa& dfa, TextSink& text) {
  const int32_t classCount = dfa.charset ? dfa.charset->classCount : 0;
  const std::size_t columns = static_cast<std::size_t>(classCount) + 1;

  TextCursor out(text, CoreTablesSize(dfa));

  PutLine(out, "DataSection");
  PutClassTable(dfa.charset.get(), out);

  PutLine(out, "  ");
  PutLine(out, "  __yylexer_actionTable:");
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
    out.Put("    Data.i ");
    for (int32_t target : row)
      PutCell(target, out);
    if (state.final == -1) {
      out.Put(" 0");
    } else {
      out.Put(" @__yylexerrun");
      out.PutDecimal(state.final);
      out.Put("()");
    }
    out.Put(kLineEnd);
  }

  PutInfoTable(out, dfa.start, static_cast<int64_t>(columns));
}

}  // namespace

void PutInfoTable(TextCursor& out, int64_t start, int64_t columns) {
  PutLine(out, "  ");
  PutLine(out, "  __yylexer_info:");
  PutLine(out, "    ; startstate, cntcharclass");
  out.Put("    Data.i ");
  out.PutDecimal(start);
  out.Put(", ");
  out.PutDecimal(columns);
  out.Put(kLineEnd);
}

void WriteStartTable(const Dfa& dfa, TextSink& text) {
  TextCursor out(text, 256 + dfa.starts.size() * 16);
  PutLine(out, "  ");
  PutLine(out, "  __yylexer_starts:");
  PutLine(out, "    ; conditions, then per condition: startstate, startstate at a line start");
  out.Put("    Data.i ");
  out.PutDecimal(static_cast<int64_t>(dfa.starts.size() / 2));
  out.Put(kLineEnd);
  for (std::size_t k = 0; k + 1 < dfa.starts.size(); k += 2) {
    out.Put("    Data.i ");
    out.PutDecimal(dfa.starts[k]);
    out.Put(", ");
    out.PutDecimal(dfa.starts[k + 1]);
    out.Put(kLineEnd);
  }
}

void WriteScannerTables(const Dfa& dfa, TextSink& text) {
  PutCoreTables(dfa, text);
  TextCursor out(text, 16);
  PutLine(out, "EndDataSection");
}

void WriteScannerTables(const Dfa& dfa, const std::vector<RuleCut>& cuts, TextSink& text) {
  if (dfa.starts.empty()) {
    WriteScannerTables(dfa, text);
    return;
  }
  // One allocation for all of it where the text is kept: the tables are most
  // of the scanner.
  text.Expect(CoreTablesSize(dfa) + StartAndCutTablesSize(dfa));
  PutCoreTables(dfa, text);
  WriteStartTable(dfa, text);
  TextCursor out(text, StartAndCutTablesSize(dfa));
  PutLine(out, "  ");
  PutLine(out, "  __yylexer_cut:");
  PutLine(out,
          "    ; per state: cut (0 none, 1 keep N bytes, 2 drop N bytes, 3 drop the line end), N");
  for (const DfaState& state : dfa.states) {
    RuleCut cut;
    if (state.final >= 0 && static_cast<std::size_t>(state.final) < cuts.size()) {
      cut = cuts[static_cast<std::size_t>(state.final)];
    }
    out.Put("    Data.i ");
    out.PutDecimal(static_cast<int32_t>(cut.kind));
    out.Put(", ");
    out.PutDecimal(cut.length);
    out.Put(kLineEnd);
  }
  PutLine(out, "EndDataSection");
}

}  // namespace tarnwick
