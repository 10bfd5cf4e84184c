// Tests of the Graphviz step: which files appear, what the program receives
// and what the log says, with a recording stand-in for the program runner;
// and one real rendering when Graphviz is installed.
#include "output/graphviz.h"

#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "dfa_builders.h"
#include "dot_check.h"
#include "output/dot_file.h"
#include "posix_program.h"
#include "regex/symbols.h"

namespace tarnwick {
namespace {

namespace fs = std::filesystem;
using testing::ClassesOf;
using testing::StateOf;

class RecordingLog final : public Log {
 public:
  void LogLine(std::string_view line) override { lines.emplace_back(line); }
  std::vector<std::string> lines;
};

std::string ReadFile(const fs::path& path) {
  std::ifstream file(path, std::ios::binary);
  std::stringstream text;
  text << file.rdbuf();
  return text.str();
}

// Records each start and what the graph file held at that moment.
class FakeRunner final : public ProgramRunner {
 public:
  struct Call {
    std::string program;
    std::vector<std::string> arguments;
    std::string graphText;
  };

  Result Run(const std::string& program, const std::vector<std::string>& arguments) override {
    calls.push_back({program, arguments, arguments.empty() ? "" : ReadFile(arguments.back())});
    return result;
  }
  std::string FindOnPath(const std::string& name) override {
    lookups.push_back(name);
    return onPath;
  }

  Result result{true, 0, ""};
  std::string onPath = "/opt/graphviz/bin/dot";
  std::vector<Call> calls;
  std::vector<std::string> lookups;
};

Dfa SmallDfa() {
  Dfa dfa;
  dfa.charset = ClassesOf({{'a', 'a'}});
  dfa.states.push_back(StateOf(0, -1, {{1, 1}}));
  dfa.states.push_back(StateOf(1, 0, {{kEofSymbol, 1}}));
  return dfa;
}

class GraphvizStepTest : public ::testing::Test {
 protected:
  void SetUp() override {
    dir_ = fs::path(::testing::TempDir()) /
           ("tarnwick_graphviz_" + std::to_string(getpid()) + "_" +
            ::testing::UnitTest::GetInstance()->current_test_info()->name());
    fs::remove_all(dir_);
    fs::create_directories(dir_ / "with space");
    job_.tempStem = (dir_ / "run-17.").string();
  }
  void TearDown() override { fs::remove_all(dir_); }

  // Files left in the scratch area after the step.
  std::vector<std::string> ScratchLeft() const {
    std::vector<std::string> names;
    for (const auto& entry : fs::directory_iterator(dir_)) {
      std::string name = entry.path().filename().string();
      if (name.starts_with("run-17.")) names.push_back(name);
    }
    return names;
  }

