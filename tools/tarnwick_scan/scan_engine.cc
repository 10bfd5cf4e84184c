// The walk of ScanEngine, step for step as yyLex in PBTarnwickInc.pbi does it
// (same variable roles: state, p, acceptRule/acceptEnd/acceptAtEnd).
#include "scan_engine.h"

namespace tarnwick_scan {

ScanEngine::ScanEngine(const ScannerTables& tables, std::string_view input, bool utf8)
    : tables_(tables), input_(input), where_(utf8), tokenWhere_(utf8), utf8_(utf8) {}

void ScanEngine::Begin(int condition) {
  if (condition >= 0 && condition < tables_.ConditionCount()) condition_ = condition;
}

void ScanEngine::PushState(int condition) {
  stack_.push_back(condition_);
  Begin(condition);
}

void ScanEngine::PopState() {
  if (stack_.empty()) {
    condition_ = 0;
    return;
  }
  condition_ = stack_.back();
  stack_.pop_back();
}

void ScanEngine::Less(Token& token, size_t n) {
  if (token.kind != Token::Kind::kRule || n >= token.length) return;
  position_ = token.offset;
  where_ = tokenWhere_;
  endDone_ = false;
  AdvanceTo(token.offset + n);
  token.length = n;
}

int64_t ScanEngine::KeptLength(int state, size_t p, bool tookEnd) const {
  const auto whole = static_cast<int64_t>(p - position_);
  if (tables_.cutKind.empty()) return whole;
  const auto s = static_cast<size_t>(state);
  int64_t kept = whole;
  switch (tables_.cutKind[s]) {
    case 1:
      kept = tables_.cutLength[s];
      break;
    case 2:
      kept = whole - tables_.cutLength[s];
      break;
    case 3:
      if (!tookEnd)
        kept = whole >= 2 && input_[p - 2] == '\r' && input_[p - 1] == '\n' ? whole - 2 : whole - 1;
      break;
    default:
      return whole;
  }
  return kept <= 0 || kept > whole ? -1 : kept;
}

void ScanEngine::AdvanceTo(size_t end) {
  for (; position_ < end; ++position_)
    where_.Pass(input_, position_);
}

Token ScanEngine::Next() {
  Token token;
  token.offset = position_;
  token.line = where_.line();
  token.column = where_.column();
  tokenWhere_ = where_;
  if (position_ >= input_.size() && endDone_) return token;

  const bool lineStart = position_ == 0 || input_[position_ - 1] == '\n';
  int state = tables_.StartState(condition_, lineStart);
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
    const int64_t kept = rule == kNoRule ? -1 : KeptLength(state, p, tookEnd);
    if (kept >= 0) {
      const bool cut = !tables_.cutKind.empty() && tables_.cutKind[static_cast<size_t>(state)] != 0;
      acceptRule = rule;
      acceptEnd = position_ + static_cast<size_t>(kept);
      acceptAtEnd = tookEnd && !cut;
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
