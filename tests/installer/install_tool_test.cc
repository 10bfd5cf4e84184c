// InstallTool and UninstallTool on whole files, through an in-memory system.
#include "install_tool.h"

#include <gtest/gtest.h>

#include <new>

#include "fake_system.h"

namespace korvane {
namespace {

const std::string kPath = "/prefs/tools.prefs";

// The thirteen lines of one entry as install writes them, CR LF included.
std::string Entry(int group, const std::string& trigger, int number,
                  const std::string& command = "/work/Korvane") {
  return "[Tool_" + std::to_string(group) + "]\r\nCommand = " + command +
         "\r\nArguments = " + trigger + " \"%PATH\"\r\nWorkingDir = \r\nMenuItemName = Korvane " +
         trigger + "\r\nShortcut = 0\r\nConfigLine = \r\nTrigger = " + std::to_string(number) +
         "\r\nFlags = 1\r\nReloadSource = 0\r\nHideEditor = 0\r\nHideFromMenu = 1\r\n"
         "SourceSpecific = 0\r\nDeactivate = 0\r\n";
}

// A foreign tool group with just a name and a command.
std::string Foreign(int group, const std::string& name) {
  return "[Tool_" + std::to_string(group) + "]\r\nCommand = other.exe\r\nMenuItemName = " + name +
         "\r\n";
}

class ToolActions : public ::testing::Test {
 protected:
  ActionResult Install(const std::string& text) {
    system_.files[kPath] = text;
    return InstallTool(system_, kPath);
  }
  ActionResult Uninstall(const std::string& text) {
    system_.files[kPath] = text;
    return UninstallTool(system_, kPath);
  }
  const std::string& File() { return system_.files[kPath]; }