  fs::path dir_;
  GraphvizJob job_;
  Dfa dfa_ = SmallDfa();
  RecordingLog log_;
  FakeRunner runner_;
};

TEST_F(GraphvizStepTest, NothingWantedDoesNothing) {
  RunGraphvizStep(dfa_, job_, log_, runner_);
  EXPECT_TRUE(log_.lines.empty());
  EXPECT_TRUE(runner_.calls.empty());
  EXPECT_TRUE(ScratchLeft().empty());
}

TEST_F(GraphvizStepTest, DotAloneWritesTheFileAndStartsNothing) {
  job_.dotFile = (dir_ / "with space" / "graph.dot").string();
  RunGraphvizStep(dfa_, job_, log_, runner_);
  EXPECT_EQ(log_.lines, std::vector<std::string>{"Write dotfile..."});
  EXPECT_EQ(ReadFile(job_.dotFile), DotFileText(dfa_));
  testing::ExpectDotAccepts(ReadFile(job_.dotFile));
  EXPECT_TRUE(runner_.calls.empty());
  EXPECT_TRUE(runner_.lookups.empty());
  EXPECT_TRUE(ScratchLeft().empty());
}

TEST_F(GraphvizStepTest, PdfAloneRendersAScratchGraphWithoutByteOrderMark) {
  job_.pdfFile = (dir_ / "with space" / "out; rm -rf $HOME.pdf").string();
  RunGraphvizStep(dfa_, job_, log_, runner_);

  EXPECT_EQ(log_.lines, (std::vector<std::string>{"Write dotfile...", "Run Graphviz..."}));
  EXPECT_EQ(runner_.lookups, std::vector<std::string>{"dot"});
  ASSERT_EQ(runner_.calls.size(), 1u);
  const FakeRunner::Call& call = runner_.calls[0];
  EXPECT_EQ(call.program, "/opt/graphviz/bin/dot");
  EXPECT_EQ(call.arguments,
            (std::vector<std::string>{"-Tpdf", "-o" + job_.pdfFile, job_.tempStem + "gv"}));
  EXPECT_EQ(call.graphText, DotFileText(dfa_).substr(3));
  EXPECT_TRUE(call.graphText.starts_with("digraph G {\r\n"));
  EXPECT_TRUE(ScratchLeft().empty());
}

// The names the driver creates beforehand are the ones the step writes.
TEST_F(GraphvizStepTest, ScratchFilesAreTheNamesTheStepWrites) {
  EXPECT_TRUE(GraphvizScratchFiles(job_).empty());
  job_.dotFile = (dir_ / "named.dot").string();
  EXPECT_TRUE(GraphvizScratchFiles(job_).empty());
  job_.pdfFile = (dir_ / "x.pdf").string();
  EXPECT_EQ(GraphvizScratchFiles(job_), std::vector<std::string>{job_.tempStem + "gv"});
  job_.dotFile.clear();
  EXPECT_EQ(GraphvizScratchFiles(job_),
            (std::vector<std::string>{job_.tempStem + "dot", job_.tempStem + "gv"}));
  RunGraphvizStep(dfa_, job_, log_, runner_);
  ASSERT_EQ(runner_.calls.size(), 1u);
  EXPECT_EQ(runner_.calls[0].arguments.back(), GraphvizScratchFiles(job_).back());
}

TEST_F(GraphvizStepTest, DotAndPdfKeepTheNamedFileAndUseTheSetProgram) {
  job_.dotFile = (dir_ / "named.dot").string();
  job_.pdfFile = (dir_ / "named.pdf").string();
  job_.graphvizPath = "C:\\Program Files\\Graphviz\\bin\\dot.exe";
  RunGraphvizStep(dfa_, job_, log_, runner_);

  EXPECT_TRUE(runner_.lookups.empty());
  ASSERT_EQ(runner_.calls.size(), 1u);
  EXPECT_EQ(runner_.calls[0].program, job_.graphvizPath);
  EXPECT_TRUE(ReadFile(job_.dotFile)
                  .starts_with("\xEF\xBB\xBF"
                               "digraph G {\r\n"));
  EXPECT_EQ(log_.lines.size(), 2u);
  EXPECT_TRUE(ScratchLeft().empty());
}

TEST_F(GraphvizStepTest, FailuresAreLoggedAndScratchFilesStillGo) {
  job_.pdfFile = (dir_ / "x.pdf").string();

  runner_.onPath.clear();
  RunGraphvizStep(dfa_, job_, log_, runner_);
  EXPECT_TRUE(runner_.calls.empty());
  ASSERT_EQ(log_.lines.size(), 3u);
  EXPECT_NE(log_.lines[2].find("no dot on the search path"), std::string::npos) << log_.lines[2];
  EXPECT_TRUE(ScratchLeft().empty());

  log_.lines.clear();
  job_.graphvizPath = "/nowhere/dot";
  runner_.result = {false, -1, "No such file or directory"};
  RunGraphvizStep(dfa_, job_, log_, runner_);
  ASSERT_EQ(log_.lines.size(), 3u);
  EXPECT_EQ(log_.lines[2].rfind("Graphviz could not be started: /nowhere/dot -Tpdf", 0), 0u)
      << log_.lines[2];
  EXPECT_NE(log_.lines[2].find("(No such file or directory)"), std::string::npos);
  EXPECT_TRUE(ScratchLeft().empty());

  log_.lines.clear();
  runner_.result = {true, 3, ""};
  std::ofstream(job_.pdfFile) << "%PDF- cut short";
  RunGraphvizStep(dfa_, job_, log_, runner_);
  ASSERT_EQ(log_.lines.size(), 3u);
  EXPECT_EQ(log_.lines[2].rfind("Graphviz failed with exit code 3: /nowhere/dot", 0), 0u)
      << log_.lines[2];
  EXPECT_TRUE(ScratchLeft().empty());
  EXPECT_FALSE(fs::exists(job_.pdfFile)) << "a failed rendering is not kept";
}

TEST_F(GraphvizStepTest, UnwritableDotFileIsLoggedAndTheGraphIsStillRendered) {
  job_.dotFile = (dir_ / "missing dir" / "g.dot").string();
  job_.pdfFile = (dir_ / "g.pdf").string();
  RunGraphvizStep(dfa_, job_, log_, runner_);
  ASSERT_EQ(log_.lines.size(), 3u);
  EXPECT_EQ(log_.lines[1], "Could not write the dot file " + job_.dotFile);
  EXPECT_EQ(log_.lines[2], "Run Graphviz...");
  ASSERT_EQ(runner_.calls.size(), 1u);
  EXPECT_EQ(runner_.calls[0].graphText, DotFileText(dfa_).substr(3));
}

TEST_F(GraphvizStepTest, RealGraphvizWritesAPdf) {
  if (testing::DotProgram().empty()) GTEST_SKIP() << "Graphviz dot is not installed";
  testing::PosixProgramRunner runner;
  job_.pdfFile = (dir_ / "with space" / "drawing $1.pdf").string();
  RunGraphvizStep(dfa_, job_, log_, runner);
  EXPECT_EQ(log_.lines, (std::vector<std::string>{"Write dotfile...", "Run Graphviz..."}));
  EXPECT_TRUE(ReadFile(job_.pdfFile).starts_with("%PDF-"));
  EXPECT_TRUE(ScratchLeft().empty());
}

}  // namespace
}  // namespace tarnwick
