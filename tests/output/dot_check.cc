// Test helper: the graph goes to a scratch file that `dot -Tcanon` reads;
// any warning on its error output counts as a complaint.
#include "dot_check.h"

#include <unistd.h>

#include <filesystem>
#include <fstream>

#include <gtest/gtest.h>

#include "posix_program.h"

namespace tarnwick::testing {

const std::string& DotProgram() {
  static const std::string path = FindProgram("dot");
  return path;
}

void ExpectDotAccepts(const std::string& dotFileText) {
  if (DotProgram().empty()) return;
  std::string body = dotFileText;
  if (body.starts_with("\xEF\xBB\xBF")) body.erase(0, 3);
  std::string path = ::testing::TempDir() + "tarnwick_check_" + std::to_string(getpid()) + ".gv";
  std::ofstream(path, std::ios::binary) << body;
  ProgramOutcome outcome = RunProgram(DotProgram(), {"-Tcanon", "-o", "/dev/null", path});
  std::filesystem::remove(path);
  EXPECT_TRUE(outcome.started);
  EXPECT_EQ(outcome.exitCode, 0) << outcome.errorOutput;
  EXPECT_EQ(outcome.errorOutput, "");
}

}  // namespace tarnwick::testing
