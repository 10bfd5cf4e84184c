// The tarnwick-scan command as a whole: files, options, output and exit
// statuses.
#include "scan_tool.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <sstream>

#include "hand_scanner.h"

namespace tarnwick_scan {
namespace {

namespace fs = std::filesystem;

class ScanToolTest : public testing::Test {
 protected:
  void SetUp() override {
    dir_ =
        fs::path(testing::TempDir()) /
        ("scan_tool_" + std::string(testing::UnitTest::GetInstance()->current_test_info()->name()));
    fs::create_directories(dir_);
  }
  void TearDown() override { fs::remove_all(dir_); }

  std::string Write(const std::string& name, const std::string& text) {
    fs::path path = dir_ / name;
    std::ofstream(path, std::ios::binary) << text;
    return path.string();
  }

  int Run(const std::vector<std::string>& args) {
    out_.str("");
    err_.str("");
    return RunScanTool(args, out_, err_);
  }

  // Rules 0 "[0-9]+", 1 "[ \n]+", 2 <<EOF>>.
  std::string DigitScanner() {
    HandScanner dfa;
    dfa.Class('0', '9', 1).Class(' ', ' ', 2).Class('\n', '\n', 2);
    dfa.classCount = 2;
    dfa.rows = {{{3, 1, 2}, -1}, {{-1, 1, -1}, 0}, {{-1, -1, 2}, 1}, {{-1, -1, -1}, 2}};
    return Write("digits.pbl", dfa.Source("XIncludeFile \"PBTarnwickInc.pbi\" : \r\n"));
  }

