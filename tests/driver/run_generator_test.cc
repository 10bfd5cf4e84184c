// The run driver around a fake pass: placement of the scanner, the include
// and the drawings (through links, into devices and pipes), the error
// report, refusal to overwrite the definition, and that no scratch file
// outlives a run.
#include "driver/run_generator.h"

#include "driver/placement.h"

#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <unistd.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <new>

namespace tarnwick {
namespace {

namespace fs = std::filesystem;

class RecordingLog final : public Log {
 public:
  void LogLine(std::string_view line) override { lines.emplace_back(line); }
  std::vector<std::string> lines;
};

class NoRunner final : public ProgramRunner {
 public:
  Result Run(const std::string&, const std::vector<std::string>&) override { return {}; }
  std::string FindOnPath(const std::string&) override { return {}; }
};

std::string ReadText(const fs::path& path) {
  std::ifstream in(path, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

void WriteText(const fs::path& path, const std::string& text) {
  std::ofstream(path, std::ios::binary) << text;
}

class RunGeneratorTest : public ::testing::Test {
 protected:
  void SetUp() override {
    root_ = fs::temp_directory_path() /
            ("tarnwick-driver-test-" +
             std::to_string(::testing::UnitTest::GetInstance()->random_seed()) + "-" +
             ::testing::UnitTest::GetInstance()->current_test_info()->name());
    fs::remove_all(root_);
    for (const char* dir : {"program", "temp", "work"})
      fs::create_directories(root_ / dir);
    WriteText(root_ / "program" / kRuntimeIncludeName, "; runtime\n");
    WriteText(root_ / "work" / "calc.lex", "definition\n");
    environment_.programDirectory = (root_ / "program").string() + "/";
    environment_.tempDirectory = (root_ / "temp").string() + "/";
    environment_.log = &log_;
    environment_.runner = &runner_;
    environment_.scratch = &scratch_;
    environment_.pass = [this](const GenerateOptions& options, Log& log, ProgramRunner&,
                               ErrorState& error) {
      seen_ = options;
      ++passCalls_;
      log.LogLine("Read inputfile...");
      WriteText(options.scannerFile, "scanner of " + ReadText(options.inputFile));
      if (writeDrawings_ && !options.dotFile.empty()) WriteText(options.dotFile, "graph");
      if (writeDrawings_ && !options.pdfFile.empty()) WriteText(options.pdfFile, "%PDF-");
      // What Graphviz leaves in the temporary directory is gone after the run too.
      WriteText(options.tempStem + "gv", "graph copy");
      if (failure_.ErrorNumber != 0 || !failure_.detail.empty()) {
        error = failure_;
        return 0;
      }
      return 1;
    };
    options_.InputFile = (root_ / "work" / "calc.lex").string();
  }
  void TearDown() override { fs::remove_all(root_); }

  fs::path Work(const char* name) const { return root_ / "work" / name; }
  bool TempIsEmpty() const { return fs::is_empty(root_ / "temp"); }
  std::vector<std::string> LastLines(std::size_t n) const {
    return {log_.lines.end() - static_cast<std::ptrdiff_t>(n), log_.lines.end()};
  }

  fs::path root_;
  RecordingLog log_;
  NoRunner runner_;
  ScratchFiles scratch_;
  RunEnvironment environment_;
  RunOptions options_;
  GenerateOptions seen_;
  ErrorState failure_;
  int passCalls_ = 0;
  bool writeDrawings_ = true;
};

TEST_F(RunGeneratorTest, SuccessPlacesScannerAndIncludeBesideTheDefaultName) {
  EXPECT_EQ(RunGenerator(options_, environment_), kExitSuccess);
  EXPECT_EQ(ReadText(Work("calc.lex_lexerout.pbl")), "scanner of definition\n");
  EXPECT_EQ(ReadText(Work(kRuntimeIncludeName)), "; runtime\n");
  EXPECT_EQ(log_.lines.back(), kDoneLine);
  EXPECT_TRUE(TempIsEmpty());
  // Only the two placed files and the definition are left: no staging files.
  EXPECT_EQ(std::distance(fs::directory_iterator(root_ / "work"), fs::directory_iterator()), 3);
}

// A second name on the include shows whether the file itself was kept:
// placement would rename a new file over the first name.
TEST_F(RunGeneratorTest, IncludeBesideTheOutputIsReplacedOnlyWhenItDiffers) {
  WriteText(Work(kRuntimeIncludeName), "; runtime\n");
  fs::create_hard_link(Work(kRuntimeIncludeName), Work("second name"));
  ASSERT_EQ(RunGenerator(options_, environment_), kExitSuccess);
  EXPECT_EQ(fs::hard_link_count(Work(kRuntimeIncludeName)), 2u);

  WriteText(Work(kRuntimeIncludeName), "; runtime, older\n");
  ASSERT_EQ(RunGenerator(options_, environment_), kExitSuccess);
  EXPECT_EQ(ReadText(Work(kRuntimeIncludeName)), "; runtime\n");
  EXPECT_EQ(fs::hard_link_count(Work(kRuntimeIncludeName)), 1u);
  EXPECT_EQ(ReadText(Work("second name")), "; runtime, older\n");
  EXPECT_TRUE(TempIsEmpty());
}

TEST_F(RunGeneratorTest, ScratchNamesAreUniquePerRunAndInTheTemporaryDirectory) {
  ASSERT_EQ(RunGenerator(options_, environment_), kExitSuccess);
  GenerateOptions first = seen_;
  ASSERT_EQ(RunGenerator(options_, environment_), kExitSuccess);
  EXPECT_NE(first.tempStem, seen_.tempStem);
  EXPECT_NE(first.scannerFile, seen_.scannerFile);
  EXPECT_EQ(seen_.scannerFile.rfind(environment_.tempDirectory, 0), 0u);
  EXPECT_EQ(seen_.scannerFile.rfind(seen_.tempStem, 0), 0u);
}

TEST_F(RunGeneratorTest, OptionsAndSettingsReachThePass) {
  WriteText(root_ / "program" / "Yarrowkit.ini", "[global]\nGRAPHVIZ =  /opt/dot  \n");
  options_.DotFile = Work("g.dot").string();
  options_.PdfFile = Work("g.pdf").string();
  ASSERT_EQ(RunGenerator(options_, environment_), kExitSuccess);
  EXPECT_EQ(seen_.inputFile, options_.InputFile);
  EXPECT_EQ(seen_.graphvizPath, "/opt/dot");
  EXPECT_EQ(options_.GraphvizPath, "/opt/dot");
  // The drawings go to scratch names and are placed after the pass.
  EXPECT_EQ(seen_.dotFile.rfind(seen_.tempStem, 0), 0u);
  EXPECT_EQ(seen_.pdfFile.rfind(seen_.tempStem, 0), 0u);
  EXPECT_EQ(ReadText(Work("g.dot")), "graph");
  EXPECT_EQ(ReadText(Work("g.pdf")), "%PDF-");
  EXPECT_TRUE(TempIsEmpty());
}

TEST_F(RunGeneratorTest, ErrorKeepsTheOldOutputAndReportsThreeLines) {
  WriteText(Work("out.pb"), "old output");
  WriteText(Work("g.dot"), "old graph");
  WriteText(Work("g.pdf"), "old drawing");
  options_.OutputFile = Work("out.pb").string();
  options_.DotFile = Work("g.dot").string();
  options_.PdfFile = Work("g.pdf").string();
  failure_.ErrorNumber = 3;
  failure_.ErrorLine = 12;
  EXPECT_EQ(RunGenerator(options_, environment_), kExitGenerationError);
  EXPECT_EQ(ReadText(Work("out.pb")), "old output");
  EXPECT_EQ(ReadText(Work("g.dot")), "old graph");
  EXPECT_EQ(ReadText(Work("g.pdf")), "old drawing");
  EXPECT_FALSE(fs::exists(Work(kRuntimeIncludeName)));
  EXPECT_EQ(LastLines(3), (std::vector<std::string>{"", "Error Line 12:", "'(' without ')'"}));
  EXPECT_TRUE(TempIsEmpty());
}

TEST_F(RunGeneratorTest, FailureWithoutNumberShowsLineZeroAndItsDetail) {
  failure_.detail = "Cannot open the definition file: x.lex";
  EXPECT_EQ(RunGenerator(options_, environment_), kExitGenerationError);
  EXPECT_EQ(LastLines(3), (std::vector<std::string>{
                              "", "Error Line 0:", "Cannot open the definition file: x.lex"}));
}

TEST_F(RunGeneratorTest, MemoryRunningOutInThePassIsAnErrorThatKeepsTheOldOutput) {
  WriteText(Work("out.pb"), "old output");
  options_.OutputFile = Work("out.pb").string();
  environment_.pass = [](const GenerateOptions& options, Log&, ProgramRunner&, ErrorState&) -> int {
    WriteText(options.scannerFile, "half a scanner");
    throw std::bad_alloc();
  };
  EXPECT_EQ(RunGenerator(options_, environment_), kExitGenerationError);
  EXPECT_EQ(ReadText(Work("out.pb")), "old output");
  EXPECT_EQ(LastLines(3), (std::vector<std::string>{"", "Error Line 0:", kOutOfMemory}));
  EXPECT_TRUE(TempIsEmpty());
}

TEST_F(RunGeneratorTest, ResultsNamingTheDefinitionAreRefusedBeforeThePass) {
  for (std::string RunOptions::*field :
       {&RunOptions::OutputFile, &RunOptions::DotFile, &RunOptions::PdfFile}) {
    RunOptions options = options_;
    // Another spelling of the same file.
    options.*field = (root_ / "work" / ".." / "work" / "calc.lex").string();
    EXPECT_EQ(RunGenerator(options, environment_), kExitGenerationError);
    EXPECT_EQ(log_.lines[log_.lines.size() - 2], "Error Line 0:");
    EXPECT_NE(log_.lines.back().find("definition file"), std::string::npos);
  }
  EXPECT_EQ(passCalls_, 0);
  EXPECT_EQ(ReadText(options_.InputFile), "definition\n");
}

TEST_F(RunGeneratorTest, MissingIncludeIsAnErrorAndPlacesNothing) {
  fs::remove(root_ / "program" / kRuntimeIncludeName);
  WriteText(Work("out.pb"), "old output");
  options_.OutputFile = Work("out.pb").string();
  EXPECT_EQ(RunGenerator(options_, environment_), kExitGenerationError);
  EXPECT_EQ(ReadText(Work("out.pb")), "old output");
  EXPECT_NE(log_.lines.back().find(kRuntimeIncludeName), std::string::npos);
  EXPECT_TRUE(TempIsEmpty());
}

TEST_F(RunGeneratorTest, OutputInAMissingDirectoryIsAnErrorNamingIt) {
  options_.OutputFile = (root_ / "nowhere" / "out.pb").string();
  EXPECT_EQ(RunGenerator(options_, environment_), kExitGenerationError);
  EXPECT_NE(log_.lines.back().find("nowhere"), std::string::npos);
  EXPECT_NE(log_.lines.back(), kDoneLine);
  EXPECT_TRUE(TempIsEmpty());
}

TEST_F(RunGeneratorTest, OutputBesideTheProgramLeavesTheIncludeAlone) {
  options_.OutputFile = (root_ / "program" / "out.pb").string();
  EXPECT_EQ(RunGenerator(options_, environment_), kExitSuccess);
  EXPECT_EQ(ReadText(root_ / "program" / kRuntimeIncludeName), "; runtime\n");
  EXPECT_EQ(ReadText(root_ / "program" / "out.pb"), "scanner of definition\n");
}

TEST_F(RunGeneratorTest, LinksAreWrittenThroughAndTheIncludeGoesBesideTheTarget) {
  fs::create_directories(root_ / "elsewhere");
  WriteText(root_ / "elsewhere" / "real.pbl", "old output");
  fs::create_symlink("../elsewhere/real.pbl", Work("link.pbl"));
  fs::create_symlink(root_ / "elsewhere" / "new.dot", Work("dangling.dot"));
  options_.OutputFile = Work("link.pbl").string();
  options_.DotFile = Work("dangling.dot").string();
  ASSERT_EQ(RunGenerator(options_, environment_), kExitSuccess);
  EXPECT_TRUE(fs::is_symlink(Work("link.pbl")));
  EXPECT_TRUE(fs::is_symlink(Work("dangling.dot")));
  EXPECT_EQ(ReadText(root_ / "elsewhere" / "real.pbl"), "scanner of definition\n");
  EXPECT_EQ(ReadText(root_ / "elsewhere" / "new.dot"), "graph");
  EXPECT_EQ(ReadText(root_ / "elsewhere" / kRuntimeIncludeName), "; runtime\n");
  EXPECT_FALSE(fs::exists(Work(kRuntimeIncludeName)));

  fs::create_symlink("loop.pbl", Work("loop.pbl"));
  options_.OutputFile = Work("loop.pbl").string();
  EXPECT_EQ(RunGenerator(options_, environment_), kExitGenerationError);
  EXPECT_TRUE(fs::is_symlink(Work("loop.pbl")));
}

TEST_F(RunGeneratorTest, DevicesAndPipesAreWrittenIntoAndKeepTheirKind) {
  // A FIFO, and as root a node of the null device, stand for /dev/null.
  // The reader is open before the run, so the small scanner fits the pipe's
  // buffer and the run never waits; a pipe replaced by a file leaves it empty.
  ASSERT_EQ(mkfifo(Work("pipe.pbl").c_str(), 0600), 0);
  const int reader = open(Work("pipe.pbl").c_str(), O_RDONLY | O_NONBLOCK);
  ASSERT_GE(reader, 0);
  options_.OutputFile = Work("pipe.pbl").string();
  EXPECT_EQ(RunGenerator(options_, environment_), kExitSuccess);
  std::string piped(100, '\0');
  piped.resize(static_cast<std::size_t>(std::max<ssize_t>(0, read(reader, piped.data(), 100))));
  close(reader);
  EXPECT_EQ(piped, "scanner of definition\n");
  EXPECT_TRUE(fs::is_fifo(Work("pipe.pbl")));
  EXPECT_FALSE(fs::exists(Work(kRuntimeIncludeName)));

  // An include name that leads to an endless device is written into, never
  // read to compare with.
  fs::create_symlink("/dev/zero", Work(kRuntimeIncludeName));
  options_.OutputFile = Work("out.pbl").string();
  EXPECT_EQ(RunGenerator(options_, environment_), kExitSuccess);
  EXPECT_TRUE(fs::is_symlink(Work(kRuntimeIncludeName)));

  if (geteuid() != 0) return;
  ASSERT_EQ(mknod(Work("null").c_str(), S_IFCHR | 0666, makedev(1, 3)), 0);
  for (std::string RunOptions::*field :
       {&RunOptions::OutputFile, &RunOptions::DotFile, &RunOptions::PdfFile}) {
    RunOptions options = options_;
    options.OutputFile = Work("out.pbl").string();
    options.*field = Work("null").string();
    EXPECT_EQ(RunGenerator(options, environment_), kExitSuccess);
    EXPECT_TRUE(fs::is_character_file(Work("null")));
  }
}

TEST_F(RunGeneratorTest, EveryScratchFileIsMadeBeforeThePassInAFolderOfTheRunsOwn) {
  options_.DotFile = Work("g.dot").string();
  options_.PdfFile = Work("g.pdf").string();
  std::vector<std::string> present;
  fs::perms folderAccess{};
  GeneratePass write = environment_.pass;
  environment_.pass = [&](const GenerateOptions& options, Log& log, ProgramRunner& runner,
                          ErrorState& error) {
    for (const std::string& file : FilesThePassWrites(options))
      if (fs::exists(file)) present.push_back(file);
    folderAccess = fs::status(fs::path(options.scannerFile).parent_path()).permissions();
    return write(options, log, runner, error);
  };
  ASSERT_EQ(RunGenerator(options_, environment_), kExitSuccess);
  EXPECT_EQ(present, FilesThePassWrites(seen_));
  EXPECT_EQ(present.size(), 4u);  // scanner, graph, drawing and the copy Graphviz reads
  EXPECT_EQ(folderAccess, fs::perms::owner_all);
  EXPECT_EQ(fs::path(seen_.tempStem).parent_path().parent_path(), root_ / "temp");
  EXPECT_TRUE(TempIsEmpty());
}

TEST_F(RunGeneratorTest, DrawingsThePassLeftEmptyAreNotPlaced) {
  WriteText(Work("g.dot"), "old graph");
  WriteText(Work("g.pdf"), "old drawing");
  options_.DotFile = Work("g.dot").string();
  options_.PdfFile = Work("g.pdf").string();
  writeDrawings_ = false;
  ASSERT_EQ(RunGenerator(options_, environment_), kExitSuccess);
  EXPECT_EQ(ReadText(Work("g.dot")), "old graph");
  EXPECT_EQ(ReadText(Work("g.pdf")), "old drawing");
}

TEST(StagingPrefix, CutsTheNameToFitTheLimitAtACharacterBoundary) {
  struct Case {
    std::string name;
    std::size_t limit;
    std::string prefix;
  };
  const std::string aUmlauts = "\xC3\xA4\xC3\xA4\xC3\xA4";  // three two-byte characters
  for (const Case& c : std::vector<Case>{
           {"out.pb", 255, ".out.pb.part-"},
           {"out.pb", 17 + 6, ".out.pb.part-"},  // exactly fits
           {"out.pb", 17 + 3, ".out.part-"},
           {aUmlauts, 17 + 5, ".\xC3\xA4\xC3\xA4.part-"},  // never half a character
           {aUmlauts, 17 + 1, "..part-"},
           {"out.pb", 5, "..part-"},  // a tiny limit: the name goes, the rest stays
       }) {
    EXPECT_EQ(StagingPrefix(c.name, c.limit), c.prefix) << c.name << " " << c.limit;
  }
}

TEST(ScratchFiles, AnAbandonedRunRemovesItsFilesAndMakesNoMore) {
  const fs::path dir = fs::temp_directory_path() / ("scratch-test-" + std::to_string(getpid()));
  fs::create_directories(dir / "folder");
  WriteText(dir / "folder" / "inside", "x");
  WriteText(dir / "file", "x");
  ScratchFiles scratch;
  scratch.MakeFolder([&] { return (dir / "folder").string(); });
  scratch.MakeFile([&] { return (dir / "file").string(); });
  scratch.Abandon();
  EXPECT_FALSE(fs::exists(dir / "folder"));
  EXPECT_FALSE(fs::exists(dir / "file"));
  bool made = false;
  EXPECT_EQ(scratch.MakeFile([&] {
    made = true;
    return std::string("late");
  }),
            "");
  EXPECT_FALSE(made);
  fs::remove_all(dir);
}

}  // namespace
}  // namespace tarnwick
