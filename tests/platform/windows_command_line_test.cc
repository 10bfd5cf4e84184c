// The Windows command-line rules: splitting as the C runtime does, and
// quoting that survives that splitting for any argument.
#include "platform/windows_command_line.h"

#include <gtest/gtest.h>

namespace tarnwick::platform {
namespace {

using Args = std::vector<std::string>;

TEST(WindowsCommandLine, SplitsByTheRuntimeRules) {
  EXPECT_EQ(SplitWindowsCommandLine(R"("C:\Program Files\t.exe" a.lex -o "my out.pb")"),
            (Args{R"(C:\Program Files\t.exe)", "a.lex", "-o", "my out.pb"}));
  EXPECT_EQ(SplitWindowsCommandLine(R"(t.exe  a\\\"b  c\\"d e" f\g  "")"),
            (Args{"t.exe", R"(a\"b)", R"(c\d e)", R"(f\g)", ""}));
  EXPECT_EQ(SplitWindowsCommandLine(R"(t.exe "a""b" x""y)"), (Args{"t.exe", R"(a"b)", "xy"}));
  EXPECT_EQ(SplitWindowsCommandLine("t\\x.exe\tone"), (Args{"t\\x.exe", "one"}));
  EXPECT_EQ(SplitWindowsCommandLine(""), (Args{""}));
}

TEST(WindowsCommandLine, QuotedArgumentsSplitBackUnchanged) {
  Args arguments{"plain",
                 "",
                 "with space",
                 R"(C:\dir\)",
                 R"(C:\my dir\)",
                 R"(say "hi")",
                 R"(a\"b)",
                 R"(\\server\share)",
                 "tab\there",
                 "-Tpdf",
                 "x\\\\\"",
                 "\xA7"
                 "8bit"};
  std::string line = BuildWindowsCommandLine(R"(C:\Program Files\Graphviz\dot.exe)", arguments);
  Args split = SplitWindowsCommandLine(line);
  ASSERT_EQ(split.size(), arguments.size() + 1);
  EXPECT_EQ(split[0], R"(C:\Program Files\Graphviz\dot.exe)");
  for (std::size_t i = 0; i < arguments.size(); ++i)
    EXPECT_EQ(split[i + 1], arguments[i]) << i;
  EXPECT_EQ(QuoteWindowsArgument("plain"), "plain");
  EXPECT_EQ(QuoteWindowsArgument(R"(C:\my dir\)"), R"("C:\my dir\\")");
}

}  // namespace
}  // namespace tarnwick::platform
