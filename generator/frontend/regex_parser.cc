// The operator-precedence pass. Operands (finished subtrees) and operators
// (AND, OR and group markers) live on two ObjectLists used as stacks. An
// incoming binary operator first reduces every stacked operator of equal or
// higher precedence (so both are left-associative), then is pushed; postfix
// operators bind tightest and are reduced at once; a group marker has the
// lowest precedence, so no reduction crosses it until its `)` pops it.
//
// A count works like a postfix operator: it replaces the operand on top by
// its repetition. A reference is read by a parser of its own over the
// definition's text, with the letter case in force where the reference
// stands, and its tree goes on the operand stack as one operand, as a group
// would. Each group remembers the case around it and gives it back at `)`.
//
// Nothing reaches the root before the whole expression has parsed: on an
// error the stacks go out of scope with every node on them, and the operand
// registry is cut back so that it names no released node.
#include "frontend/regex_parser.h"

#include <algorithm>
#include <cstddef>
#include <memory>
#include <utility>
#include <vector>

#include "base/text.h"
#include "frontend/brace_item.h"
#include "frontend/operand_reader.h"
#include "frontend/utf8_operand.h"
#include "regex/class_refiner.h"
#include "regex/fixed_length.h"
#include "regex/non_empty.h"
#include "regex/object_list.h"
#include "regex/repeat.h"

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

// The length of "(?i:" or "(?-i:" at the start of `rest`, else 0.
std::size_t CaseSwitchLength(std::string_view rest) {
  if (rest.starts_with("(?i:")) return 4;
  if (rest.starts_with("(?-i:")) return 5;
  return 0;
}

class Parser {
 public:
  // `nested`: the text is a definition's expression, read at a reference or
  // checked where it is defined; it has no action after it.
  Parser(RegexNode& root, std::string_view text, const ParseContext& context, bool caseInsensitive,
         bool nested)
      : root_(root),
        text_(text),
        context_(context),
        reader_((root.flags & kUtf8Mode) != 0, context.cases),
        caseInsensitive_(caseInsensitive),
        nested_(nested) {}

  // The stop position (1-based), or 0 with `error_` set. The tree is then
  // taken with TakeTree.
  int Run();
  std::unique_ptr<RegexNode> TakeTree() { return std::move(tree_); }
  const OperandError& error() const { return error_; }
  const RuleShape& shape() const { return shape_; }

 private:
  // Pops `op`'s operands off the operand stack, hangs them under it in the
  // order they were pushed, and pushes `op` in their place.
  void Reduce(std::unique_ptr<RegexNode> op);
  // Reduces every stacked operator that binds at least as tightly as `kind`,
  // then stacks a new operator of that kind.
  void PushOperator(int32_t kind);
  // Stacks a group marker; the group reads with `caseInsensitive`.
  void OpenGroup(bool caseInsensitive);
  // Pops and reduces up to and including the innermost group marker.
  bool CloseGroup();
  // Builds the operand at the position and pushes its node; leaves the
  // position on the operand's last character.
  bool PushOperand(bool quoted);
  // The operand's subtree over classes: one operand OR in 8-bit mode, the
  // OR of its UTF-8 byte sequences otherwise.
  std::unique_ptr<RegexNode> Refine(const unicode::CodePointSet& set);
  // The expression of the definition that `item` names, if it names one.
  const std::string* Definition(const BraceItem& item) const;
  // Whether the `{` of `item` is neither a reference nor a count.
  bool StartsAction(const BraceItem& item, bool expectOperand) const {
    return !Definition(item) && (item.kind != BraceItem::Kind::Count || expectOperand);
  }
  // For a `{` that starts the action: true when it may, else fails with the
  // error it is.
  bool EndsExpression(const BraceItem& item);
  // Pushes the definition's expression as one operand.
  bool PushReference(const std::string& expression);
  // Replaces the operand on top by its counted repetition; `written` is the
  // count as it stands in the text.
  bool ApplyCount(const BraceItem& count, std::string_view written);
  // Takes `parts` from the budget; fails when it has not that many left.
  bool Spend(std::size_t parts);
  bool Fail(int number, std::string_view arg = {}) {
    error_.number = number;
    error_.arg = std::string(arg);
    return false;
  }
  // Reduces what is stacked to one tree and takes it off the operand stack;
  // nullptr when a group is still open.
  std::unique_ptr<RegexNode> FinishPart(bool expectOperand);
  // Whether only blanks stand between `from` and the end of the expression.
  bool OnlyBlanksToEnd(std::size_t from) const;
  // LF, CR LF or the end of input.
  std::unique_ptr<RegexNode> LineEnd();
  // Joins r and s (s may be null) and settles how the match is cut to r.
  std::unique_ptr<RegexNode> WithContext(std::unique_ptr<RegexNode> head,
                                         std::unique_ptr<RegexNode> body, bool lineEnd);

