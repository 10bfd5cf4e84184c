// The walk of ScanEngine, step for step as yyLex in PBTarnwickInc.pbi does it
// (same variable roles: state, p, acceptRule/acceptEnd/acceptAtEnd).
#include "scan_engine.h"

namespace tarnwick_scan {

ScanEngine::ScanEngine(const ScannerTables& tables, std::string_view input, bool utf8)
    : tables_(tables), input_(input), where_(utf8), utf8_(utf8) {}

void ScanEngine::AdvanceTo(size_t end) {
  for (; position_ < end; ++position_)
    where_.Pass(input_, position_);
}

Token ScanEngine::Next() {
  Token token;
  token.offset = position_;
  token.line = where_.line();
  token.column = where_.column();
  if (position_ >= input_.size() && endDone_) return token;

  int state = tables_.start;
  size_t p = position_;
  int acceptRule = kNoRule;
  size_t acceptEnd = p;
  bool acceptAtEnd = false;
  bool tookEnd = false;
  while (!tookEnd) {
    int column = 0;
    if (p < input_.size()) {
      column = tables_.columnOf[static_cast<unsigned char>(input_[p])];
      if (column == 0) break;
    } else {
      tookEnd = true;
    }
    int next = tables_.Next(state, column);
    if (next == kNoMove) break;
    state = next;
    if (!tookEnd) ++p;
    int rule = tables_.acceptedRule[static_cast<size_t>(state)];
    if (rule != kNoRule) {
      acceptRule = rule;
      acceptEnd = p;
      acceptAtEnd = tookEnd;
    }
  }

  if (acceptRule != kNoRule) {
    AdvanceTo(acceptEnd);
    if (acceptAtEnd) endDone_ = true;
    token.kind = Token::Kind::kRule;
    token.rule = acceptRule;
    token.length = acceptEnd - token.offset;
  } else if (position_ < input_.size()) {
    token.kind = Token::Kind::kError;
    token.length = utf8_ ? Utf8SequenceLength(input_, position_) : 1;
    AdvanceTo(position_ + token.length);
  } else {
    endDone_ = true;
  }
  return token;
}

}  // namespace tarnwick_scan
