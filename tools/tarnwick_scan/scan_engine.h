// ScanEngine: the runtime include's matching algorithm over read-back tables.
//
// This is the executable twin of the PureBasic engine in PBTarnwickInc.pbi;
// the two must change together. From the current position the automaton is
// walked byte by byte (a byte of class 0 has no move), remembering the last
// accepting state; at the real end of input the end-of-input column is taken
// once. The token is the text up to the last accept. A match must consume a
// byte or the end of input: an accepting start state alone never matches,
// so a rule that can match the empty string cannot stall the scanner. Where
// nothing matches, one byte becomes an error token; in UTF-8 input a whole
// well-formed character does, since tables over characters can never start
// a match inside one. Once a match has used the end of input, or the end was
// reached without one, every further call gives the end token.
//
// With start tables the walk starts in the current condition's state (the
// line-start one at the start of the input or after a line feed), and an
// accept with a cut counts as its token cut back; a cut that leaves no byte
// does not count, and trailing context never uses up the end of input. The
// condition calls and Less are the engine's yyBegin, yyPushState,
// yyPopState and yyLess.
//
// Actions cannot run here. The engine hands out every match; a caller that
// drops the matches of some rules sees exactly what the PureBasic engine
// returns when those rules' actions give -1, because the engine's state after
// a match does not depend on the action's result.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string_view>
#include <vector>

#include "scanner_tables.h"
#include "text_position.h"

namespace tarnwick_scan {

struct Token {
  enum class Kind { kRule, kError, kEnd };
  Kind kind = Kind::kEnd;
  int rule = kNoRule;  // for kRule
  size_t offset = 0;   // of the first byte, from 0
  size_t length = 0;   // in bytes; 0 for kEnd and for a bare end-of-input match
  int line = 1;        // 1-based; a line feed starts a new line
  int column = 1;      // 1-based, in bytes or UTF-8 characters (text_position.h); a
                       // carriage return is a byte like any other
};

class ScanEngine {
 public:
  // Both must outlive the engine. `utf8` reads the input as the runtime reads
  // #PB_UTF8 input: columns count UTF-8 characters, and a well-formed
  // character that no rule matches is one error token.
  ScanEngine(const ScannerTables& tables, std::string_view input, bool utf8 = false);

  Token Next();

  // A condition the tables do not know is ignored, as by yyBegin.
  void Begin(int condition);
  void PushState(int condition);
  void PopState();
  int State() const { return condition_; }
  // Keeps the first n bytes of `token`, the last token Next gave, and gives
  // the rest back to the input.
  void Less(Token& token, size_t n);

 private:
  void AdvanceTo(size_t end);
  // The token's length for an accept in `state` of the match [position_, p);
  // -1 when the accept does not count.
  int64_t KeptLength(int state, size_t p, bool tookEnd) const;

  const ScannerTables& tables_;
  std::string_view input_;
  size_t position_ = 0;
  TextPosition where_;
  TextPosition tokenWhere_;  // where_ at the last token's start
  bool utf8_;
  bool endDone_ = false;
  int condition_ = 0;
  std::vector<int> stack_;
};

}  // namespace tarnwick_scan
