// The scanner file the pass streams holds exactly the text the pass gives
// as a string: for every example, also with "%compact", "%prefix" and both
// (the larger tables cross the writers' buffer many times, and a prefixed
// scanner's names are cut between writes); and a write that fails is
// reported as one.
#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

#include "pipeline/generate.h"

namespace tarnwick {
namespace {

namespace fs = std::filesystem;

class NoRunner final : public ProgramRunner {
 public:
  Result Run(const std::string&, const std::vector<std::string>&) override { return {}; }
  std::string FindOnPath(const std::string&) override { return {}; }
};

std::string ReadAll(const fs::path& path) {
  std::ifstream in(path, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

// `definition` with `lines` before its first "%%" line.
std::string WithDirectives(const std::string& definition, const std::string& lines) {
  const std::size_t at = definition.starts_with("%%") ? 0 : definition.find("\n%%") + 1;
  return definition.substr(0, at) + lines + definition.substr(at);
}

class StreamedScanner : public ::testing::Test {
 protected:
  void SetUp() override {
    dir_ = fs::temp_directory_path() / ("streamed_scanner_test_" + std::to_string(getpid()));
    fs::remove_all(dir_);
    fs::create_directories(dir_);
  }
  void TearDown() override { fs::remove_all(dir_); }
  // The pass's result with the scanner written to `scannerFile`.
  int Generate(const std::string& definition, const std::string& scannerFile, ErrorState& error) {
    std::ofstream(dir_ / "input.lex", std::ios::binary) << definition;
    GenerateOptions options;
    options.inputFile = (dir_ / "input.lex").string();
    options.scannerFile = scannerFile;
    NullLog log;
    NoRunner runner;
    return GenerateScanner(options, log, runner, error);
  }
  fs::path dir_;
};

TEST_F(StreamedScanner, FileEqualsTheStringForEveryExample) {
  int compared = 0;
  for (const auto& entry : fs::directory_iterator(TARNWICK_EXAMPLES_DIR)) {
    if (entry.path().extension() != ".lex") continue;
    const std::string plain = ReadAll(entry.path());
    for (const char* lines : {"", "%compact\n", "%prefix Zq\n", "%compact\n%prefix Zq\n"}) {
      const std::string definition = WithDirectives(plain, lines);
      GeneratedScanner text;
      ErrorState textError, fileError;
      NullLog log;
      const int made = GenerateScannerText(definition, CaseTable::Windows1252(),
                                           kDefaultMaxDfaStates, log, textError, text);
      const fs::path scanner = dir_ / "scanner.pb";
      ASSERT_EQ(Generate(definition, scanner.string(), fileError), made) << entry.path() << lines;
      if (!made) continue;
      EXPECT_EQ(ReadAll(scanner), text.source) << entry.path() << " with " << lines;
      ++compared;
    }
  }
  EXPECT_GE(compared, 20);
}

TEST_F(StreamedScanner, AFailedWriteIsReportedAsOne) {
  if (!fs::exists("/dev/full")) GTEST_SKIP() << "no /dev/full";
  ErrorState error;
  EXPECT_EQ(Generate(ReadAll(fs::path(TARNWICK_EXAMPLES_DIR) / "c.lex"), "/dev/full", error), 0);
  EXPECT_EQ(error.detail, "Cannot write the scanner file: /dev/full");
}

}  // namespace
}  // namespace tarnwick