  fs::path dir_;
  std::ostringstream out_, err_;
};

TEST_F(ScanToolTest, PrintsEveryTokenExceptSkippedRules) {
  std::string scanner = DigitScanner();
  std::string input = Write("in.txt", "12 7\n\"x");
  EXPECT_EQ(Run({scanner, input}), kExitOk);
  EXPECT_EQ(out_.str(),
            "rule 0  line 1  col 1  \"12\"\n"
            "rule 1  line 1  col 3  \" \"\n"
            "rule 0  line 1  col 4  \"7\"\n"
            "rule 1  line 1  col 5  \"\\n\"\n"
            "error  line 2  col 1  \"\\\"\"\n"
            "error  line 2  col 2  \"x\"\n"
            "rule 2  line 2  col 3  \"\"\n"
            "eof  line 2  col 3\n");
  EXPECT_EQ(err_.str(), "");

  EXPECT_EQ(Run({"--skip", "1,2", scanner, input}), kExitOk);
  EXPECT_EQ(out_.str(),
            "rule 0  line 1  col 1  \"12\"\n"
            "rule 0  line 1  col 4  \"7\"\n"
            "error  line 2  col 1  \"\\\"\"\n"
            "error  line 2  col 2  \"x\"\n"
            "eof  line 2  col 3\n");
  EXPECT_EQ(Run({scanner, "--skip=0,2", input, "--skip=1"}), kExitOk);
  EXPECT_EQ(out_.str(),
            "error  line 2  col 1  \"\\\"\"\n"
            "error  line 2  col 2  \"x\"\n"
            "eof  line 2  col 3\n");
}

TEST_F(ScanToolTest, RejectsBadCommandLinesWithUsage) {
  std::string scanner = DigitScanner();
  for (const std::vector<std::string>& args : std::vector<std::vector<std::string>>{
           {},
           {scanner},
           {scanner, scanner, scanner},
           {"--skip", scanner, scanner},
           {"--skip=1,,2", scanner, scanner},
           {"--skip=-1", scanner, scanner},
           {scanner, scanner, "--skip"},
           {"--verbose", scanner, scanner},
       }) {
    EXPECT_EQ(Run(args), kExitUsage) << testing::PrintToString(args);
    EXPECT_NE(err_.str().find("usage: tarnwick-scan"), std::string::npos);
    EXPECT_EQ(out_.str(), "");
  }
  EXPECT_EQ(Run({"--help"}), kExitOk);
  EXPECT_NE(out_.str().find("usage: tarnwick-scan"), std::string::npos);
}

TEST_F(ScanToolTest, ReportsUnreadableFilesAndBadScanners) {
  std::string scanner = DigitScanner();
  std::string input = Write("in.txt", "1");
  EXPECT_EQ(Run({(dir_ / "missing.pbl").string(), input}), kExitUsage);
  EXPECT_NE(err_.str().find("cannot read"), std::string::npos);
  EXPECT_EQ(Run({scanner, (dir_ / "missing.txt").string()}), kExitUsage);
  EXPECT_EQ(Run({scanner, dir_.string()}), kExitUsage);

  std::string notScanner = Write("calc.lex", "%%\n[0-9]+ { ProcedureReturn 1 }\n");
  EXPECT_EQ(Run({notScanner, input}), kExitBadScanner);
  EXPECT_NE(err_.str().find(notScanner + ": no DataSection"), std::string::npos) << err_.str();
  EXPECT_EQ(out_.str(), "");

  std::ifstream file(scanner, std::ios::binary);
  std::string source{std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>()};
  std::string truncated = Write("cut.pbl", source.substr(0, source.find("  __yylexer_info")));
  EXPECT_EQ(Run({truncated, input}), kExitBadScanner);
  EXPECT_NE(err_.str().find("cut.pbl:"), std::string::npos) << err_.str();
  EXPECT_NE(err_.str().find("truncated"), std::string::npos) << err_.str();
}

// Columns in characters, the byte-order mark, and malformed sequences: the
// scanner's classes are bytes, so words may hold malformed or cut sequences.
TEST_F(ScanToolTest, Utf8CountsCharactersAndSkipsByteOrderMark) {
  // Rules 0 "[a-z\x80-\xfe]+" without \xac, 1 "[ \n]+", 2 <<EOF>>.
  HandScanner dfa;
  dfa.Class('a', 'z', 1).Class(0x80, 0xfe, 1).Class(0xac, 0xac, 0);
  dfa.Class(' ', ' ', 2).Class('\n', '\n', 2);
  dfa.classCount = 2;
  dfa.rows = {{{3, 1, 2}, -1}, {{-1, 1, -1}, 0}, {{-1, -1, 2}, 1}, {{-1, -1, -1}, 2}};
  std::string scanner = Write("words.pbl", dfa.Source());
  std::string input =
      Write("in.txt",
            "\xEF\xBB\xBF"
            "αβ x\n"
            "éü z\xff\xe2\x82 q\n"                         // cut sequence
            "\xed\xa0\x80 \xc0\xaf \xf4\x90\x80\x80 😀z\n"  // surrogate, overlong, too high
            "€x");                                         // the word ends inside "€"
  EXPECT_EQ(Run({"--utf8", "--skip", "1", scanner, input}), kExitOk);
  EXPECT_EQ(out_.str(),
            "rule 0  line 1  col 1  \"αβ\"\n"
            "rule 0  line 1  col 4  \"x\"\n"
            "rule 0  line 2  col 1  \"éü\"\n"
            "rule 0  line 2  col 4  \"z\"\n"
            "error  line 2  col 5  \"\\xff\"\n"
            "rule 0  line 2  col 6  \"\\xe2\\x82\"\n"
            "rule 0  line 2  col 9  \"q\"\n"
            "rule 0  line 3  col 1  \"\\xed\\xa0\\x80\"\n"
            "rule 0  line 3  col 5  \"\\xc0\\xaf\"\n"
            "rule 0  line 3  col 8  \"\\xf4\\x90\\x80\\x80\"\n"
            "rule 0  line 3  col 13  \"😀z\"\n"
            "rule 0  line 4  col 1  \"\\xe2\\x82\"\n"
            "error  line 4  col 1  \"\\xac\"\n"
            "rule 0  line 4  col 2  \"x\"\n"
            "rule 2  line 4  col 3  \"\"\n"
            "eof  line 4  col 3\n");

  // Without --utf8 the mark is input and columns are bytes.
  EXPECT_EQ(Run({"--skip", "1", scanner, input}), kExitOk);
  EXPECT_EQ(out_.str().substr(0, out_.str().find("line 2")),
            "rule 0  line 1  col 1  \"\\xef\\xbb\\xbf\\xce\\xb1\\xce\\xb2\"\n"
            "rule 0  line 1  col 9  \"x\"\n"
            "rule 0  ");
}

}  // namespace
}  // namespace tarnwick_scan
