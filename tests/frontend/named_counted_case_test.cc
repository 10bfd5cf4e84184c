// Named definitions, counts and letter case per part, run through the whole
// pass. Most forms are checked by the tables they give: they must be exactly
// the tables of the same rule written out by hand. The rest by the texts the
// first rule's automaton matches, and the errors by number, line and text.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "base/errors.h"
#include "compiled.h"
#include "frontend/definition_reader.h"
#include "pipeline/generate.h"

namespace tarnwick {
namespace {

struct SameTables {
  std::string_view declarations;
  std::string_view rule;
  std::string_view plainDeclarations;  // without definitions
  std::string_view written;            // the rule written out
};

TEST(NamedCountedCase, GiveTheTablesOfTheRuleWrittenOut) {
  const std::vector<SameTables> cases = {
      // Three deep: a definition built on definitions built on one.
      {"%define D [0-9]\n%define N {D}+\n%define F {N}(\\.{N})?\n", "{F}", "",
       "[0-9]+(\\.[0-9]+)?"},
      // A reference is one group: {AB}+ repeats the whole alternative.
      {"%define AB a|b\n", "x{AB}+y", "", "x(a|b)+y"},
      // At the start, after `(` and after `|`, inside a group, after a count.
      {"%define L [a-z]\n%define D [0-9]\n", "{L}({L}|{D})*", "", "[a-z]([a-z]|[0-9])*"},
      {"%define L [a-z]\n", "({L}x){2}{L}", "", "([a-z]x)([a-z]x)[a-z]"},
      {"", "a{3}", "", "aaa"},
      {"", "a{1}b", "", "ab"},
      {"", "a{2,}", "", "aa+"},
      {"", "a{0,}", "", "a*"},
      {"", "a{1,3}", "", "a(a(a)?)?"},
      {"", "a{0,2}", "", "(a(a)?)?"},
      {"", "(ab|c){2}", "", "(ab|c)(ab|c)"},
      {"", "\\x[0-9a-f]{2}", "", "\\x[0-9a-f][0-9a-f]"},
      {"", "a*{2}", "", "a*a*"},
      // Case per part, and a reference taking on the case around it.
      {"", "(?i:ab)c", "", "[aA][bB]c"},
      {"%nocase\n", "(?-i:ab)c", "", "ab[cC]"},
      {"%define K if\n", "(?i:{K})x", "", "[iI][fF]x"},
      {"%nocase\n%define K if\n", "(?-i:{K})", "", "if"},
      {"", "(?i:a(?-i:b)c)", "", "[aA]b[cC]"},
      {"", "(?i:\xE4)", "", "[\xE4\xC4]"},
      {"%utf8\n", "(?i:\xCF\x83)", "%utf8\n", "[\xCF\x83\xCF\x82\xCE\xA3]"},
      // Beside trailing context: a reference or count before `$` or `/`, and
      // inside a definition `$` is a character.
      {"%context\n%define D [0-9]\n", "{D}+$", "%context\n", "([0-9])+$"},
      {"%context\n%define D [0-9]\n", "^{D}{2}/x", "%context\n", "^[0-9][0-9]/x"},
      {"%context\n%define D a$\n", "{D}", "%context\n", "a\\$"},
      // Quoted, `(?i:` is text.
      {"", "\"(?i:\"a", "", "\\(\\?i:a"},
  };
  for (const SameTables& c : cases) {
    const Compiled named = CompileDefinition(c.declarations, std::string(c.rule) + " { }\n");
    const Compiled plain =
        CompileDefinition(c.plainDeclarations, std::string(c.written) + " { }\n");
    ASSERT_EQ(named.ok, 1) << c.rule << ": error " << named.error.ErrorNumber;
    ASSERT_EQ(plain.ok, 1) << c.written;
    EXPECT_EQ(named.Tables(), plain.Tables()) << c.rule << " against " << c.written;
  }
}

TEST(NamedCountedCase, ZeroCountsMatchTheEmptyText) {
  for (std::string_view rule : {"a{0}b", "a{0,0}b", "(xy){0}b"}) {
    const Compiled compiled = CompileDefinition("", std::string(rule) + " { }\n");
    ASSERT_EQ(compiled.ok, 1) << rule;
    EXPECT_TRUE(compiled.Matches("b")) << rule;
    EXPECT_FALSE(compiled.Matches("ab")) << rule;
    EXPECT_FALSE(compiled.Matches("xyb")) << rule;
  }
}

TEST(NamedCountedCase, BracesThatEndTheExpressionStayActions) {
  struct Action {
    std::string_view rules;
    std::string_view firstLine;  // the rule's output line
  };
  const std::vector<Action> cases = {
      {"a {x}\n", "Procedure __yylexerrun0(*userData) : x : ProcedureReturn -1 : EndProcedure"},
      {"a{x}\n", "Procedure __yylexerrun0(*userData) : x : ProcedureReturn -1 : EndProcedure"},
      {"{2}\n", "Procedure __yylexerrun0(*userData) : 2 : ProcedureReturn -1 : EndProcedure"},
      {"a|{2}\n", "Procedure __yylexerrun0(*userData) : 2 : ProcedureReturn -1 : EndProcedure"},
      {"a{ 2 }\n", "Procedure __yylexerrun0(*userData) :  2  : ProcedureReturn -1 : EndProcedure"},
      {"a{2,x}\n", "Procedure __yylexerrun0(*userData) : 2,x : ProcedureReturn -1 : EndProcedure"},
      {"a{ProcedureReturn\n}\n", "Procedure __yylexerrun0(*userData) : ProcedureReturn"},
  };
  for (const Action& c : cases) {
    const Compiled compiled = CompileDefinition("", c.rules);
    ASSERT_EQ(compiled.ok, 1) << c.rules;
    const std::size_t start = compiled.scanner.source.find("Procedure");
    const std::size_t end = compiled.scanner.source.find("\r\n", start);
    EXPECT_EQ(compiled.scanner.source.substr(start, end - start), c.firstLine) << c.rules;
  }
}

TEST(NamedCountedCase, DefinitionLinesBecomeEmptyLines) {
  const Compiled compiled =
      CompileDefinition("; defs\n%define D [0-9]\n%DEFINE E {D}\n", "{E} { }\n");
  ASSERT_EQ(compiled.ok, 1);
  EXPECT_TRUE(compiled.scanner.source.starts_with("; defs\r\n\r\n\r\nXIncludeFile"));
}

struct Fault {
  std::string_view declarations;
  std::string_view rules;
  int number;
  int line;
  std::string_view arg;
};

TEST(NamedCountedCase, ErrorsNameTheirLine) {
  const std::vector<Fault> cases = {
      {"%define A a{A}\n", "", kSelfReference, 1, "A"},
      {"%define A a|({A})\n", "", kSelfReference, 1, "A"},
      {"%define A a\n%define A b\n", "", kDuplicateDefinition, 2, "A"},
      {"\n%define A {B}x\n", "", kNoSuchDefinition, 2, "B"},
      {"%define A {B}\n", "", kNoSuchDefinition, 1, "B"},
      {"%define A (a\n", "", kOpenWithoutClose, 1, ""},
      {"%define A [a\n", "", kBracketOpenWithoutClose, 1, ""},
      {"%define A a{\n", "", kSyntaxError, 1, ""},
      {"%define A a{ x }\n", "", kSyntaxError, 1, ""},
      {"%define A\n", "", kSyntaxError, 1, ""},
      {"%define\n", "", kSyntaxError, 1, ""},
      {"%define 9 a\n", "", kSyntaxError, 1, ""},
      {"%define A-B a\n", "", kSyntaxError, 1, ""},
      {"", "\na{2,1} { }\n", kCountOutOfOrder, 3, "{2,1}"},
      {"", "{word}x { }\n", kNoSuchDefinition, 2, "word"},
      {"%define A a\n", "a{B}{A} { }\n", kNoSuchDefinition, 3, "B"},
      {"", "a{99999999999999999999} { }\n", kExpressionTooLarge, 2, "2000000"},
      {"", "(a{1000}){1000}(b{1000}){1000} { }\n", kExpressionTooLarge, 2, "2000000"},
      {"%utf8\n%define A \\uD800\n", "", kInvalidEscape, 2, "\\uD800"},
  };
  for (const Fault& c : cases) {
    const Compiled compiled = CompileDefinition(c.declarations, c.rules);
    EXPECT_EQ(compiled.ok, 0) << c.declarations << c.rules;
    EXPECT_EQ(compiled.error.ErrorNumber, c.number) << c.declarations << c.rules;
    EXPECT_EQ(compiled.error.ErrorLine, c.line) << c.declarations << c.rules;
    EXPECT_EQ(compiled.error.ErrorArg1, c.arg) << c.declarations << c.rules;
  }
}

// A file's counts and references share one budget of parts; operands whose
// texts vary in length cost the square of their count.
TEST(NamedCountedCase, PartsBeyondTheBudgetAreRefused) {
  struct Budget {
    std::string_view definition;
    bool fits;
  };
  const std::vector<Budget> cases = {
      {"%%\na{30} { }\n", true},
      {"%%\na{40} { }\n", false},
      {"%%\na{20} { }\nb{20} { }\n", false},
      {"%%\na{0,20} { }\n", true},
      {"%%\n(a+){0,20} { }\n", false},
      {"%define A aaaaaaaaaa\n%define B {A}{A}{A}{A}{A}{A}{A}{A}{A}{A}{A}{A}\n", false},
      // The definitions' checks share one budget, apart from the rules'.
      {"%define A a{15}\n%define B {A}\n%%\n{B} { }\n", true},
      {"%define A a{15}\n%define B {A}\n%define C {A}\n", false},
  };
  for (const Budget& c : cases) {
    auto root = RegexNode::MakeRoot();
    std::string out;
    ErrorState error;
    DefinitionFacts facts;
    const int ok =
        ReadDefinition(c.definition, *root, CaseTable::Windows1252(), out, error, facts, 100);
    EXPECT_EQ(ok == 1, c.fits) << c.definition;
    EXPECT_EQ(error.ErrorNumber, c.fits ? kNoError : kExpressionTooLarge) << c.definition;
  }
}

TEST(NamedCountedCase, ALargeCountWithinTheBudgetMeetsTheStateLimit) {
  const Compiled compiled = CompileDefinition("", "[a-z]{5000} { }\n", 1000);
  EXPECT_EQ(compiled.ok, 0);
  EXPECT_EQ(compiled.error.ErrorNumber, kNoError);
  EXPECT_NE(compiled.error.detail.find("grew past 1000 states"), std::string::npos);
}

}  // namespace
}  // namespace tarnwick
