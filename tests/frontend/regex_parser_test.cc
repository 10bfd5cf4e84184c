// Tests of ParseRegex: the printed tree shapes, the byte sets that operands
// stand for (read back through the class map), case widening, the stop
// position, and every error with the state it leaves in the root.
#include "frontend/regex_parser.h"

#include <gtest/gtest.h>

#include <set>
#include <string>

namespace tarnwick {
namespace {

using Bytes = std::set<int>;

Bytes Range(int first, int last) {
  Bytes bytes;
  for (int b = first; b <= last; ++b)
    bytes.insert(b);
  return bytes;
}

Bytes AllBut(const Bytes& excluded) {
  Bytes bytes;
  for (int b = 0; b < 256; ++b) {
    if (!excluded.contains(b)) bytes.insert(b);
  }
  return bytes;
}

// The bytes an operand OR stands for under the root's current class map.
Bytes BytesOf(const RegexNode& root, const RegexNode& operand) {
  Bytes bytes;
  for (const auto& leaf : operand.children) {
    for (int b = 0; b < 256; ++b) {
      if (root.charset->classOf[b] == leaf->kind) bytes.insert(b);
    }
  }
  return bytes;
}

class ParseRegexTest : public ::testing::Test {
 protected:
  // Parses into the fixture's root; the result and error are kept.
  int Parse(std::string_view text) {
    error_ = ErrorState{};
    return ParseRegex(*root_, text, cases_, error_);
  }

  std::string Tree(std::string_view text) {
    EXPECT_NE(Parse(text), 0) << text;
    return root_->children.empty() ? "" : root_->children.back()->ToString();
  }

  // The byte sets of every operand of one fresh rule, in text order.
  std::vector<Bytes> Operands(std::string_view text, bool nocase = false) {
    root_ = RegexNode::MakeRoot();
    if (nocase) root_->flags |= kCaseInsensitive;
    EXPECT_NE(Parse(text), 0) << text << " error " << error_.ErrorNumber;
    std::vector<Bytes> sets;
    for (const RegexNode* operand : root_->charset->operandSets)
      sets.push_back(BytesOf(*root_, *operand));
    return sets;
  }

  Bytes Single(std::string_view text, bool nocase = false) {
    auto sets = Operands(text, nocase);
    EXPECT_EQ(sets.size(), 1u) << text;
    return sets.empty() ? Bytes{} : sets.front();
  }

  int ErrorOf(std::string_view text) {
    root_ = RegexNode::MakeRoot();
    EXPECT_EQ(Parse(text), 0) << text;
    return error_.ErrorNumber;
  }

