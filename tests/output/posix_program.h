// Test helper: starts real programs (Graphviz) on a POSIX system, with the
// arguments as a vector and the error output captured for inspection.
#pragma once

#include <string>
#include <vector>

#include "base/program_runner.h"

namespace tarnwick::testing {

struct ProgramOutcome {
  bool started = false;
  int exitCode = -1;
  std::string errorOutput;
};

ProgramOutcome RunProgram(const std::string& program, const std::vector<std::string>& arguments);

// The full path of `name` on PATH; empty when there is none.
std::string FindProgram(const std::string& name);

class PosixProgramRunner final : public ProgramRunner {
 public:
  Result Run(const std::string& program, const std::vector<std::string>& arguments) override;
  std::string FindOnPath(const std::string& name) override { return FindProgram(name); }
};

}  // namespace tarnwick::testing
