// Definition reader: line kinds, sections, actions over several lines, token
// substitution, and the errors with their line numbers.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "frontend/definition_reader.h"
#include "frontend/definition_text.h"

namespace tarnwick {
namespace {

struct Translation {
  int ok;
  std::vector<std::string> lines;
  ErrorState error;
  std::unique_ptr<RegexNode> root = RegexNode::MakeRoot();
  DefinitionFacts facts;
};

Translation Translate(const std::string& definition) {
  Translation t;
  std::string out;
  t.ok = ReadDefinition(definition, *t.root, CaseTable::Windows1252(), out, t.error, t.facts);
  std::size_t start = 0;
  while (start < out.size()) {
    const std::size_t end = out.find("\r\n", start);
    // A failed pass leaves a partial line behind, which is never placed.
    if (t.ok) {
      EXPECT_NE(end, std::string::npos) << "every line ends in CR LF";
    }
    if (end == std::string::npos) break;
    t.lines.push_back(out.substr(start, end - start));
    start = end + 2;
  }
  return t;
}

TEST(DefinitionText, FindOutsideQuotesSkipsQuotedText) {
  EXPECT_EQ(FindOutsideQuotes("a;b", ";", kTrackQuotes, 0), 2u);
  EXPECT_EQ(FindOutsideQuotes("\";\";", ";", kTrackQuotes, 0), 4u);
  EXPECT_EQ(FindOutsideQuotes("';';", ";", kTrackQuotes, 0), 4u);
  EXPECT_EQ(FindOutsideQuotes("\"'\";", ";", kTrackQuotes, 0), 4u)
      << "a single quote inside double";
  EXPECT_EQ(FindOutsideQuotes("\";\"", ";", 0, 0), 2u) << "quotes count only when tracked";
  EXPECT_EQ(FindOutsideQuotes("abc", ";", kTrackQuotes, 0), 0u);
  EXPECT_EQ(FindOutsideQuotes("a}b}", "}", kTrackQuotes, 2), 4u);
}

TEST(DefinitionText, StripCommentTrimsSpacesOnly) {
  EXPECT_EQ(StripComment("  abc ; comment"), "abc");
  EXPECT_EQ(StripComment("\tabc\t"), "\tabc\t");
  EXPECT_EQ(StripComment("[;,]"), "[");
  EXPECT_EQ(StripComment("\";\" {x}"), "\";\" {x}");
  EXPECT_EQ(StripComment("   "), "");
}

TEST(DefinitionText, DirectiveWords) {
  EXPECT_EQ(ReadDirectiveWord("%nocase2"), "%nocase");
  EXPECT_EQ(ReadDirectiveWord("%%"), "%");
  EXPECT_EQ(ReadDirectiveWord("abc_d9"), "abc_d");
  EXPECT_EQ(ReadDirectiveWord("9abc"), "");
  EXPECT_EQ(ReadDirectiveWord(""), "");
  EXPECT_TRUE(IsWordChar('_'));
  EXPECT_FALSE(IsWordChar('5'));
}

TEST(DefinitionText, TokenSubstitution) {
  EXPECT_EQ(SubstituteTokens("return \xA7Number"), "return #yyTokenNumber");
  EXPECT_EQ(SubstituteTokens("\xA7<eof> \xA7<EOF>x"), "#yyEOF #yyEOFx");
  EXPECT_EQ(SubstituteTokens("\"\xA7\" '\xA7' \xA7"), "\"\xA7\" '\xA7' #yyToken");
  EXPECT_EQ(SubstituteTokens("\xA7<EO"), "#yyToken<EO");
  EXPECT_EQ(SubstituteTokens("\xA7\xA7"), "#yyToken#yyToken");
}

// The small calculator of the examples, line for line.
TEST(DefinitionReader, CalculatorExample) {
  const std::string definition =
      "; tokens of a small calculator\n"
      "%nocase\n"
      "%userdata *calc.CalcState\n"
      "Structure CalcState\n"
      "  count.i\n"
      "EndStructure\n"
      "%%\n"
      "[0-9]+  { *calc\\count = *calc\\count + 1 : ProcedureReturn \xA7Number }\n"
      "\"if\"  { ProcedureReturn \xA7If }  ; keyword\n"
      "[ \\t\\n]+  {\n"
      "  ; blanks: no token\n"
      "}\n"
      "; end\n"
      "<<EOF>>  { ProcedureReturn \xA7<EOF> }\n"
      "%%\n"
      "Procedure Reset(*calc.CalcState)\n"
      "EndProcedure\n";
  const Translation t = Translate(definition);
  ASSERT_EQ(t.ok, 1);
  const std::vector<std::string> expected = {
      "; tokens of a small calculator",
      "",
      "",
      "Structure CalcState",
      "  count.i",
      "EndStructure",
      "XIncludeFile \"PBTarnwickInc.pbi\" : ",
      "Procedure __yylexerrun0(*calc.CalcState) :  *calc\\count = *calc\\count + 1 : "
      "ProcedureReturn #yyTokenNumber  : ProcedureReturn -1 : EndProcedure",
      "Procedure __yylexerrun1(*calc.CalcState) :  ProcedureReturn #yyTokenIf  : "
      "ProcedureReturn -1 : EndProcedure",
      "Procedure __yylexerrun2(*calc.CalcState) : ",
      "  ; blanks: no token",
      " : ProcedureReturn -1 : EndProcedure",
      "",
      "Procedure __yylexerrun3(*calc.CalcState) :  ProcedureReturn #yyEOF  : "
      "ProcedureReturn -1 : EndProcedure",
      "",
      "Procedure Reset(*calc.CalcState)",
      "EndProcedure",
  };
  EXPECT_EQ(t.lines, expected);
  EXPECT_EQ(t.root->flags & kCaseInsensitive, kCaseInsensitive);
  EXPECT_EQ(t.root->children.size(), 4u);
}

TEST(DefinitionReader, LineEndsAndSections) {
  // CR, LF and CR LF all end lines; a file without separators is all
  // declarations; lines after a third separator vanish except separators.
  const Translation t = Translate("a\rb\r\nc\n%%\n%% x\nuser\n%%\ngone\n%%\n");
  ASSERT_EQ(t.ok, 1);
  const std::vector<std::string> expected = {
      "a", "b", "c", "XIncludeFile \"PBTarnwickInc.pbi\" : ", "", "user", "", ""};
  EXPECT_EQ(t.lines, expected);

  const Translation plain = Translate("x = 1 ; kept\n\n");
  ASSERT_EQ(plain.ok, 1);
  EXPECT_EQ(plain.lines, (std::vector<std::string>{"x = 1 ; kept", ""}));
  EXPECT_TRUE(plain.root->children.empty());
  EXPECT_TRUE(Translate("").lines.empty());
}

TEST(DefinitionReader, DirectivesAndTheirVariants) {
  const Translation t = Translate("%NoCase more\n%USERDATA  *p, q\n\t%nocase\n%%\na {}\n");
  ASSERT_EQ(t.ok, 1);
  EXPECT_EQ(t.lines[2], "\t%nocase") << "a tab in front hides a directive";
  EXPECT_EQ(t.lines[4], "Procedure __yylexerrun0( *p, q) :  : ProcedureReturn -1 : EndProcedure");

  for (const char* bad : {"%userdata\n", "%userdata2 x\n", "%userdata\tx\n"}) {
    const Translation e = Translate(std::string("ok\n") + bad);
    EXPECT_EQ(e.ok, 0) << bad;
    EXPECT_EQ(e.error.ErrorNumber, 1) << bad;
    EXPECT_EQ(e.error.ErrorLine, 2) << bad;
  }
}

TEST(DefinitionReader, MinimizeDirectiveAndRuleLines) {
  // "%minimize" is read like "%nocase"; in the rules section it is a rule.
  // A rule's line is the one it begins on, however long its action runs.
  const Translation t = Translate("; x\n%Minimize now\n%%\na {\n}\n\nb {}\n%minimize {}\n%%\n");
  ASSERT_EQ(t.ok, 1);
  EXPECT_EQ(t.lines[1], "");
  EXPECT_TRUE(t.facts.minimize);
  EXPECT_EQ(t.facts.ruleLines, (std::vector<int32_t>{4, 7, 8}));
  EXPECT_EQ(t.facts.separatorLine, 3);
  EXPECT_EQ(t.facts.lastLine, 9);

  const Translation none = Translate("x\n%minimizing\n");
  EXPECT_FALSE(none.facts.minimize) << "a letter continues the word";
  EXPECT_EQ(none.lines[1], "%minimizing");
  EXPECT_EQ(none.facts.separatorLine, 0);
  EXPECT_EQ(none.facts.lastLine, 2);
}

TEST(DefinitionReader, ActionsOverSeveralLines) {
  // A rule without "{" starts its action on the next line; "%%" inside an
  // open action is action text; quoted braces do not close it.
  const Translation t = Translate("%%\nabc\n\"}\" '}' \xA7X\n%%\n} ; done\n");
  ASSERT_EQ(t.ok, 1);
  const std::vector<std::string> expected = {
      "XIncludeFile \"PBTarnwickInc.pbi\" : ",
      "Procedure __yylexerrun0(*userData) : ",
      "\"}\" '}' #yyTokenX",
      "%%",
      " : ProcedureReturn -1 : EndProcedure",
  };
  EXPECT_EQ(t.lines, expected);
}

TEST(DefinitionReader, CommentBeforeTheClosingBrace) {
  // The procedure's end goes before the comment, or it would be commented
  // out; a quoted ";" is action text, and both parts keep their spaces.
  const Translation t =
      Translate("%%\na {\n  ProcedureReturn 1 ; one }\nb {\n  x = \";\" ; two ; 'z' }  ; after\n");
  ASSERT_EQ(t.ok, 1);
  EXPECT_EQ(t.lines[2], "  ProcedureReturn 1  : ProcedureReturn -1 : EndProcedure ; one ");
  EXPECT_EQ(t.lines[4], "  x = \";\"  : ProcedureReturn -1 : EndProcedure ; two ; 'z' ");
}

TEST(DefinitionReader, ErrorsCarryTheirLine) {
  struct Case {
    const char* definition;
    int number;
    int line;
  };
  const Case cases[] = {
      {"%%\na {\nb\n", 7, 3},       // the action never closes
      {"%%\na { }\n", 0, 0},        // fine
      {"%%\na { } x\n", 9, 2},      // garbage after the brace
      {"%%\na {\n}\tx\n", 9, 3},    // a tab is garbage too
      {"%%\na { }\t; c\n", 9, 2},   // so is a tab before a comment
      {"%%\nx {}\n(a {}\n", 3, 3},  // parser errors keep the rule's line
      {"%%\n[c-a] {}\n", 8, 2},
  };
  for (const Case& c : cases) {
    const Translation t = Translate(c.definition);
    EXPECT_EQ(t.ok, c.number == 0 ? 1 : 0) << c.definition;
    if (c.number != 0) {
      EXPECT_EQ(t.error.ErrorNumber, c.number) << c.definition;
      EXPECT_EQ(t.error.ErrorLine, c.line) << c.definition;
    }
  }
}

TEST(DefinitionReader, CommentsInRuleLines) {
  // The comment cut happens before parsing: "[;,]" is cut to "[", an
  // unclosed class; between double quotes the ";" belongs to the expression.
  const Translation cut = Translate("%%\n[;,] {}\n");
  EXPECT_EQ(cut.ok, 0);
  EXPECT_EQ(cut.error.ErrorNumber, 5);
  const Translation quoted = Translate("%%\n\";\" { x } ; c\n");
  ASSERT_EQ(quoted.ok, 1);
  EXPECT_EQ(quoted.lines[1],
            "Procedure __yylexerrun0(*userData) :  x  : ProcedureReturn -1 : EndProcedure");
}

TEST(DefinitionReader, Utf8ModeByMarkOrDirective) {
  // The mark is not part of line 1, so "%%" there is a separator; it is
  // written at the start of the output. The two-byte section sign is the
  // prefix; quoted, it stays.
  const Translation marked = Translate(
      "\xEF\xBB\xBF%%\n\"\xC3\xA4\" { ProcedureReturn \xC2\xA7\xC3\x84 } ; \xC2\xA7\n"
      "x { s = \"\xC2\xA7\" : ProcedureReturn \xC2\xA7<eof> }\n");
  ASSERT_EQ(marked.ok, 1);
  const std::vector<std::string> expected = {
      "\xEF\xBB\xBFXIncludeFile \"PBTarnwickInc.pbi\" : ",
      "Procedure __yylexerrun0(*userData) :  ProcedureReturn #yyToken\xC3\x84  : ProcedureReturn "
      "-1 : EndProcedure",
      "Procedure __yylexerrun1(*userData) :  s = \"\xC2\xA7\" : ProcedureReturn #yyEOF  : "
      "ProcedureReturn -1 : EndProcedure",
  };
  EXPECT_EQ(marked.lines, expected);
  EXPECT_TRUE(marked.root->flags & kUtf8Mode);

  // A %utf8 line anywhere among the declarations sets the mode for the whole
  // file, lines before it included; it is not copied.
  const Translation declared = Translate("; caf\xC3\xA9\n%UTF8 ; mode\n%%\n");
  ASSERT_EQ(declared.ok, 1);
  EXPECT_EQ(declared.lines, (std::vector<std::string>{"\xEF\xBB\xBF; caf\xC3\xA9", "",
                                                      "XIncludeFile \"PBTarnwickInc.pbi\" : "}));

  // In 8-bit mode nothing changes: "%utf" is a declaration, the mark's bytes
  // would be text, and the lone 0xA7 is the prefix.
  const Translation plain = Translate("%utf\n%%\na { \xA7X }\n%%\n%utf8\n");
  ASSERT_EQ(plain.ok, 1);
  EXPECT_EQ(plain.lines[0], "%utf");
  EXPECT_EQ(plain.lines[2],
            "Procedure __yylexerrun0(*userData) :  #yyTokenX  : ProcedureReturn -1 "
            ": EndProcedure");
  EXPECT_EQ(plain.lines[4], "%utf8");
  EXPECT_FALSE(plain.root->flags & kUtf8Mode);
}

TEST(DefinitionReader, Utf8ModeRejectsMalformedLinesWithTheirNumber) {
  // A lone 0xA7 (the 8-bit prefix) is malformed UTF-8, in actions, in
  // declarations and in user code alike.
  struct Case {
    const char* definition;
    int line;
  };
  const Case cases[] = {
      {"%utf8\n%%\na { \xA7X }\n", 3},
      {"%utf8\nx\xA7\n%%\n", 2},
      {"%utf8\n%%\na {\n\xC3 }\n", 4},
      {"%utf8\n%%\n%%\n\xED\xA0\x80\n", 4},
  };
  for (const Case& c : cases) {
    const Translation t = Translate(c.definition);
    EXPECT_EQ(t.ok, 0) << c.definition;
    EXPECT_EQ(t.error.ErrorNumber, 23) << c.definition;
    EXPECT_EQ(t.error.ErrorLine, c.line) << c.definition;
  }
}

}  // namespace
}  // namespace tarnwick
