// "%prefix NAME" in the reader: the names of the lines it writes, and the
// directive's errors with their lines.
#include <gtest/gtest.h>

#include <string>

#include "frontend/definition_reader.h"
#include "read_text.h"

namespace tarnwick {
namespace {

TEST(Prefix, NamesEveryLineTheReaderWrites) {
  // The %state line stands above %prefix: the prefix still names it.
  const Read read = ReadText(
      "%xstate S\n%prefix Js_2\n%%\n\"a\" { ProcedureReturn \xA7Name }\n<S>\"b\" {\n"
      "  ProcedureReturn \xA7<EOF> }\n");
  ASSERT_EQ(read.ok, 1) << read.error.ErrorNumber;
  const std::string include(kIncludeLine);
  EXPECT_EQ(read.out,
            "#Js_2StartTable = 1 : #Js_2StateINITIAL = 0 : #Js_2StateS = 1\r\n"
            "#__yylexerPrefixed = 1 : #Js_2StateINITIAL = 0\r\n" +
                include +
                "\r\n"
                "Procedure Js_2run0(*userData) :  ProcedureReturn #Js_2TokenName  : "
                "ProcedureReturn -1 : EndProcedure\r\n"
                "Procedure Js_2run1(*userData) : \r\n"
                "  ProcedureReturn #yyEOF  : ProcedureReturn -1 : EndProcedure\r\n");
  EXPECT_EQ(read.facts.prefix, "Js_2");
  EXPECT_EQ(read.facts.includeTailOffset, read.out.find(include) + include.size());
}

TEST(Prefix, MalformedDirectivesAreErrorsOnTheirLines) {
  const struct {
    const char* definition;
    int32_t line;
  } cases[] = {
      {"%prefix\n%%\n", 1},
      {"%prefix 9a\n%%\n", 1},
      {"%prefix a-b\n%%\n", 1},
      {"%prefix a b\n%%\n", 1},
      {"; two names\n%prefix A\n%prefix B\n%%\n", 3},
  };
  for (const auto& c : cases) {
    const Read read = ReadText(c.definition);
    EXPECT_EQ(read.ok, 0) << c.definition;
    EXPECT_EQ(read.error.ErrorNumber, kSyntaxError) << c.definition;
    EXPECT_EQ(read.error.ErrorLine, c.line) << c.definition;
  }
  EXPECT_EQ(ReadText("%prefix A\n%PREFIX A\n%%\n").ok, 1);
}

}  // namespace
}  // namespace tarnwick
