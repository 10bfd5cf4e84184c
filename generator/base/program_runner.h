// ProgramRunner: starting an outside program (Graphviz) and waiting for it.
//
// Arguments travel as a vector, one element per argument, never through a
// shell, so names with spaces or shell characters arrive intact. The platform
// layer implements it.
#pragma once

#include <string>
#include <vector>

namespace tarnwick {

class ProgramRunner {
 public:
  struct Result {
    bool started = false;  // false: the program could not be started at all
    int exitCode = -1;     // valid when started
    std::string problem;   // why it could not be started, for the log
  };

  virtual ~ProgramRunner() = default;
  // Runs `program` in the current working directory and waits for its end.
  virtual Result Run(const std::string& program, const std::vector<std::string>& arguments) = 0;
  // Finds a program on the search path; empty when there is none.
  virtual std::string FindOnPath(const std::string& name) = 0;
  // Ends the program that Run is waiting for, if any, and returns once it
  // has stopped writing. Called from another thread (the log window's close
  // handler, before the run's scratch files are removed).
  virtual void StopRunning() {}
};

}  // namespace tarnwick
