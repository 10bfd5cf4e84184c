// Layer driver: program entry, command line, settings, the run driver (this
// header) and placement of the outputs. The top layer: uses the pipeline and
// the platform.
//
// RunGenerator: one run from the parsed command line to placed files.
#pragma once

#include <functional>
#include <string>

#include "base/case_table.h"
#include "base/log.h"
#include "base/program_runner.h"
#include "driver/run_options.h"
#include "driver/scratch_files.h"
#include "pipeline/generate.h"

namespace tarnwick {

// How the process ends.
inline constexpr int kExitSuccess = 0;
inline constexpr int kExitGenerationError = 1;
inline constexpr int kExitParameterError = 2;

inline constexpr char kRuntimeIncludeName[] = "PBTarnwickInc.pbi";
inline constexpr char kDoneLine[] = "Done! No errors!";
inline constexpr char kOutOfMemory[] =
    "Out of memory: the definition needs more memory than the system gives";

using GeneratePass = std::function<int(const GenerateOptions&, Log&, ProgramRunner&, ErrorState&)>;

// What a run needs from its surroundings; tests put a fake pass in.
struct RunEnvironment {
  std::string programDirectory;  // empty or ending in a separator
  std::string tempDirectory;     // ending in a separator
  CaseTable caseTable = CaseTable::Windows1252();
  std::size_t maxDfaStates = kDefaultMaxDfaStates;
  GeneratePass pass = GenerateScanner;
  Log* log = nullptr;
  ProgramRunner* runner = nullptr;
  ScratchFiles* scratch = nullptr;
};

// Reads the settings, fills the default output name, runs the pass and
// either places the include and the scanner (logging "Done! No errors!") or
// logs the error report. Gives the exit status; scratch files are gone.
int RunGenerator(RunOptions& options, RunEnvironment& environment);

// The three lines of a failed run: an empty line, "Error Line N:", the message.
void LogErrorReport(Log& log, const ErrorState& error);

}  // namespace tarnwick
