// The settings reader's tolerance of real-world ini files, the message
// table's fixed texts and the formatting of errors.
#include <gtest/gtest.h>

#include "driver/banner.h"
#include "driver/error_messages.h"
#include "driver/paths.h"
#include "driver/settings_file.h"

namespace tarnwick {
namespace {

TEST(Settings, NamesIgnoreCaseAndValuesLoseSurroundingBlanks) {
  const char* text =
      "\xEF\xBB\xBF; written by hand\r\n"
      "[Other]\r\n"
      "graphviz = wrong\r\n"
      "  [GLOBAL]  \r\n"
      "\tGraphViz\t =  \tC:\\Program Files\\dot.exe \t\r\n"
      "graphviz = second\r\n";
  EXPECT_EQ(FindSetting(text, "Global", "graphviz"), "C:\\Program Files\\dot.exe");
}

TEST(Settings, LineEndsOfEveryKindAndMissingEntries) {
  EXPECT_EQ(FindSetting("[Global]\rgraphviz=a\rx=b", "Global", "x"), "b");
  EXPECT_EQ(FindSetting("[Global]\ngraphviz=", "Global", "graphviz"), "");
  EXPECT_EQ(FindSetting("[Global\ngraphviz=unclosed", "global", "graphviz"), "unclosed");
  EXPECT_EQ(FindSetting("graphviz=outside\n[Global]\n", "Global", "graphviz"), std::nullopt);
  EXPECT_EQ(FindSetting("[Global]\n;graphviz=commented\n", "Global", "graphviz"), std::nullopt);
  EXPECT_EQ(FindSetting("", "Global", "graphviz"), std::nullopt);
  EXPECT_EQ(ReadGraphvizPath("/nonexistent/dir/Yarrowkit.ini"), "");
}

TEST(Messages, TableHasItsFixedTextsAndEmptyEnds) {
  EXPECT_EQ(Banner(), "Tarnwick V.1.00");
  EXPECT_EQ(ErrorMessages[0], "");
  EXPECT_EQ(ErrorMessages[1], "Syntax error");
  EXPECT_EQ(ErrorMessages[8], "Range out of ordner");
  EXPECT_EQ(ErrorMessages[20], "Invalid char behind '\xA7': '%s1'");
  EXPECT_EQ(ErrorMessages[22], "'%s1' don't have a declared type");
  EXPECT_EQ(ErrorMessages[23], "Invalid UTF-8 character");
  EXPECT_EQ(ErrorMessages[24], "Unknown Unicode category: '%s1'");
  EXPECT_EQ(ErrorMessages[25], "Invalid Unicode escape: '%s1'");
  EXPECT_EQ(ErrorMessages[kOutputNamesADirectory], "'%s1' names a directory, not an output file");
  EXPECT_EQ(ErrorMessages[kUndeclaredState], "Undeclared start condition: '%s1'");
  EXPECT_EQ(ErrorMessages[kVariableContext],
            "Trailing context needs a fixed length before or after '/'");
  EXPECT_EQ(ErrorMessages.size(), 31u);
  for (int n = 1; n <= 30; ++n)
    EXPECT_FALSE(ErrorMessages[n].empty()) << n;
}

TEST(Messages, FormattingReplacesPlaceholdersInOrder) {
  ErrorState error;
  error.ErrorNumber = 12;
  EXPECT_EQ(FormatErrorMessage(error), "Duplicated terminal symbol: ");
  error.ErrorArg1 = "%s2";  // replaced again by the second pass, as the order says
  error.ErrorArg2 = "x";
  EXPECT_EQ(FormatErrorMessage(error), "Duplicated terminal symbol: x");
  error.ErrorNumber = 16;  // "%start" is not a placeholder
  EXPECT_EQ(FormatErrorMessage(error), "Can't find the start definition '%start'");
}

TEST(Messages, FailuresWithoutNumberShowTheirDetailAndBadNumbersNothing) {
  ErrorState error;
  EXPECT_EQ(FormatErrorMessage(error), "");
  error.detail = "Cannot open the definition file: a.lex";
  EXPECT_EQ(FormatErrorMessage(error), "Cannot open the definition file: a.lex");
  error.ErrorNumber = kErrorNumberSlots;
  EXPECT_EQ(FormatErrorMessage(error), "");
  error.ErrorNumber = -1;
  EXPECT_EQ(FormatErrorMessage(error), "");
}

TEST(Paths, DirectoryPartKeepsItsSeparatorOfEitherKind) {
  EXPECT_EQ(DirectoryPart("calc.lex"), "");
  EXPECT_EQ(DirectoryPart("C:\\work\\calc.lex"), "C:\\work\\");
  EXPECT_EQ(DirectoryPart("/a\\b/c.pb"), "/a\\b/");
  EXPECT_EQ(DirectoryPart("dir/"), "dir/");
  EXPECT_EQ(FileNamePart("C:\\work/calc.lex"), "calc.lex");
  EXPECT_EQ(FileNamePart("dir/"), "");
}

}  // namespace
}  // namespace tarnwick