  FakeSystem system_;
};

TEST_F(ToolActions, InstallAppendsFourEntriesInTriggerOrder) {
  const std::string before = "[ToolsInfo]\r\nToolCount = 2\r\n" + Foreign(0, "A") + Foreign(1, "B");
  ActionResult result = Install(before);
  EXPECT_TRUE(result.ok);
  EXPECT_EQ(result.message, "Successfully install!");
  EXPECT_EQ(File(), "[ToolsInfo]\r\nToolCount = 6\r\n" + Foreign(0, "A") + Foreign(1, "B") +
                        Entry(2, "BEFORE_EXE", 6) + Entry(3, "BEFORE_COMP", 3) +
                        Entry(4, "AFTER_COMP", 4) + Entry(5, "AFTER_EXE", 7));
  EXPECT_EQ(system_.files[kPath + ".bak"], before);
}

TEST_F(ToolActions, SecondInstallLeavesTheFileUntouchedButRefreshesTheCopy) {
  // Blank lines and tight "k=v" lines would vanish on any rewrite.
  const std::string installed = "[ToolsInfo]\nToolCount=4\n\n" + Entry(0, "BEFORE_EXE", 6) +
                                Entry(1, "BEFORE_COMP", 3) + Entry(2, "AFTER_COMP", 4) +
                                Entry(3, "AFTER_EXE", 7);
  system_.files[kPath + ".bak"] = "stale";
  ActionResult result = Install(installed);
  EXPECT_TRUE(result.ok);
  EXPECT_EQ(result.message, "Successfully install!");
  EXPECT_EQ(system_.writes, 0);
  EXPECT_EQ(File(), installed);
  EXPECT_EQ(system_.files[kPath + ".bak"], installed);
}

TEST_F(ToolActions, InstallAddsOnlyTheMissingEntries) {
  Install("[ToolsInfo]\r\nToolCount = 1\r\n" + Entry(0, "AFTER_COMP", 4));
  EXPECT_EQ(File(), "[ToolsInfo]\r\nToolCount = 4\r\n" + Entry(0, "AFTER_COMP", 4) +
                        Entry(1, "BEFORE_EXE", 6) + Entry(2, "BEFORE_COMP", 3) +
                        Entry(3, "AFTER_EXE", 7));
}

TEST_F(ToolActions, InstallFindsGroupsAndKeysInAnyLetterCase) {
  Install("[toolsinfo]\r\ntoolcount = 1\r\n[tool_0]\r\nmenuitemname = Korvane BEFORE_EXE\r\n");
  EXPECT_EQ(File(),
            "[toolsinfo]\r\ntoolcount = 4\r\n[tool_0]\r\nmenuitemname = Korvane "
            "BEFORE_EXE\r\n" +
                Entry(1, "BEFORE_COMP", 3) + Entry(2, "AFTER_COMP", 4) + Entry(3, "AFTER_EXE", 7));
}

TEST_F(ToolActions, MissingOrBrokenToolCountCountsAsZero) {
  for (const std::string count_line : {"", "ToolCount = abc\r\n", "ToolCount = -3\r\n"}) {
    SCOPED_TRACE(count_line);
    Install("[ToolsInfo]\r\n" + count_line + "Other = 1\r\n");
    // A missing count is a new key and goes after the group's last line.
    const std::string info =
        count_line.empty() ? "Other = 1\r\nToolCount = 4\r\n" : "ToolCount = 4\r\nOther = 1\r\n";
    EXPECT_EQ(File(), "[ToolsInfo]\r\n" + info + Entry(0, "BEFORE_EXE", 6) +
                          Entry(1, "BEFORE_COMP", 3) + Entry(2, "AFTER_COMP", 4) +
                          Entry(3, "AFTER_EXE", 7));
  }
}

TEST_F(ToolActions, ToolCountTakesLeadingDigitsAndSaturates) {
  EXPECT_EQ(ParseToolCount("12abc"), 12);
  EXPECT_EQ(ParseToolCount("+7"), 7);
  EXPECT_EQ(ParseToolCount(""), 0);
  EXPECT_GT(ParseToolCount("99999999999999999999999999"), 1'000'000'000'000);
  // A huge count must not make the tool search walk every number.
  EXPECT_TRUE(Install("[ToolsInfo]\r\nToolCount = 99999999999999999999999\r\n").ok);
}

TEST_F(ToolActions, SmallToolCountOverwritesTheExistingGroupInPlace) {
  Install("[ToolsInfo]\r\nToolCount = 0\r\n[Tool_0]\r\nMenuItemName = Foreign\r\nCustom = 5\r\n" +
          Foreign(1, "B"));
  const std::string& file = File();
  EXPECT_EQ(file.find("Foreign"), std::string::npos);
  // Tool_0 keeps its position and its own extra key; the other keys follow it.
  EXPECT_EQ(file.substr(0, file.find("[Tool_1]")),
            "[ToolsInfo]\r\nToolCount = 4\r\n[Tool_0]\r\nMenuItemName = Korvane BEFORE_EXE\r\n"
            "Custom = 5\r\nCommand = /work/Korvane\r\nArguments = BEFORE_EXE \"%PATH\"\r\n"
            "WorkingDir = \r\nShortcut = 0\r\nConfigLine = \r\nTrigger = 6\r\nFlags = 1\r\n"
            "ReloadSource = 0\r\nHideEditor = 0\r\nHideFromMenu = 1\r\nSourceSpecific = 0\r\n"
            "Deactivate = 0\r\n");
  EXPECT_NE(file.find("[Tool_1]\r\nCommand = /work/Korvane"), std::string::npos);
}

TEST_F(ToolActions, UninstallRemovesOwnEntriesAndMovesFollowingTools) {
  ActionResult result =
      Uninstall("[ToolsInfo]\r\nToolCount = 6\r\n" + Foreign(0, "A") + Entry(1, "BEFORE_EXE", 6) +
                Entry(2, "BEFORE_COMP", 3) + Entry(3, "AFTER_COMP", 4) + Entry(4, "AFTER_EXE", 7) +
                Entry(5, "Foreign", 1, "x.exe") + "; trailing note\r\n");
  EXPECT_TRUE(result.ok);
  EXPECT_EQ(result.message, "Successfully uninstall!");
  EXPECT_EQ(File(),
            "[ToolsInfo]\r\nToolCount = 2\r\n" + Foreign(0, "A") +
                "[Tool_1]\r\nCommand = x.exe\r\nReloadSource = 0\r\n"
                "Arguments = Foreign \"%PATH\"\r\nFlags = 1\r\nHideEditor = 0\r\nConfigLine = \r\n"
                "Shortcut = 0\r\nTrigger = 1\r\nHideFromMenu = 1\r\nSourceSpecific = 0\r\n"
                "Deactivate = 0\r\nMenuItemName = Korvane Foreign\r\nWorkingDir = \r\n");
}

TEST_F(ToolActions, UninstallKeepsLookalikesAndRenumbersAcrossGaps) {
  // Tool_1 is missing; Tool_2 therefore moves down by one, to the free Tool_1.
  Uninstall("[ToolsInfo]\r\nToolCount = 5\r\n" + Entry(0, "AFTER_EXE", 7) +
            Foreign(2, "Korvane OTHER") + Foreign(3, "korvane BEFORE_EXE") +
            Foreign(4, "Korvane AFTER_comp"));
  EXPECT_EQ(File(),
            "[ToolsInfo]\r\nToolCount = 4\r\n"
            "[Tool_1]\r\nCommand = other.exe\r\nMenuItemName = Korvane OTHER\r\n"
            "[Tool_2]\r\nCommand = other.exe\r\nMenuItemName = korvane BEFORE_EXE\r\n"
            "[Tool_3]\r\nCommand = other.exe\r\nMenuItemName = Korvane AFTER_comp\r\n");
}

TEST_F(ToolActions, UninstallWithoutEntriesStillRewritesTheFile) {
  Uninstall("\r\n[ToolsInfo]\r\n\r\nToolCount=1\r\n[Tool_0]\r\n  MenuItemName=A  \r\n");
  EXPECT_EQ(File(), "[ToolsInfo]\r\nToolCount = 1\r\n[Tool_0]\r\nMenuItemName = A  \r\n");
  EXPECT_EQ(system_.writes, 1);
}

TEST_F(ToolActions, InstallThenUninstallRestoresTheFile) {
  const std::string original = "[ToolsInfo]\r\nToolCount = 1\r\n" + Foreign(0, "A");
  Install(original);
  EXPECT_TRUE(UninstallTool(system_, kPath).ok);
  EXPECT_EQ(File(), original);
}

TEST_F(ToolActions, Utf8FileKeepsMarkAndNonAsciiValues) {
  const std::string umlaut =
      "Gr\xC3\xBC\xC3\x9F"
      "e";
  Uninstall("\xEF\xBB\xBF[ToolsInfo]\nToolCount = 2\n" + Entry(0, "BEFORE_EXE", 6) +
            "[Tool_1]\nMenuItemName = " + umlaut + "\n");
  EXPECT_EQ(File(), "\xEF\xBB\xBF\r\n[ToolsInfo]\r\nToolCount = 1\r\n[Tool_0]\r\nMenuItemName = " +
                        umlaut + "\r\n");
  EXPECT_TRUE(InstallTool(system_, kPath).ok);
  EXPECT_EQ(File().rfind("\xEF\xBB\xBF\r\n[ToolsInfo]\r\nToolCount = 5\r\n[Tool_0]\r\n", 0), 0u);
}

TEST_F(ToolActions, UnreadableOrForeignFileIsReportedAndLeftAlone) {
  ActionResult missing = InstallTool(system_, "/nowhere");
  EXPECT_FALSE(missing.ok);
  EXPECT_EQ(missing.message, "Can't open the file:\n/nowhere");

  ActionResult foreign = Uninstall("[Other]\r\nToolCount = 3\r\n");
  EXPECT_FALSE(foreign.ok);
  EXPECT_EQ(foreign.message, "File isn't the Tools.prefs:\n" + kPath);
  EXPECT_EQ(system_.files.count(kPath + ".bak"), 0u);
  EXPECT_EQ(system_.writes, 0);
}

// A file that cannot be held in memory, such as a device without an end.
class EndlessFileSystem final : public System {
 public:
  mutable int writes = 0;
  std::optional<std::string> ReadFile(const std::string&) const override { throw std::bad_alloc(); }
  bool CopyFile(const std::string&, const std::string&) const override { return ++writes, true; }
  bool ReplaceFile(const std::string&, std::string_view) const override { return ++writes, true; }
  std::optional<std::string> Environment(const std::string&) const override { return {}; }
  std::string CurrentDirectory() const override { return "/work"; }
  char PathSeparator() const override { return '/'; }
  std::string ToolFileName() const override { return "Korvane"; }
};

TEST(ToolActionsMemory, AFileTooLargeToReadIsReportedAsUnopenable) {
  EndlessFileSystem system;
  for (bool install : {true, false}) {
    ActionResult result =
        install ? InstallTool(system, "/dev/zero") : UninstallTool(system, "/dev/zero");
    EXPECT_FALSE(result.ok);
    EXPECT_EQ(result.message, "Can't open the file:\n/dev/zero");
  }
  EXPECT_EQ(system.writes, 0);
}

TEST_F(ToolActions, FailedRewriteIsAFailureNotASuccess) {
  system_.fail_writes = true;
  const std::string original = "[ToolsInfo]\r\nToolCount = 0\r\n";
  for (bool install : {true, false}) {
    ActionResult result = install ? Install(original) : Uninstall(original);
    EXPECT_FALSE(result.ok);
    EXPECT_EQ(result.message, "Can't write the file:\n" + kPath);
    EXPECT_EQ(File(), original);
  }
}

TEST(ToolPaths, CommandFollowsTheCurrentDirectory) {
  FakeSystem windows;
  windows.separator = '\\';
  windows.tool = "Korvane.exe";
  windows.directory = "C:\\Tools";
  EXPECT_EQ(ToolCommand(windows), "C:\\Tools\\Korvane.exe");
  windows.directory = "C:\\";
  EXPECT_EQ(ToolCommand(windows), "C:\\Korvane.exe");
  FakeSystem posix;
  posix.directory = "/home/u/build";
  EXPECT_EQ(ToolCommand(posix), "/home/u/build/Korvane");
}

TEST(ToolPaths, DefaultFileIsUnderAppDataOrHome) {
  FakeSystem system;
  system.environment["HOME"] = "/home/u";
  EXPECT_EQ(DefaultPrefsPath(system), "/home/u/.purebasic/tools.prefs");
  system.environment["APPDATA"] = "C:\\Users\\u\\AppData\\Roaming";
  EXPECT_EQ(DefaultPrefsPath(system), "C:\\Users\\u\\AppData\\Roaming\\purebasic\\tools.prefs");
  FakeSystem windows;
  windows.separator = '\\';
  EXPECT_EQ(DefaultPrefsPath(windows), "\\purebasic\\tools.prefs");
}

}  // namespace
}  // namespace korvane
