// Layer base: the interfaces the stages are handed (Log, ProgramRunner,
// CaseTable), the error numbers with ErrorState (this header), and the shared
// helpers (whole files, lines, ASCII case, CR LF, the byte-order mark). It
// uses no other layer; every other layer may use it.
//
// The error numbers and ErrorState, the record of the one error a generation
// run may end with.
//
// The code that finds an error sets the message number (and the reader keeps
// the line current) and returns failure; only the driver turns it into text,
// through its message table, which these numbers index. Failures that have no
// message number of their own (files that cannot be opened or written, an
// automaton too large) carry their text in `detail`.
#pragma once

#include <string>

namespace tarnwick {

// Message numbers: the parser's and the reader's errors, and the rest of the
// driver's message table, whose texts no stage of this generator reports.
enum ErrorNumbers : int {
  kNoError = 0,
  kSyntaxError = 1,              // a `<` that does not begin <<EOF>>; a bad %userdata
  kCloseWithoutOpen = 2,         // `)` with no open group
  kOpenWithoutClose = 3,         // a group still open at the end
  kBracketCloseWithoutOpen = 4,  // `]` outside a bracket class
  kBracketOpenWithoutClose = 5,  // a bracket class that never closes
  kBraceCloseWithoutOpen = 6,
  kBraceOpenWithoutClose = 7,  // an action that never closes
  kRangeOutOfOrder = 8,        // a range whose start lies above its end, or cut off
  kGarbageAtLineEnd = 9,       // text after an action's closing brace
  kTokenTooLong = 10,
  kDuplicateNonTerminal = 11,
  kDuplicateTerminal = 12,
  kDuplicatePriority = 13,
  kSymbolNotFound = 14,
  kNonTerminalNotFound = 15,
  kStartNotFound = 16,
  kEndStructureWithoutStructure = 17,
  kStructureWithoutEndStructure = 18,
  kContainerInStructure = 19,
  kInvalidCharAfterSection = 20,
  kIndexOutOfBounds = 21,
  kUndeclaredType = 22,
  // UTF-8 definitions only.
  kInvalidUtf8 = 23,      // bytes that are no well-formed UTF-8
  kUnknownCategory = 24,  // [:Name:] naming no general category (ErrorArg1: the name)
  kInvalidEscape = 25,    // \u or \U without its hex digits, or no character (ErrorArg1)
  // The driver's own, about the files of a run (ErrorArg1: the name).
  kOutputNamesADirectory = 26,  // an output name that ends in a separator or is a directory
  kNoScratchFolder = 27,        // no private folder, or no file in it, in the temporary directory
  // Start conditions and trailing context.
  kUndeclaredState = 28,     // a rule prefix names no declared state (ErrorArg1)
  kStateDeclaredTwice = 29,  // %state or %xstate repeats a name (ErrorArg1)
  kVariableContext = 30,     // r/s where neither r nor s has a fixed length
  kErrorNumberSlots = 31,    // the table's size
};

struct ErrorState {
  int ErrorNumber = kNoError;
  int ErrorLine = 0;
  std::string ErrorArg1;
  std::string ErrorArg2;
  std::string ErrorArg3;
  std::string detail;
};

}  // namespace tarnwick