  RegexNode& root_;
  std::string_view text_;
  const ParseContext& context_;
  OperandReader reader_;
  bool caseInsensitive_;
  bool nested_;
  // The letter case in force around each open group, innermost last.
  std::vector<bool> outerCase_;
  std::size_t pos_ = 0;
  OperandError error_;
  ObjectList<RegexNode> operators_;
  ObjectList<RegexNode> operands_;
  RuleShape shape_;
  std::unique_ptr<RegexNode> tree_;  // the result of Run
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

bool Parser::OnlyBlanksToEnd(std::size_t from) const {
  while (from < text_.size() && IsBlank(text_[from]))
    ++from;
  return from == text_.size() ||
         (text_[from] == '{' && StartsAction(ReadBraceItem(text_, from), false));
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

void Parser::OpenGroup(bool caseInsensitive) {
  PushOperator(NodeKind::AND);
  operators_.Push(std::make_unique<RegexNode>(NodeKind::GroupMarker));
  outerCase_.push_back(caseInsensitive_);
  caseInsensitive_ = caseInsensitive;
}

bool Parser::CloseGroup() {
  while (!operators_.IsEmpty()) {
    std::unique_ptr<RegexNode> op = operators_.Pop();
    if (op->kind == NodeKind::GroupMarker) {
      caseInsensitive_ = outerCase_.back();
      outerCase_.pop_back();
      return true;
    }
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
  if (caseInsensitive_) reader_.WidenCase(set);
  operands_.Push(Refine(set));
  // Operands read inside a reference are parts it makes: a chain of
  // definitions that each use the one before twice doubles at every step.
  return !nested_ || Spend(CountNodes(*operands_.Top()));
}

bool Parser::Spend(std::size_t parts) {
  if (parts > context_.budget->left) {
    return Fail(kExpressionTooLarge, std::to_string(context_.budget->limit));
  }
  context_.budget->left -= parts;
  return true;
}

const std::string* Parser::Definition(const BraceItem& item) const {
  if (item.kind != BraceItem::Kind::Name || context_.definitions == nullptr) return nullptr;
  const auto found = context_.definitions->find(item.name);
  return found == context_.definitions->end() ? nullptr : &found->second;
}

bool Parser::EndsExpression(const BraceItem& item) {
  if (item.kind == BraceItem::Kind::Name) {
    if (item.name == context_.defining) return Fail(kSelfReference, item.name);
    // With more text after it, it was meant as a reference, not as an action.
    if (nested_ || item.end + 1 < text_.size()) return Fail(kNoSuchDefinition, item.name);
  }
  return nested_ ? Fail(kSyntaxError) : true;
}

bool Parser::PushReference(const std::string& expression) {
  Parser inner(root_, expression, context_, caseInsensitive_, true);
  if (inner.Run() == 0) {
    error_ = inner.error();
    return false;
  }
  PushOperator(NodeKind::AND);
  operands_.Push(inner.TakeTree());
  return true;
}

bool Parser::ApplyCount(const BraceItem& count, std::string_view written) {
  if (count.most && *count.most < count.least) return Fail(kCountOutOfOrder, written);
  const uint64_t copies = count.most ? *count.most : std::max<uint64_t>(count.least, 1);
  // Each copy and the node that joins it in. Copies of an operand whose
  // texts vary in length cost the square: a text can then end in any of
  // them, so the automaton's states each hold a part of every copy.
  uint64_t size = CountNodes(*operands_.Top()) + 1;
  if (!FixedLength(*operands_.Top())) size *= copies;
  if (copies > 1 && (copies > kHugeCount / size || !Spend(copies * size))) {
    return Fail(kExpressionTooLarge, std::to_string(context_.budget->limit));
  }
  operands_.Push(Repeat(root_, operands_.Pop(), count.least, count.most));
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
  const bool context = !nested_ && (root_.flags & kContextMode) != 0;
  int depth = 0;  // open groups
  bool lineEnd = false;
  std::unique_ptr<RegexNode> head;  // r of r/s
  const std::size_t first = text_.find_first_not_of(" \t");
  if (!nested_ && first != std::string_view::npos && text_[first] == '^') {
    shape_.plainContext = !context;
    if (context) {
      shape_.lineStart = true;
      pos_ = first + 1;
    }
  }
  while (pos_ < text_.size()) {
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
    BraceItem brace;
    const std::string* definition = nullptr;
    if (!quoted && c == '{') {
      brace = ReadBraceItem(text_, pos_);
      definition = Definition(brace);
      if (StartsAction(brace, expectOperand)) {
        if (!EndsExpression(brace)) return 0;
        break;
      }
    }
    if (!nested_ && !quoted && c == '$' && OnlyBlanksToEnd(pos_ + 1)) {
      shape_.plainContext = shape_.plainContext || !context;
      if (context) {
        lineEnd = true;
        ++pos_;
        continue;
      }
    }
    if (!nested_ && !quoted && c == '/' && depth == 0) {
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
    if (!quoted && c == '{') {
      if (definition ? !PushReference(*definition)
                     : !ApplyCount(brace, text_.substr(pos_, brace.end + 1 - pos_))) {
        return 0;
      }
      pos_ = brace.end;
    } else if (!quoted && (c == '*' || c == '+' || c == '?')) {
      Reduce(std::make_unique<RegexNode>(PostfixKind(c)));
    } else if (!quoted && c == ')') {
      if (!CloseGroup()) return 0;
      --depth;
    } else if (!quoted && c == '|') {
      PushOperator(NodeKind::OR);
      expectOperand = true;
    } else if (!quoted && c == '(') {
      const std::size_t switched = CaseSwitchLength(text_.substr(pos_));
      OpenGroup(switched == 0 ? caseInsensitive_ : text_[pos_ + 2] == 'i');
      pos_ += switched == 0 ? 0 : switched - 1;
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
  tree_ = nested_ ? std::move(body) : WithContext(std::move(head), std::move(body), lineEnd);
  if (!tree_) return 0;
  return static_cast<int>(pos_) + 1;
}

}  // namespace

int ParseRegex(RegexNode& root, std::string_view text, const ParseContext& context,
               ErrorState& error, RuleShape* shape) {
  const std::size_t registered = root.charset->operandSets.size();
  PartBudget own{kDefaultPartLimit, kDefaultPartLimit};
  ParseContext used = context;
  if (used.budget == nullptr) used.budget = &own;
  int stop = 0;
  {
    Parser parser(root, text, used, (root.flags & kCaseInsensitive) != 0, false);
    stop = parser.Run();
    if (stop == 0) {
      error.ErrorNumber = parser.error().number;
      error.ErrorArg1 = parser.error().arg;
    } else {
      root.children.push_back(parser.TakeTree());
      if (shape) *shape = parser.shape();
    }
  }
  if (stop == 0) root.charset->operandSets.resize(registered);
  return stop;
}

int ParseRegex(RegexNode& root, std::string_view text, const CaseTable& cases, ErrorState& error,
               RuleShape* shape) {
  return ParseRegex(root, text, ParseContext{.cases = cases}, error, shape);
}

bool CheckDefinition(const RegexNode& root, std::string_view name, std::string_view text,
                     const ParseContext& context, ErrorState& error) {
  std::unique_ptr<RegexNode> scratch = RegexNode::MakeRoot();
  scratch->flags = root.flags;
  PartBudget own{kDefaultPartLimit, kDefaultPartLimit};
  ParseContext checking = context;
  checking.defining = name;
  if (checking.budget == nullptr) checking.budget = &own;
  Parser parser(*scratch, text, checking, (root.flags & kCaseInsensitive) != 0, true);
  if (parser.Run() != 0) return true;
  error.ErrorNumber = parser.error().number;
  error.ErrorArg1 = parser.error().arg;
  return false;
}

}  // namespace tarnwick