  std::unique_ptr<RegexNode> root_ = RegexNode::MakeRoot();
  CaseTable cases_ = CaseTable::Windows1252();
  ErrorState error_;
};

TEST_F(ParseRegexTest, PrintsTheDocumentedShapes) {
  EXPECT_EQ(Tree("ab"), "AND[AND[Epsilon, OR[1]], OR[2]]");
  root_ = RegexNode::MakeRoot();
  EXPECT_EQ(Tree("a|b*"), "OR[AND[Epsilon, OR[1]], AND[Epsilon, STAR[OR[2]]]]");
  root_ = RegexNode::MakeRoot();
  EXPECT_EQ(Tree("(a)"), "AND[Epsilon, AND[Epsilon, OR[1]]]");
  root_ = RegexNode::MakeRoot();
  EXPECT_EQ(Tree("a|"), "OR[AND[Epsilon, OR[1]], Epsilon]");
  root_ = RegexNode::MakeRoot();
  EXPECT_EQ(Tree("<<EOF>>"), "AND[Epsilon, -1]");
  root_ = RegexNode::MakeRoot();
  EXPECT_EQ(Tree(""), "Epsilon");
}

TEST_F(ParseRegexTest, RulesAccumulateUnderOneRoot) {
  EXPECT_EQ(Parse("a"), 2);
  EXPECT_EQ(Parse("<<eof>>"), 8);
  EXPECT_EQ(root_->ToString(), "OR[AND[Epsilon, OR[1]], AND[Epsilon, -1]]");
}

TEST_F(ParseRegexTest, OperatorsBindAndAssociateAsPrecedenceSays) {
  // Alternation is weakest and left-associative; concatenation binds tighter.
  EXPECT_EQ(Tree("a|b|c"), "OR[OR[AND[Epsilon, OR[1]], AND[Epsilon, OR[2]]], AND[Epsilon, OR[3]]]");
  root_ = RegexNode::MakeRoot();
  EXPECT_EQ(Tree("ab|c"), "OR[AND[AND[Epsilon, OR[1]], OR[2]], AND[Epsilon, OR[3]]]");
  // Postfix operators take the last operand, the last group, or the Epsilon.
  root_ = RegexNode::MakeRoot();
  EXPECT_EQ(Tree("ab+"), "AND[AND[Epsilon, OR[1]], MINONE[OR[2]]]");
  root_ = RegexNode::MakeRoot();
  EXPECT_EQ(Tree("(ab)?"), "AND[Epsilon, OPTION[AND[AND[Epsilon, OR[1]], OR[2]]]]");
  root_ = RegexNode::MakeRoot();
  EXPECT_EQ(Tree("*a"), "AND[STAR[Epsilon], OR[1]]");
  root_ = RegexNode::MakeRoot();
  EXPECT_EQ(Tree("a**"), "AND[Epsilon, STAR[STAR[OR[1]]]]");
  root_ = RegexNode::MakeRoot();
  EXPECT_EQ(Tree("()"), "AND[Epsilon, Epsilon]");
  root_ = RegexNode::MakeRoot();
  EXPECT_EQ(Tree("(a|)b"), "AND[AND[Epsilon, OR[AND[Epsilon, OR[1]], Epsilon]], OR[2]]");
}

TEST_F(ParseRegexTest, BlanksAreSkippedOutsideBracketClassesOnly) {
  const std::string plain = Tree("ab");
  root_ = RegexNode::MakeRoot();
  EXPECT_EQ(Tree("a b"), plain);
  root_ = RegexNode::MakeRoot();
  EXPECT_EQ(Tree("\"a\tb\""), plain);
  root_ = RegexNode::MakeRoot();
  EXPECT_EQ(Tree("a *"), "AND[Epsilon, STAR[OR[1]]]");
  EXPECT_EQ(Single("[ ]"), Bytes{' '});
  EXPECT_EQ(Single("[\t]"), Bytes{'\t'});
  EXPECT_EQ(Single("\\ "), Bytes{' '});
}

TEST_F(ParseRegexTest, QuotedCharactersAreLiteral) {
  EXPECT_EQ(Operands("\"a|b\""), (std::vector<Bytes>{{'a'}, {'|'}, {'b'}}));
  EXPECT_EQ(Operands("\"\\n\""), (std::vector<Bytes>{{'\\'}, {'n'}}));
  EXPECT_EQ(Operands("\"\\\""), (std::vector<Bytes>{{'\\'}}));
  EXPECT_EQ(Operands("\"([.<*)\""), (std::vector<Bytes>{{'('}, {'['}, {'.'}, {'<'}, {'*'}, {')'}}));
  root_ = RegexNode::MakeRoot();
  EXPECT_EQ(Tree("\"a*\""), "AND[AND[Epsilon, OR[1]], OR[2]]");
}

TEST_F(ParseRegexTest, SingleCharacterOperands) {
  EXPECT_EQ(Single("."), Range(0, 255));
  EXPECT_EQ(Single("\\n"), (Bytes{10, 13}));
  EXPECT_EQ(Single("\\t"), Bytes{9});
  for (const char c : std::string("\\\"{.*[r sN")) {
    EXPECT_EQ(Single(std::string("\\") + c), Bytes{static_cast<uint8_t>(c)}) << c;
  }
  for (const char c : std::string("'^$/,}-=")) {
    EXPECT_EQ(Single(std::string(1, c)), Bytes{static_cast<uint8_t>(c)}) << c;
  }
  EXPECT_EQ(Single("\xE9"), Bytes{0xE9});
}

TEST_F(ParseRegexTest, BackslashEndingTheTextIsTheBackslash) {
  EXPECT_EQ(Single("\\"), Bytes{'\\'});
  EXPECT_EQ(Parse("a\\"), 3);
  EXPECT_EQ(ErrorOf("[a\\"), kBracketOpenWithoutClose);
}

TEST_F(ParseRegexTest, BracketClassMembersAndRanges) {
  EXPECT_EQ(Single("[^a]"), AllBut({'a'}));
  EXPECT_EQ(Single("[a^]"), (Bytes{'a', '^'}));
  EXPECT_EQ(Single("[a-]"), (Bytes{'a', '-'}));
  EXPECT_EQ(Single("[-a]"), (Bytes{'-', 'a'}));
  EXPECT_EQ(Single("[^-a]"), AllBut({'-', 'a'}));
  EXPECT_EQ(Single("[a-c-e]"), Range('a', 'e'));
  EXPECT_EQ(Single("[\\t-z]"), (Bytes{9, '-', 'z'}));
  EXPECT_EQ(Single("[\\n-z]"), (Bytes{10, 13, '-', 'z'}));
  EXPECT_EQ(Single("[a-{]"), Range('a', '{'));
  EXPECT_EQ(Single("[Z-\\]"), Range('Z', '\\'));
  EXPECT_EQ(Single("[\\]-a]"), Range(']', 'a'));
  EXPECT_EQ(Single("[\\]]"), Bytes{']'});
  EXPECT_EQ(Single("[\"(.*[| ]"), (Bytes{'"', '(', '.', '*', '[', '|', ' '}));
  EXPECT_TRUE(Single("[^x]").contains('\n'));
  EXPECT_EQ(Single("[]"), Bytes{});
  EXPECT_EQ(Single("[^]"), Range(0, 255));
}

TEST_F(ParseRegexTest, CaseWideningFollowsTheComplement) {
  EXPECT_EQ(Single("[^a]", true), Range(0, 255));
  EXPECT_EQ(Single("[a-c]", true), (Bytes{'a', 'b', 'c', 'A', 'B', 'C'}));
  EXPECT_EQ(Single("\"Q\"", true), (Bytes{'q', 'Q'}));
  EXPECT_EQ(Single("\xC9", true), (Bytes{0xC9, 0xE9}));
  EXPECT_EQ(Single("\xFF", true), (Bytes{0x9F, 0xFF}));
  EXPECT_EQ(Single("1", true), Bytes{'1'});
  // Without the switch nothing widens.
  EXPECT_EQ(Single("[a-c]"), Range('a', 'c'));
}

TEST_F(ParseRegexTest, EndOfInputInAnyLetterCase) {
  for (const char* text : {"<<eof>>", "<<EOF>>", "<<Eof>>"}) {
    root_ = RegexNode::MakeRoot();
    EXPECT_EQ(Tree(text), "AND[Epsilon, -1]") << text;
    EXPECT_TRUE(root_->charset->operandSets.empty());
  }
  EXPECT_EQ(Operands("\"<\""), (std::vector<Bytes>{{'<'}}));
  EXPECT_EQ(Single("[<]"), Bytes{'<'});
}

TEST_F(ParseRegexTest, StopPositionIsTheOpeningBrace) {
  EXPECT_EQ(Parse("ab{ x }"), 3);
  EXPECT_EQ(Parse("ab"), 3);
  EXPECT_EQ(Parse("{ x }"), 1);
  EXPECT_EQ(Parse("a|{x}"), 3);
  EXPECT_EQ(root_->children.back()->ToString(), "OR[AND[Epsilon, OR[1]], Epsilon]");
  EXPECT_EQ(Parse("\\{{"), 3);
  EXPECT_EQ(Parse("\"{\"{"), 4);
  EXPECT_EQ(Parse("[{]{"), 0);
  // An unclosed quote takes the rest literally, braces included.
  EXPECT_EQ(Parse("\"a {b}"), 7);
  EXPECT_EQ(root_->children.size(), 7u);
}

TEST_F(ParseRegexTest, ErrorsCarryTheirNumbers) {
  EXPECT_EQ(ErrorOf("<a"), kSyntaxError);
  EXPECT_EQ(ErrorOf("<<EOF"), kSyntaxError);
  EXPECT_EQ(ErrorOf("<<EOF>"), kSyntaxError);
  EXPECT_EQ(ErrorOf(")"), kCloseWithoutOpen);
  EXPECT_EQ(ErrorOf("(a))"), kCloseWithoutOpen);
  EXPECT_EQ(ErrorOf("((a)"), kOpenWithoutClose);
  EXPECT_EQ(ErrorOf("(a{)}"), kOpenWithoutClose);
  EXPECT_EQ(ErrorOf("]"), kBracketCloseWithoutOpen);
  EXPECT_EQ(ErrorOf("a]"), kBracketCloseWithoutOpen);
  EXPECT_EQ(ErrorOf("[ab"), kBracketOpenWithoutClose);
  EXPECT_EQ(ErrorOf("[ab{"), kBracketOpenWithoutClose);
  EXPECT_EQ(ErrorOf("["), kBracketOpenWithoutClose);
  EXPECT_EQ(ErrorOf("[^"), kBracketOpenWithoutClose);
  EXPECT_EQ(ErrorOf("[c-a]"), kRangeOutOfOrder);
  EXPECT_EQ(ErrorOf("[a-"), kRangeOutOfOrder);
  EXPECT_EQ(ErrorOf("[a-{"), kBracketOpenWithoutClose);
}

TEST_F(ParseRegexTest, FailedRuleLeavesEarlierRulesIntactAndRegistersNothing) {
  ASSERT_EQ(Parse("[a-c]"), 6);
  const std::string before = root_->ToString();
  // The failing rule's operands split class 1 before the error is found.
  EXPECT_EQ(Parse("b.x(("), 0);
  EXPECT_EQ(error_.ErrorNumber, kOpenWithoutClose);
  ASSERT_EQ(root_->children.size(), 1u);
  ASSERT_EQ(root_->charset->operandSets.size(), 1u);
  EXPECT_EQ(BytesOf(*root_, *root_->charset->operandSets[0]), Range('a', 'c'));
  EXPECT_NE(root_->ToString(), before);  // the earlier operand names both parts now
  // Parsing goes on cleanly on the same root.
  EXPECT_EQ(Parse("b"), 2);
  ASSERT_EQ(root_->charset->operandSets.size(), 2u);
  EXPECT_EQ(BytesOf(*root_, *root_->charset->operandSets[1]), Bytes{'b'});
}

}  // namespace
}  // namespace tarnwick
