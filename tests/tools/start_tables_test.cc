// tarnwick-scan's side of start conditions: reading the start and cut
// tables (and refusing broken ones), the literal calls of the action
// procedures, and the --state option.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>

#include "action_calls.h"
#include "pipeline/generate.h"
#include "scan_tool.h"
#include "scanner_tables.h"

namespace tarnwick_scan {
namespace {

std::string Generated(const std::string& definition) {
  tarnwick::NullLog log;
  tarnwick::ErrorState error;
  tarnwick::GeneratedScanner result;
  EXPECT_TRUE(tarnwick::GenerateScannerText(definition, tarnwick::CaseTable::Windows1252(), 1000,
                                            log, error, result));
  return result.source;
}

const std::string kDefinition =
    "%xstate X\n%context\n%%\n\"x\" { yyBegin(#yyStateX) }\n<X>\"a\"$ { }\n";

std::string Replaced(std::string text, const std::string& from, const std::string& to) {
  const std::size_t at = text.find(from);
  EXPECT_NE(at, std::string::npos) << from;
  if (at != std::string::npos) text.replace(at, from.size(), to);
  return text;
}

TEST(StartTables, AreReadBack) {
  const TableRead read = ReadScannerTables(Generated(kDefinition));
  ASSERT_TRUE(read.tables) << read.error;
  EXPECT_EQ(read.tables->ConditionCount(), 2);
  EXPECT_EQ(read.tables->starts.size(), 4u);
  ASSERT_EQ(read.tables->cutKind.size(), static_cast<std::size_t>(read.tables->StateCount()));
  EXPECT_NE(std::find(read.tables->cutKind.begin(), read.tables->cutKind.end(), 1),
            read.tables->cutKind.end());
  EXPECT_TRUE(ReadScannerTables(Generated("%%\na { }\n")).tables->starts.empty());
}

TEST(StartTables, BrokenOnesAreRefused) {
  const std::string good = Generated(kDefinition);
  const std::pair<std::string, std::string> edits[] = {
      {"  __yylexer_cut:", "  __yylexer_cuts:"},
      {"    Data.i 2\r\n", "    Data.i 3\r\n"},
      {"    Data.i 2\r\n", "    Data.i 2, 2\r\n"},
      {"  __yylexer_cut:", "    Data.i 99, 0\r\n  __yylexer_cut:"},
  };
  for (const auto& [from, to] : edits) {
    const TableRead read = ReadScannerTables(Replaced(good, from, to));
    EXPECT_FALSE(read.tables) << to;
    EXPECT_FALSE(read.error.empty()) << to;
  }
  // The last cut line: missing, of an unknown kind, with a negative length.
  const std::size_t end = good.rfind("EndDataSection");
  const std::size_t last = good.rfind("    Data.i ", end);
  for (const std::string line : {"", "    Data.i 4, 0\r\n", "    Data.i 1, -1\r\n"}) {
    std::string text = good;
    text.replace(last, end - last, line);
    EXPECT_FALSE(ReadScannerTables(text).tables) << line;
  }
}

TEST(ActionCalls, LiteralCallsInOrderAndNothingElse) {
  const std::string source =
      "#yyStateA = 1 : #yyStateB = 2\r\n"
      "Procedure __yylexerrun0(*userData) : yyPushState(#yyStateA) : yyLess(2)\r\n"
      "  If x : yyPopState() : EndIf ; yyBegin(#yyStateB)\r\n"
      "  Debug \"yyPopState()\" : yyBegin( #yyStateB ) : myyyPopState() : yyLess(n)\r\n"
      "  : ProcedureReturn -1 : EndProcedure\r\n"
      "Procedure __yylexerrun2(*userData) :  yyBegin(#yyStateINITIAL)  : ProcedureReturn -1 : "
      "EndProcedure\r\n";
  const ActionCallsRead read = ReadActionCalls(source);
  ASSERT_TRUE(read.error.empty()) << read.error;
  using K = ActionCall::Kind;
  EXPECT_EQ(read.byRule.at(0),
            (std::vector<ActionCall>{{K::kPush, 1}, {K::kLess, 2}, {K::kPop, 0}, {K::kBegin, 2}}));
  EXPECT_EQ(read.byRule.at(2), (std::vector<ActionCall>{{K::kBegin, 0}}));
  EXPECT_EQ(read.byRule.count(1), 0u);
  const ActionCallsRead unknown = ReadActionCalls(
      "Procedure __yylexerrun0(*userData) :\r\n yyBegin(#yyStateQ) : ProcedureReturn -1 : "
      "EndProcedure\r\n");
  EXPECT_NE(unknown.error.find("#yyStateQ"), std::string::npos);
  EXPECT_EQ(unknown.line, 2);
}

TEST(ScanToolState, StartsInTheNamedCondition) {
  namespace fs = std::filesystem;
  const fs::path dir = fs::path(testing::TempDir()) / "scan_tool_state";
  fs::create_directories(dir);
  std::ofstream(dir / "s.pbl", std::ios::binary) << Generated(kDefinition);
  std::ofstream(dir / "in.txt", std::ios::binary) << "a";
  const std::string scanner = (dir / "s.pbl").string();
  const std::string input = (dir / "in.txt").string();
  std::ostringstream out, err;
  EXPECT_EQ(RunScanTool({"--state", "X", scanner, input}, out, err), kExitOk);
  EXPECT_EQ(out.str(), "rule 1  line 1  col 1  \"a\"\neof  line 1  col 2\n");
  out.str("");
  EXPECT_EQ(RunScanTool({scanner, input}, out, err), kExitOk);
  EXPECT_EQ(out.str(), "error  line 1  col 1  \"a\"\neof  line 1  col 2\n");
  EXPECT_EQ(RunScanTool({"--state", "Y", scanner, input}, out, err), kExitUsage);
  EXPECT_EQ(RunScanTool({scanner, input, "--state"}, out, err), kExitUsage);
  out.str("");
  RunScanTool({"--help"}, out, err);
  EXPECT_NE(out.str().find("is always applied"), std::string::npos);
  fs::remove_all(dir);
}

}  // namespace
}  // namespace tarnwick_scan
