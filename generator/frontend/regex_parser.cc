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
#include "frontend/operand_bytes.h"
#include "frontend/operand_characters.h"
#include "frontend/utf8_operand.h"
#include "regex/class_refiner.h"
#include "regex/fixed_length.h"
#include "regex/non_empty.h"
#include "regex/object_list.h"
#include "unicode/case_folding.h"

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
      : root_(root), text_(text), cases_(cases) {}

  // The stop position (1-based), or 0 with `error_` set.
  int Run();
  const OperandError& error() const { return error_; }
  const RuleShape& shape() const { return shape_; }

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
  // The same over characters, in UTF-8 mode.
  bool PushCharacterOperand(bool quoted);
  bool Fail(int number) {
    error_.number = number;
    return false;
  }
  // Reduces what is stacked to one tree and takes it off the operand stack;
  // nullptr when a group is still open.
  std::unique_ptr<RegexNode> FinishPart(bool expectOperand);
  // Whether only blanks stand between `from` and the end of the expression.
  bool EndsExpression(std::size_t from) const;
  // LF, CR LF or the end of input.
  std::unique_ptr<RegexNode> LineEnd();
  // Joins r and s (s may be null) and settles how the match is cut to r.
  std::unique_ptr<RegexNode> WithContext(std::unique_ptr<RegexNode> head,
                                         std::unique_ptr<RegexNode> body, bool lineEnd);

  RegexNode& root_;
  std::string_view text_;
  const CaseTable& cases_;
  std::size_t pos_ = 0;
  OperandError error_;
  ObjectList<RegexNode> operators_;
  ObjectList<RegexNode> operands_;
  RuleShape shape_;
};

std::unique_ptr<RegexNode> Sequence(std::unique_ptr<RegexNode> first,
                                    std::unique_ptr<RegexNode> second, int32_t kind) {
  auto node = std::make_unique<RegexNode>(kind);
  node->children.push_back(std::move(first));
  node->children.push_back(std::move(second));
  return node;
}

std::unique_ptr<RegexNode> Parser::FinishPart(bool expectOperand) {
  if (expectOperand) operands_.Push(std::make_unique<RegexNode>(NodeKind::Epsilon));
  while (!operators_.IsEmpty()) {
    std::unique_ptr<RegexNode> op = operators_.Pop();
    if (op->kind == NodeKind::GroupMarker) {
      Fail(kOpenWithoutClose);
      return nullptr;
    }
    Reduce(std::move(op));
  }
  return operands_.Pop();
}

bool Parser::EndsExpression(std::size_t from) const {
  while (from < text_.size() && IsBlank(text_[from]))
    ++from;
  return from == text_.size() || text_[from] == '{';
}

std::unique_ptr<RegexNode> Parser::LineEnd() {
  ByteSet lf{};
  lf[10] = true;
  ByteSet cr{};
  cr[13] = true;
  auto crlf = Sequence(RefineClasses(root_, cr), RefineClasses(root_, lf), NodeKind::AND);
  auto newline = Sequence(RefineClasses(root_, lf), std::move(crlf), NodeKind::OR);
  return Sequence(std::move(newline), std::make_unique<RegexNode>(NodeKind::EndOfInput),
                  NodeKind::OR);
}

// A fixed head is exact whatever follows; otherwise a fixed tail is, and the
// line end is told apart by its bytes. Where both sides vary, the cut would
// be a guess, so the rule is refused.
std::unique_ptr<RegexNode> Parser::WithContext(std::unique_ptr<RegexNode> head,
                                               std::unique_ptr<RegexNode> body, bool lineEnd) {
  if (!head) {
    if (!lineEnd) return body;
    head = std::move(body);
    body = nullptr;
  }
  if (const auto length = FixedLength(*head)) {
    shape_.cut = {CutKind::kKeepHead, static_cast<int32_t>(*length)};
  } else if (!body) {
    shape_.cut = {CutKind::kDropLineEnd, 0};
  } else if (const auto tail = FixedLength(*body); tail && !lineEnd) {
    shape_.cut = {CutKind::kDropTail, static_cast<int32_t>(*tail)};
  } else {
    Fail(kVariableContext);
    return nullptr;
  }
  // A match whose head is empty would cut to an empty token: the head keeps
  // only its non-empty texts, so such input goes to the rules below.
  if (auto nonEmpty = WithoutEmptyText(*head, root_)) {
    Unregister(*head, root_);
    head = std::move(nonEmpty);
  }
  if (lineEnd) body = body ? Sequence(std::move(body), LineEnd(), NodeKind::AND) : LineEnd();
  return Sequence(std::move(head), std::move(body), NodeKind::AND);
}

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
  if (root_.flags & kUtf8Mode) return PushCharacterOperand(quoted);
  ByteSet set{};
  if (quoted) {
    set[static_cast<uint8_t>(c)] = true;
  } else if (c == '[') {
    if (const int number = ReadBracketClass(text_, pos_, set); number != 0) return Fail(number);
  } else if (c == '\\') {
    set = ReadEscape(text_, pos_);
  } else if (c == '.') {
    set.fill(true);
  } else {
    set[static_cast<uint8_t>(c)] = true;
  }
  if (root_.flags & kCaseInsensitive) WidenCase(set, cases_);
  operands_.Push(RefineClasses(root_, set));
  return true;
}

