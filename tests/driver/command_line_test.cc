// The command-line grammar: first parameter always the input, options taking
// the next parameter verbatim, exact option words, parameter errors.
#include "driver/command_line.h"

#include <gtest/gtest.h>

namespace tarnwick {
namespace {

std::optional<RunOptions> Parse(std::vector<std::string> parameters) {
  return ParseCommandLine(parameters);
}

TEST(CommandLine, OptionsInAnyOrderWithTheirValues) {
  auto options =
      Parse({"calc.lex", "-pdf", "g.pdf", "-o", "out.pb", "-debug", "7", "-dot", "g.dot"});
  ASSERT_TRUE(options);
  EXPECT_EQ(options->InputFile, "calc.lex");
  EXPECT_EQ(options->OutputFile, "out.pb");
  EXPECT_EQ(options->DotFile, "g.dot");
  EXPECT_EQ(options->PdfFile, "g.pdf");
  EXPECT_EQ(options->DebugValue, "7");
  EXPECT_EQ(options->GraphvizPath, "");
}

TEST(CommandLine, ValuesAreTakenVerbatimEvenWhenTheyLookLikeOptions) {
  auto options = Parse({"-in.lex", "-o", "-dot"});
  ASSERT_TRUE(options);
  EXPECT_EQ(options->InputFile, "-in.lex");
  EXPECT_EQ(options->OutputFile, "-dot");
  EXPECT_EQ(options->DotFile, "");
}

TEST(CommandLine, LastOptionWithoutValueAndRepeatedOptions) {
  auto lone = Parse({"in.lex", "-o"});
  ASSERT_TRUE(lone);
  EXPECT_EQ(lone->OutputFile, "");

  auto repeated = Parse({"in.lex", "-o", "out.pb", "-o", "other.pb"});
  ASSERT_TRUE(repeated);
  EXPECT_EQ(repeated->OutputFile, "other.pb");

  auto debugOnly = Parse({"in.lex", "-debug"});
  ASSERT_TRUE(debugOnly);
  EXPECT_EQ(debugOnly->DebugValue, "");
}

TEST(CommandLine, ParameterErrors) {
  EXPECT_FALSE(Parse({}));
  EXPECT_FALSE(Parse({""}));
  EXPECT_FALSE(Parse({"", "-o", "x.pb"}));
  EXPECT_FALSE(Parse({"in.lex", "-O", "out.pb"}));        // option words are case-sensitive
  EXPECT_FALSE(Parse({"-o", "x.pb"}));                    // "-o" is the input, "x.pb" no option
  EXPECT_FALSE(Parse({"in.lex", "-o", "a.pb", "b.pb"}));  // a stray value
}

TEST(CommandLine, OnlyALoneHelpOrVersionAsksForInformation) {
  EXPECT_EQ(FindInformationRequest({"--help"}), InformationRequest::kHelp);
  EXPECT_EQ(FindInformationRequest({"--version"}), InformationRequest::kVersion);
  for (std::vector<std::string> other : {std::vector<std::string>{},
                                         {"-help"},
                                         {"--HELP"},
                                         {"--help", "-o", "x.pb"},
                                         {"calc.lex", "--version"}}) {
    EXPECT_FALSE(FindInformationRequest(other));
  }
  // Anywhere but alone, the words are what they always were: an input file
  // name first, a parameter error after it.
  EXPECT_TRUE(Parse({"--help", "-o", "x.pb"}));
  EXPECT_FALSE(Parse({"calc.lex", "--help"}));
}

}  // namespace
}  // namespace tarnwick
