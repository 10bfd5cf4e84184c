// The command line: which arguments select which action, and what a
// scripted run prints and returns.
#include "command_line.h"

#include <gtest/gtest.h>

#include <sstream>

#include "fake_system.h"

namespace korvane {
namespace {

TEST(CommandLineParse, SelectsModeAndOptionalFile) {
  EXPECT_EQ(ParseCommandLine({}).mode, RunMode::kWindow);
  CommandLine install = ParseCommandLine({"--install"});
  EXPECT_EQ(install.mode, RunMode::kInstall);
  EXPECT_FALSE(install.file.has_value());
  CommandLine uninstall = ParseCommandLine({"--uninstall", "x.prefs"});
  EXPECT_EQ(uninstall.mode, RunMode::kUninstall);
  EXPECT_EQ(uninstall.file, "x.prefs");
  EXPECT_EQ(ParseCommandLine({"x.prefs"}).mode, RunMode::kUsage);
  EXPECT_EQ(ParseCommandLine({"--install", "a", "b"}).mode, RunMode::kUsage);
  EXPECT_EQ(ParseCommandLine({"--INSTALL"}).mode, RunMode::kUsage);
  EXPECT_EQ(ParseCommandLine({"--help"}).mode, RunMode::kHelp);
  EXPECT_EQ(ParseCommandLine({"--version"}).mode, RunMode::kVersion);
  EXPECT_EQ(ParseCommandLine({"--help", "x.prefs"}).mode, RunMode::kUsage);
}

TEST(CommandLineInformation, HelpNamesEveryOptionAndTheDefaultToolList) {
  FakeSystem system;
  system.environment["HOME"] = "/h";
  EXPECT_EQ(InformationText(ParseCommandLine({"--version"}), system), "korvane-installer 1.0\n");
  const std::string help = InformationText(ParseCommandLine({"--help"}), system).value_or("");
  EXPECT_EQ(help.rfind(std::string(kUsage) + "\n", 0), 0u);
  for (const char* line : {"\n  --install [FILE]", "\n  --uninstall [FILE]", "\n  --help",
                           "\n  --version", "\n  /h/.purebasic/tools.prefs\n"}) {
    EXPECT_NE(help.find(line), std::string::npos) << line;
  }
  EXPECT_FALSE(InformationText(ParseCommandLine({"--install"}), system));
}

class CommandLineRun : public ::testing::Test {
 protected:
  int Run(const std::vector<std::string>& args) {
    out_.str("");
    err_.str("");
    return RunCommandLine(ParseCommandLine(args), system_, out_, err_);
  }
  FakeSystem system_;
  std::ostringstream out_, err_;
};

TEST_F(CommandLineRun, SuccessPrintsTheMessageAndReturnsZero) {
  system_.environment["HOME"] = "/h";
  system_.files["/h/.purebasic/tools.prefs"] = "[ToolsInfo]\r\nToolCount = 0\r\n";
  EXPECT_EQ(Run({"--install"}), 0);
  EXPECT_EQ(out_.str(), "Successfully install!\n");
  EXPECT_EQ(err_.str(), "");
  EXPECT_NE(system_.files["/h/.purebasic/tools.prefs"].find("ToolCount = 4"), std::string::npos);
}

TEST_F(CommandLineRun, FailuresGoToTheErrorStream) {
  EXPECT_EQ(Run({"--uninstall", "/missing"}), 1);
  EXPECT_EQ(out_.str(), "");
  EXPECT_EQ(err_.str(), "Can't open the file:\n/missing\n");
  system_.files["/f"] = "[ToolsInfo]\r\n";
  system_.fail_writes = true;
  EXPECT_EQ(Run({"--uninstall", "/f"}), 1);
  EXPECT_EQ(err_.str(), "Can't write the file:\n/f\n");
  EXPECT_EQ(Run({"--bogus"}), 2);
  EXPECT_EQ(err_.str(), std::string(kUsage) + "\n");
}

}  // namespace
}  // namespace korvane
