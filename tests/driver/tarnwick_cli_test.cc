// End to end: the built program in console mode, run from a folder laid out
// like an installation (program, include, optional settings file) on small
// definition files. Checks exit statuses, the log on standard output, and
// which files appear or stay unchanged.
#include <fcntl.h>
#include <gtest/gtest.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <sstream>

extern char** environ;

namespace {

namespace fs = std::filesystem;

constexpr char kOneRule[] = "%%\n[a-z]+  { ProcedureReturn 1 }\n%%\n";
constexpr char kBrokenOnLine3[] = "; declarations\n%%\n(ab  { }\n%%\n";

std::string ReadText(const fs::path& path) {
  std::ifstream in(path, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

void WriteText(const fs::path& path, const std::string& text) {
  std::ofstream(path, std::ios::binary) << text;
}

std::vector<std::string> Lines(const std::string& text) {
  std::vector<std::string> lines;
  std::istringstream in(text);
  for (std::string line; std::getline(in, line);)
    lines.push_back(line);
  return lines;
}

struct Outcome {
  int status = -1;
  std::vector<std::string> out;
  std::string err;
};

class CliTest : public ::testing::Test {
 protected:
  void SetUp() override {
    root_ = fs::temp_directory_path() /
            ("tarnwick-cli-test-" + std::to_string(getpid()) + "-" +
             ::testing::UnitTest::GetInstance()->current_test_info()->name());
    fs::remove_all(root_);
    fs::create_directories(root_ / "bin");
    fs::create_directories(root_ / "work" / "sub");
    fs::create_directories(root_ / "tmp");
    fs::copy_file(TARNWICK_PROGRAM, root_ / "bin" / "tarnwick");
    WriteText(root_ / "bin" / "PBTarnwickInc.pbi", "; the runtime\n");
    WriteText(Work("calc.lex"), kOneRule);
  }
  void TearDown() override { fs::remove_all(root_); }

  fs::path Work(const std::string& name) const { return root_ / "work" / name; }

  Outcome Run(std::vector<std::string> arguments) {
    std::vector<std::string> argv{(root_ / "bin" / "tarnwick").string()};
    argv.insert(argv.end(), arguments.begin(), arguments.end());
    std::vector<char*> rawArgv;
    for (auto& a : argv)
      rawArgv.push_back(a.data());
    rawArgv.push_back(nullptr);

    std::vector<std::string> env{"TARNWICK_UI=console", "TMPDIR=" + (root_ / "tmp").string(),
                                 "PATH=/usr/bin:/bin"};
    std::vector<char*> rawEnv;
    for (auto& e : env)
      rawEnv.push_back(e.data());
    rawEnv.push_back(nullptr);

    fs::path outFile = root_ / "stdout.txt", errFile = root_ / "stderr.txt";
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, 1, outFile.c_str(), O_WRONLY | O_CREAT | O_TRUNC,
                                     0644);
    posix_spawn_file_actions_addopen(&actions, 2, errFile.c_str(), O_WRONLY | O_CREAT | O_TRUNC,
                                     0644);
    posix_spawn_file_actions_addchdir_np(&actions, (root_ / "work").c_str());
    pid_t pid = 0;
    Outcome outcome;
    if (posix_spawn(&pid, rawArgv[0], &actions, nullptr, rawArgv.data(), rawEnv.data()) == 0) {
      int status = 0;
      waitpid(pid, &status, 0);
      outcome.status = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    }
    posix_spawn_file_actions_destroy(&actions);
    outcome.out = Lines(ReadText(outFile));
    outcome.err = ReadText(errFile);
    return outcome;
  }

  fs::path root_;
};

TEST_F(CliTest, DefaultOutputBesideTheInputWithTheInclude) {
  Outcome run = Run({"calc.lex"});
  EXPECT_EQ(run.status, 0);
  ASSERT_FALSE(run.out.empty());
  EXPECT_EQ(run.out.front(), "Tarnwick V.1.00");
  EXPECT_EQ(run.out.back(), "Done! No errors!");
  EXPECT_NE(ReadText(Work("calc.lex_lexerout.pbl")).find("__yylexer_charclass"), std::string::npos);
  EXPECT_EQ(ReadText(Work("PBTarnwickInc.pbi")), "; the runtime\n");
  EXPECT_TRUE(fs::is_empty(root_ / "tmp"));
  // Nothing but the input, the output and the include.
  EXPECT_EQ(std::distance(fs::directory_iterator(root_ / "work"), fs::directory_iterator()), 4);
}

TEST_F(CliTest, DebugAndALoneOutputOptionRunLikeThePlainCommand) {
  for (std::vector<std::string> arguments : {std::vector<std::string>{"calc.lex", "-debug"},
                                             {"calc.lex", "-debug", "anything"},
                                             {"calc.lex", "-o"}}) {
    fs::remove(Work("calc.lex_lexerout.pbl"));
    Outcome run = Run(arguments);
    EXPECT_EQ(run.status, 0) << arguments.back();
    EXPECT_TRUE(fs::exists(Work("calc.lex_lexerout.pbl"))) << arguments.back();
  }
}

TEST_F(CliTest, OutputPathsWithAndWithoutDirectory) {
  EXPECT_EQ(Run({"calc.lex", "-o", "first.pb", "-o", "out.pb"}).status, 0);
  EXPECT_TRUE(fs::exists(Work("out.pb")));
  EXPECT_FALSE(fs::exists(Work("first.pb")));
  EXPECT_TRUE(fs::exists(Work("PBTarnwickInc.pbi")));

  EXPECT_EQ(Run({"calc.lex", "-o", "sub/in sub.pb"}).status, 0);
  EXPECT_TRUE(fs::exists(Work("sub/in sub.pb")));
  EXPECT_TRUE(fs::exists(Work("sub/PBTarnwickInc.pbi")));
}

TEST_F(CliTest, HelpAndVersionGoToStandardOutputWithStatusZero) {
  Outcome version = Run({"--version"});
  EXPECT_EQ(version.status, 0);
  EXPECT_EQ(version.out, std::vector<std::string>{"tarnwick 1.0"});
  EXPECT_EQ(version.err, "");

  Outcome help = Run({"--help"});
  EXPECT_EQ(help.status, 0);
  EXPECT_EQ(help.err, "");
  ASSERT_FALSE(help.out.empty());
  EXPECT_EQ(help.out.front().rfind("Usage: tarnwick ", 0), 0u);
  for (const std::string option : {"-o ", "-dot ", "-pdf ", "-debug ", "--help", "--version"}) {
    EXPECT_EQ(
        std::count_if(help.out.begin(), help.out.end(),
                      [&](const std::string& line) { return line.rfind("  " + option, 0) == 0; }),
        1)
        << option;
  }
  for (const fs::path& folder : {root_ / "bin" / "", root_ / "share" / "tarnwick" / ""}) {
    EXPECT_NE(std::find(help.out.begin(), help.out.end(), "  " + folder.string()), help.out.end())
        << folder;
  }
  EXPECT_FALSE(fs::exists(Work("--help_lexerout.pbl")));
}

// Installed: the program in bin/, its include and settings in
// share/tarnwick/; a copy beside the program still comes first.
TEST_F(CliTest, InstalledTreeTakesTheSupportFilesFromTheSharedFolder) {
  fs::path shared = root_ / "share" / "tarnwick";
  fs::create_directories(shared);
  fs::rename(root_ / "bin" / "PBTarnwickInc.pbi", shared / "PBTarnwickInc.pbi");
  fs::path fake = root_ / "fake-dot.sh";
  WriteText(fake, "#!/bin/sh\necho \"$@\" > \"" + (root_ / "graphviz-args.txt").string() + "\"\n");
  fs::permissions(fake, fs::perms::owner_all);
  WriteText(shared / "Yarrowkit.ini", "[Global]\ngraphviz = " + fake.string() + "\n");

  EXPECT_EQ(Run({"calc.lex", "-o", "sub/out.pb", "-pdf", "g.pdf"}).status, 0);
  EXPECT_EQ(ReadText(Work("sub/PBTarnwickInc.pbi")), "; the runtime\n");
  EXPECT_TRUE(fs::exists(root_ / "graphviz-args.txt"));

  WriteText(root_ / "bin" / "PBTarnwickInc.pbi", "; beside the program\n");
  EXPECT_EQ(Run({"calc.lex", "-o", "sub/out.pb"}).status, 0);
  EXPECT_EQ(ReadText(Work("sub/PBTarnwickInc.pbi")), "; beside the program\n");

  fs::remove_all(shared);
  fs::remove(root_ / "bin" / "PBTarnwickInc.pbi");
  Outcome missing = Run({"calc.lex", "-o", "sub/out.pb"});
  EXPECT_EQ(missing.status, 1);
  EXPECT_NE(missing.out.back().find((root_ / "share" / "tarnwick" / "").string()),
            std::string::npos)
      << missing.out.back();
}

TEST_F(CliTest, ParameterErrorsGoToStandardErrorWithStatusTwo) {
  for (std::vector<std::string> arguments : {std::vector<std::string>{},
                                             {""},
                                             {"calc.lex", "-O", "out.pb"},
                                             {"-o", "x.pb"},
                                             {"calc.lex", "--version"}}) {
    Outcome run = Run(arguments);
    EXPECT_EQ(run.status, 2);
    EXPECT_TRUE(run.out.empty());
    EXPECT_EQ(run.err.rfind("Parameter error\nUsage: tarnwick ", 0), 0u) << run.err;
  }
  EXPECT_FALSE(fs::exists(Work("out.pb")));
}

TEST_F(CliTest, SyntaxErrorReportsItsLineAndKeepsTheOldOutput) {
  WriteText(Work("bad.lex"), kBrokenOnLine3);
  WriteText(Work("out.pb"), "previous");
  Outcome run = Run({"bad.lex", "-o", "out.pb"});
  EXPECT_EQ(run.status, 1);
  ASSERT_GE(run.out.size(), 3u);
  EXPECT_EQ(run.out[run.out.size() - 3], "");
  EXPECT_EQ(run.out[run.out.size() - 2], "Error Line 3:");
  EXPECT_EQ(run.out.back(), "'(' without ')'");
  EXPECT_EQ(ReadText(Work("out.pb")), "previous");
  EXPECT_FALSE(fs::exists(Work("PBTarnwickInc.pbi")));
  EXPECT_TRUE(fs::is_empty(root_ / "tmp"));
}

TEST_F(CliTest, MissingDefinitionAndRefusedOutputNameTheirFiles) {
  Outcome missing = Run({"absent.lex"});
  EXPECT_EQ(missing.status, 1);
  ASSERT_GE(missing.out.size(), 2u);
  EXPECT_EQ(missing.out[missing.out.size() - 2], "Error Line 0:");
  EXPECT_NE(missing.out.back().find("absent.lex"), std::string::npos);

  Outcome self = Run({"calc.lex", "-o", "./calc.lex"});
  EXPECT_EQ(self.status, 1);
  EXPECT_EQ(ReadText(Work("calc.lex")), kOneRule);
}

TEST_F(CliTest, SettingsFileNamesGraphvizWithoutRegardToCase) {
  fs::path fake = root_ / "bin" / "fake dot.sh";
  WriteText(fake, "#!/bin/sh\necho \"$@\" > \"" + (root_ / "graphviz-args.txt").string() + "\"\n");
  fs::permissions(fake, fs::perms::owner_all);
  WriteText(root_ / "bin" / "Yarrowkit.ini",
            "[GLOBAL]\r\n  Graphviz =\t" + fake.string() + " \r\n");
  EXPECT_EQ(Run({"calc.lex", "-pdf", "g.pdf"}).status, 0);
  EXPECT_NE(ReadText(root_ / "graphviz-args.txt").find("-Tpdf"), std::string::npos);
  EXPECT_TRUE(fs::is_empty(root_ / "tmp"));
}

TEST_F(CliTest, WithoutSettingsFileOnlyTheDrawingIsAffected) {
  Outcome run = Run({"calc.lex", "-dot", "g.dot"});
  EXPECT_EQ(run.status, 0);
  EXPECT_TRUE(fs::exists(Work("g.dot")));
  EXPECT_EQ(run.out.back(), "Done! No errors!");
}

}  // namespace
