// ScannerTables: the automaton of a generated scanner source, read back from
// the text of its DataSection.
//
// The reader looks for the last "DataSection" line (user code may hold data
// sections of its own, the tables always come last) and reads the three
// labelled tables that follow it: the column of every byte, one row of next
// states plus an action field per state, and the start state with the row
// width. A scanner with start conditions, line anchors or trailing context
// has two more: the start states per condition (__yylexer_starts) and each
// state's cut (__yylexer_cut). Every count, column and target is checked before the tables are
// handed out, so the scan engine can index them without further tests.
// Malformed text of any kind yields an error message, never a crash: the
// reader is meant to be fed arbitrary files.
#pragma once

#include <array>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace tarnwick_scan {

inline constexpr int kNoMove = -1;
inline constexpr int kNoRule = -1;
// Bytes fall into at most 256 classes, plus the end-of-input column.
inline constexpr int kMaxColumns = 257;

struct ScannerTables {
  std::array<int, 256> columnOf{};  // column of each byte value; 0 means no move
  int columns = 1;                  // K: column 0 (end of input) plus the classes
  int start = 0;
  std::vector<int> next;          // StateCount() rows of `columns` targets
  std::vector<int> acceptedRule;  // per state: the rule whose action it names
  // With start tables: per condition two start states (not at / at a line
  // start), condition by condition; empty for a scanner without them.
  std::vector<int> starts;
  // With start tables: per state its cut kind (0 to 3) and length.
  std::vector<int> cutKind;
  std::vector<int> cutLength;

  int StateCount() const { return static_cast<int>(acceptedRule.size()); }
  int ConditionCount() const { return starts.empty() ? 1 : static_cast<int>(starts.size() / 2); }
  int StartState(int condition, bool lineStart) const {
    if (starts.empty()) return start;
    return starts[static_cast<size_t>(condition) * 2 + (lineStart ? 1 : 0)];
  }
  int Next(int state, int column) const {
    return next[static_cast<size_t>(state) * columns + column];
  }
};

struct TableRead {
  std::optional<ScannerTables> tables;
  std::string error;  // why `tables` is empty
  int line = 0;       // 1-based source line the error refers to; 0 for none
};

TableRead ReadScannerTables(std::string_view source);

}  // namespace tarnwick_scan