bool Parser::PushCharacterOperand(bool quoted) {
  const char c = text_[pos_];
  unicode::CodePointSet set;
  bool read = true;
  if (!quoted && c == '[') {
    read = ReadCharacterClass(text_, pos_, set, error_);
  } else if (!quoted && c == '\\') {
    read = ReadCharacterEscape(text_, pos_, set, error_);
  } else if (!quoted && c == '.') {
    set = unicode::CodePointSet::All();
  } else {
    read = ReadCharacter(text_, pos_, set, error_);
  }
  if (!read) return false;
  if (root_.flags & kCaseInsensitive) unicode::WidenSimpleCase(set);
  operands_.Push(RefineCharacters(root_, set));
  return true;
}

int Parser::Run() {
  bool quoted = false;
  bool expectOperand = true;
  const bool context = (root_.flags & kContextMode) != 0;
  int depth = 0;  // open groups
  bool lineEnd = false;
  std::unique_ptr<RegexNode> head;  // r of r/s
  const std::size_t first = text_.find_first_not_of(" \t");
  if (first != std::string_view::npos && text_[first] == '^') {
    shape_.plainContext = !context;
    if (context) {
      shape_.lineStart = true;
      pos_ = first + 1;
    }
  }
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
    if (!quoted && c == '$' && EndsExpression(pos_ + 1)) {
      shape_.plainContext = shape_.plainContext || !context;
      if (context) {
        lineEnd = true;
        ++pos_;
        continue;
      }
    }
    if (!quoted && c == '/' && depth == 0) {
      shape_.plainContext = shape_.plainContext || !context;
      if (context && head) {
        Fail(kSyntaxError);  // one `/` per rule
        return 0;
      }
      if (context) {
        head = FinishPart(expectOperand);
        if (!head) return 0;
        expectOperand = true;
        ++pos_;
        continue;
      }
    }
    if (expectOperand) {
      operands_.Push(std::make_unique<RegexNode>(NodeKind::Epsilon));
      expectOperand = false;
    }
    if (!quoted && (c == '*' || c == '+' || c == '?')) {
      Reduce(std::make_unique<RegexNode>(PostfixKind(c)));
    } else if (!quoted && c == ')') {
      if (!CloseGroup()) return 0;
      --depth;
    } else if (!quoted && c == '|') {
      PushOperator(NodeKind::OR);
      expectOperand = true;
    } else if (!quoted && c == '(') {
      PushOperator(NodeKind::AND);
      operators_.Push(std::make_unique<RegexNode>(NodeKind::GroupMarker));
      expectOperand = true;
      ++depth;
    } else {
      PushOperator(NodeKind::AND);
      if (!PushOperand(quoted)) return 0;
    }
    ++pos_;
  }
  std::unique_ptr<RegexNode> body = FinishPart(expectOperand);
  if (!body) return 0;
  std::unique_ptr<RegexNode> tree = WithContext(std::move(head), std::move(body), lineEnd);
  if (!tree) return 0;
  root_.children.push_back(std::move(tree));
  return static_cast<int>(pos_) + 1;
}

}  // namespace

int ParseRegex(RegexNode& root, std::string_view text, const CaseTable& cases, ErrorState& error,
               RuleShape* shape) {
  const std::size_t registered = root.operandSets.size();
  int stop = 0;
  {
    Parser parser(root, text, cases);
    stop = parser.Run();
    if (stop == 0) {
      error.ErrorNumber = parser.error().number;
      error.ErrorArg1 = parser.error().arg;
    } else if (shape) {
      *shape = parser.shape();
    }
  }
  if (stop == 0) root.operandSets.resize(registered);
  return stop;
}

}  // namespace tarnwick
