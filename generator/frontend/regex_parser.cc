// The operator-precedence pass. Operands (finished subtrees) and operators
// (AND, OR and group markers) live on two ObjectLists used as stacks. An
// incoming binary operator first reduces every stacked operator of equal or
// higher precedence (so both are left-associative), then is pushed; postfix
// operators bind tightest and are reduced at once; a group marker has the
// lowest precedence, so no reduction crosses it until its `)` pops it.
//
// Nothing reaches the root before the whole expression has parsed: on an
// error the stacks go out of scope with every node on them, and the operand
// registry is cut back so that it names no released node.
#include "frontend/regex_parser.h"

#include <cstddef>
#include <memory>
#include <utility>

#include "base/text.h"
#include "frontend/operand_reader.h"
#include "frontend/utf8_operand.h"
#include "regex/class_refiner.h"
#include "regex/object_list.h"

namespace tarnwick {

namespace {

constexpr int kMarkerPrecedence = 0;
constexpr int kOrPrecedence = 7;
constexpr int kAndPrecedence = 8;

int Precedence(int32_t kind) {
  switch (kind) {
    case NodeKind::OR:
      return kOrPrecedence;
    case NodeKind::AND:
      return kAndPrecedence;
    default:
      return kMarkerPrecedence;
  }
}

int32_t PostfixKind(char c) {
  return c == '*' ? NodeKind::STAR : c == '+' ? NodeKind::MINONE : NodeKind::OPTION;
}

bool IsBlank(char c) {
  return c == ' ' || c == '\t';
}

bool BeginsEndOfInput(std::string_view rest) {
  return StartsWithIgnoringAsciiCase(rest, "<<EOF>>");
}

class Parser {
 public:
  Parser(RegexNode& root, std::string_view text, const CaseTable& cases)
      : root_(root), text_(text), reader_((root.flags & kUtf8Mode) != 0, cases) {}

  // The stop position (1-based), or 0 with `error_` set.
  int Run();
  const OperandError& error() const { return error_; }

 private:
  // Pops `op`'s operands off the operand stack, hangs them under it in the
  // order they were pushed, and pushes `op` in their place.
  void Reduce(std::unique_ptr<RegexNode> op);
  // Reduces every stacked operator that binds at least as tightly as `kind`,
  // then stacks a new operator of that kind.
  void PushOperator(int32_t kind);
  // Pops and reduces up to and including the innermost group marker.
  bool CloseGroup();
  // Builds the operand at the position and pushes its node; leaves the
  // position on the operand's last character.
  bool PushOperand(bool quoted);
  // The operand's subtree over classes: one operand OR in 8-bit mode, the
  // OR of its UTF-8 byte sequences otherwise.
  std::unique_ptr<RegexNode> Refine(const unicode::CodePointSet& set);
  bool Fail(int number) {
    error_.number = number;
    return false;
  }

  RegexNode& root_;
  std::string_view text_;
  OperandReader reader_;
  std::size_t pos_ = 0;
  OperandError error_;
  ObjectList<RegexNode> operators_;
  ObjectList<RegexNode> operands_;
};

void Parser::Reduce(std::unique_ptr<RegexNode> op) {
  std::unique_ptr<RegexNode> last = operands_.Pop();
  if (op->kind == NodeKind::AND || op->kind == NodeKind::OR) {
    op->children.push_back(operands_.Pop());
  }
  op->children.push_back(std::move(last));
  operands_.Push(std::move(op));
}

void Parser::PushOperator(int32_t kind) {
  const int precedence = Precedence(kind);
  while (!operators_.IsEmpty() && Precedence(operators_.Top()->kind) >= precedence) {
    Reduce(operators_.Pop());
  }
  operators_.Push(std::make_unique<RegexNode>(kind));
}

bool Parser::CloseGroup() {
  while (!operators_.IsEmpty()) {
    std::unique_ptr<RegexNode> op = operators_.Pop();
    if (op->kind == NodeKind::GroupMarker) return true;
    Reduce(std::move(op));
  }
  return Fail(kCloseWithoutOpen);
}

bool Parser::PushOperand(bool quoted) {
  const char c = text_[pos_];
  if (!quoted && c == '<') {
    if (!BeginsEndOfInput(text_.substr(pos_))) return Fail(kSyntaxError);
    operands_.Push(std::make_unique<RegexNode>(NodeKind::EndOfInput));
    pos_ += 6;
    return true;
  }
  if (!quoted && c == ']') return Fail(kBracketCloseWithoutOpen);
  unicode::CodePointSet set;
  bool read = true;
  if (!quoted && c == '[') {
    read = reader_.ReadClass(text_, pos_, set, error_);
  } else if (!quoted && c == '\\') {
    read = reader_.ReadEscape(text_, pos_, set, error_);
  } else if (!quoted && c == '.') {
    set = reader_.All();
  } else {
    read = reader_.ReadCharacter(text_, pos_, set, error_);
  }
  if (!read) return false;
  if (root_.flags & kCaseInsensitive) reader_.WidenCase(set);
  operands_.Push(Refine(set));
  return true;
}

std::unique_ptr<RegexNode> Parser::Refine(const unicode::CodePointSet& set) {
  if (reader_.utf8()) return RefineCharacters(root_, set);
  ByteSet bytes{};
  for (const auto& range : set.ranges()) {
    for (char32_t b = range.first; b <= range.last && b < bytes.size(); ++b)
      bytes[b] = true;
  }
  return RefineClasses(root_, bytes);
}

int Parser::Run() {
  bool quoted = false;
  bool expectOperand = true;
  while (pos_ < text_.size() && (quoted || text_[pos_] != '{')) {
    const char c = text_[pos_];
    if (c == '"') {
      quoted = !quoted;
      ++pos_;
      continue;
    }
    if (IsBlank(c)) {
      ++pos_;
      continue;
    }
    if (expectOperand) {
      operands_.Push(std::make_unique<RegexNode>(NodeKind::Epsilon));
      expectOperand = false;
    }
    if (!quoted && (c == '*' || c == '+' || c == '?')) {
      Reduce(std::make_unique<RegexNode>(PostfixKind(c)));
    } else if (!quoted && c == ')') {
      if (!CloseGroup()) return 0;
    } else if (!quoted && c == '|') {
      PushOperator(NodeKind::OR);
      expectOperand = true;
    } else if (!quoted && c == '(') {
      PushOperator(NodeKind::AND);
      operators_.Push(std::make_unique<RegexNode>(NodeKind::GroupMarker));
      expectOperand = true;
    } else {
      PushOperator(NodeKind::AND);
      if (!PushOperand(quoted)) return 0;
    }
    ++pos_;
  }
  if (expectOperand) operands_.Push(std::make_unique<RegexNode>(NodeKind::Epsilon));
  while (!operators_.IsEmpty()) {
    std::unique_ptr<RegexNode> op = operators_.Pop();
    if (op->kind == NodeKind::GroupMarker) {
      Fail(kOpenWithoutClose);
      return 0;
    }
    Reduce(std::move(op));
  }
  root_.children.push_back(operands_.Pop());
  return static_cast<int>(pos_) + 1;
}

}  // namespace

int ParseRegex(RegexNode& root, std::string_view text, const CaseTable& cases, ErrorState& error) {
  const std::size_t registered = root.operandSets.size();
  int stop = 0;
  {
    Parser parser(root, text, cases);
    stop = parser.Run();
    if (stop == 0) {
      error.ErrorNumber = parser.error().number;
      error.ErrorArg1 = parser.error().arg;
    }
  }
  if (stop == 0) root.operandSets.resize(registered);
  return stop;
}

}  // namespace tarnwick
