// Start conditions and context in the definition: the directives' output
// lines, the rules' conditions, line-start flags and cuts, the errors with
// their lines, and the fixed lengths that decide how trailing context is cut.
#include <gtest/gtest.h>

#include <algorithm>
#include <optional>
#include <string>
#include <vector>

#include "frontend/definition_reader.h"
#include "frontend/regex_parser.h"
#include "read_text.h"
#include "regex/fixed_length.h"

namespace tarnwick {
namespace {

TEST(StartConditions, DirectivesWriteTheConstantsOnTheirLines) {
  const Read read = ReadText("%state A B\n%xstate C_1\n%context\n%%\n");
  ASSERT_EQ(read.ok, 1);
  EXPECT_EQ(read.out,
            "#__yylexerStartTable = 1 : #yyStateINITIAL = 0 : #yyStateA = 1 : #yyStateB = 2\r\n"
            "#yyStateC_1 = 3\r\n\r\n" +
                std::string(kIncludeLine) + "\r\n");
  EXPECT_EQ(read.facts.states.names, (std::vector<std::string>{"INITIAL", "A", "B", "C_1"}));
  EXPECT_EQ(read.facts.states.exclusive, (std::vector<bool>{false, false, false, true}));
  EXPECT_EQ(ReadText("%context\n%%\n").out, "#__yylexerStartTable = 1 : #yyStateINITIAL = 0\r\n" +
                                                std::string(kIncludeLine) + "\r\n");
  EXPECT_FALSE(ReadText("%nocase\n%%\na { }\n").facts.states.enabled);
}

TEST(StartConditions, PrefixesGiveTheConditionsOfEachRule) {
  const Read read = ReadText(
      "%state I\n%xstate X\n%context\n%%\na { }\n<X>b { }\n<I,X>c { }\n<*>d { }\n"
      "<X><<EOF>> { }\n^e { }\n<X>^f { }\n");
  ASSERT_EQ(read.ok, 1) << read.error.ErrorNumber;
  const std::vector<std::vector<bool>> expected = {
      {true, true, false},  {false, false, true}, {false, true, true}, {true, true, true},
      {false, false, true}, {true, true, false},  {false, false, true}};
  ASSERT_EQ(read.facts.states.rules.size(), expected.size());
  for (std::size_t r = 0; r < expected.size(); ++r) {
    EXPECT_EQ(read.facts.states.rules[r].conditions, expected[r]) << r;
    EXPECT_EQ(read.facts.states.rules[r].lineStart, r >= 5) << r;
  }
  EXPECT_EQ(read.facts.plainContextLine, 0);
}

struct ErrorCase {
  const char* definition;
  int number;
  int line;
  const char* arg;
};

TEST(StartConditions, ErrorsNameTheirLine) {
  const ErrorCase cases[] = {
      {"%state A\n%%\n<B>a { }\n", kUndeclaredState, 3, "B"},
      {"%state A\n%%\n<A,INITIAL,Q>a { }\n", kUndeclaredState, 3, "Q"},
      {"%state A A\n", kStateDeclaredTwice, 1, "A"},
      {"%state A\n%xstate INITIAL\n", kStateDeclaredTwice, 2, "INITIAL"},
      {"%state A-B\n", kSyntaxError, 1, ""},
      {"%state A\n%%\n<A a { }\n", kSyntaxError, 3, ""},
      {"%state A\n%%\n<A,>a { }\n", kSyntaxError, 3, ""},
      {"%%\n<A>a { }\n", kSyntaxError, 2, ""},  // no states: no prefix either
      {"%context\n%%\n\n[a-z]+/[0-9]+ { }\n", kVariableContext, 4, ""},
      {"%context\n%%\na+/b$ { }\n", kVariableContext, 3, ""},
      {"%context\n%%\na/b/c { }\n", kSyntaxError, 3, ""},
  };
  for (const ErrorCase& c : cases) {
    const Read read = ReadText(c.definition);
    EXPECT_EQ(read.ok, 0) << c.definition;
    EXPECT_EQ(read.error.ErrorNumber, c.number) << c.definition;
    EXPECT_EQ(read.error.ErrorLine, c.line) << c.definition;
    EXPECT_EQ(read.error.ErrorArg1, c.arg) << c.definition;
  }
}

TEST(StartConditions, PlainContextCharactersAreNotedWithoutTheDirective) {
  const char* const noted[] = {"^a", "a$", "a/b", " ^ a $ "};
  const char* const plain[] = {"a^", "$a", "(a/b)", "\"/\"", "[/]", "a\\/b", "\"$\""};
  for (const char* rule : noted) {
    EXPECT_EQ(ReadText(std::string("%%\n\n") + rule + " { }\n").facts.plainContextLine, 3) << rule;
  }
  for (const char* rule : plain) {
    EXPECT_EQ(ReadText(std::string("%%\n") + rule + " { }\n").facts.plainContextLine, 0) << rule;
  }
}

struct ShapeCase {
  const char* expression;
  bool lineStart;
  CutKind kind;
  int32_t length;
};

TEST(StartConditions, ContextShapesAndCuts) {
  const ShapeCase cases[] = {
      {"^ab", true, CutKind::kNone, 0},         {"ab$", false, CutKind::kKeepHead, 2},
      {"a+$", false, CutKind::kDropLineEnd, 0}, {"a+/bc", false, CutKind::kDropTail, 2},
      {"ab/c+", false, CutKind::kKeepHead, 2},  {"^a/b", true, CutKind::kKeepHead, 1},
      {"(a/b)", false, CutKind::kNone, 0},      {"a$b", false, CutKind::kNone, 0},
      {"\"a$\"", false, CutKind::kNone, 0},     {"a^", false, CutKind::kNone, 0},
  };
  for (const ShapeCase& c : cases) {
    auto root = RegexNode::MakeRoot();
    root->flags |= kContextMode;
    ErrorState error;
    RuleShape shape;
    ASSERT_NE(ParseRegex(*root, c.expression, CaseTable::Windows1252(), error, &shape), 0)
        << c.expression;
    EXPECT_EQ(shape.lineStart, c.lineStart) << c.expression;
    EXPECT_EQ(shape.cut, (RuleCut{c.kind, c.length})) << c.expression;
  }
}

// A head that can be empty is rewritten from copies; the registry of operand
// ORs must then name exactly the ORs in the rules' trees, so that a later
// class split reaches every copy and no released node.
TEST(StartConditions, RewrittenHeadsKeepTheOperandRegistryExact) {
  auto root = RegexNode::MakeRoot();
  std::string out;
  ErrorState error;
  DefinitionFacts facts;
  ASSERT_EQ(ReadDefinition("%context\n%%\n[a-c]*$ { }\n(x?|[ab]*)*/\"q\" { }\n"
                           "(((a?)*)?)*/[ab] { }\n[b] { }\n",
                           *root, CaseTable::Windows1252(), out, error, facts),
            1);
  std::vector<const RegexNode*> inTrees;
  std::vector<const RegexNode*> stack;
  for (const auto& rule : root->children)
    stack.push_back(rule.get());
  while (!stack.empty()) {
    const RegexNode* node = stack.back();
    stack.pop_back();
    inTrees.push_back(node);
    for (const auto& child : node->children)
      stack.push_back(child.get());
  }
  for (const RegexNode* operand : root->charset->operandSets) {
    EXPECT_NE(std::find(inTrees.begin(), inTrees.end(), operand), inTrees.end());
    EXPECT_EQ(operand->kind, NodeKind::OR);
  }
  // [b] split a-c: every copy of [a-c] holds both halves.
  for (const RegexNode* operand : root->charset->operandSets)
    EXPECT_FALSE(operand->children.empty());
}

TEST(FixedLengths, OnlyOneLengthCounts) {
  const std::pair<const char*, std::optional<int64_t>> cases[] = {
      {"abc", 3},
      {"a(b|c)d", 3},
      {"a|bc", std::nullopt},
      {"a?", std::nullopt},
      {"(ab)*", std::nullopt},
      {"a+", std::nullopt},
      {"<<EOF>>", 0},
      {"", 0},
      {"[]", std::nullopt},
      {"(a|[])b", 2},
      {"()*", 0},
  };
  for (const auto& [expression, length] : cases) {
    auto root = RegexNode::MakeRoot();
    ErrorState error;
    ASSERT_NE(ParseRegex(*root, expression, CaseTable::Windows1252(), error), 0) << expression;
    EXPECT_EQ(FixedLength(*root->children[0]), length) << expression;
  }
}

}  // namespace
}  // namespace tarnwick
