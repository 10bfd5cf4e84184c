// A run in the order the user sees it: settings, the check that no output
// overwrites the definition, the pass writing the scanner source into a
// scratch file under a prefix unique to this run, then placement of the
// runtime include and the scanner source. Those two are only touched after
// the pass succeeded, and then through PlaceFile, so a failed run leaves them
// as they were; the dot file and the PDF are written by the pass itself, once
// the scanner text is complete. Problems found by the driver itself (a
// refused output name, a failed placement, memory running out during the
// pass) are reported like pass failures without a message number:
// "Error Line 0:" and a sentence naming the file.
#include "driver/run_generator.h"

#include <new>

#include "driver/error_messages.h"
#include "driver/paths.h"
#include "driver/placement.h"
#include "driver/settings_file.h"
#include "driver/support_files.h"
#include "platform/files.h"

namespace tarnwick {

namespace {

int Fail(Log& log, ErrorState& error, std::string detail) {
  error = ErrorState{};
  error.detail = std::move(detail);
  LogErrorReport(log, error);
  return kExitGenerationError;
}

// Writing any result over the definition would destroy the user's source.
std::string RefusedName(const RunOptions& options) {
  for (const std::string* name : {&options.OutputFile, &options.DotFile, &options.PdfFile}) {
    if (!name->empty() && platform::SameFile(options.InputFile, *name)) return *name;
  }
  return {};
}

}  // namespace

void LogErrorReport(Log& log, const ErrorState& error) {
  log.LogLine("");
  log.LogLine("Error Line " + std::to_string(error.ErrorLine) + ":");
  log.LogLine(FormatErrorMessage(error));
}

int RunGenerator(RunOptions& options, RunEnvironment& environment) {
  Log& log = *environment.log;
  ScratchFiles& scratch = *environment.scratch;
  ErrorState error;

  const std::vector<std::string> supportDirectories =
      SupportDirectories(environment.programDirectory);
  auto exists = [](const std::string& path) { return platform::FileExists(path); };
  if (std::string settings = FindSupportFile(supportDirectories, kSettingsFileName, exists);
      !settings.empty()) {
    options.GraphvizPath = ReadGraphvizPath(settings);
  }
  if (options.OutputFile.empty()) options.OutputFile = options.InputFile + kDefaultOutputSuffix;

  log.Start();
  if (std::string refused = RefusedName(options); !refused.empty()) {
    return Fail(log, error, "The output would overwrite the definition file: " + refused);
  }

  // The reserved file keeps the prefix ours until the run ends.
  std::string reserved = platform::CreateUniqueFile(environment.tempDirectory, "tarnwick-");
  if (reserved.empty()) {
    return Fail(log, error,
                "Cannot create a file in the temporary directory: " + environment.tempDirectory);
  }
  scratch.Add(reserved);
  GenerateOptions generate;
  generate.inputFile = options.InputFile;
  generate.tempStem = reserved + "-";
  generate.scannerFile = generate.tempStem + "tarnwick.pb";
  generate.dotFile = options.DotFile;
  generate.pdfFile = options.PdfFile;
  generate.graphvizPath = options.GraphvizPath;
  generate.caseTable = environment.caseTable;
  generate.maxDfaStates = environment.maxDfaStates;
  scratch.Add(generate.scannerFile);

  int generated = 0;
  try {
    generated = environment.pass(generate, log, *environment.runner, error);
  } catch (const std::bad_alloc&) {
    // The pass owns everything it allocates, so unwinding has released it and
    // the report below has memory to work with again.
    scratch.RemoveAll();
    return Fail(log, error, kOutOfMemory);
  }
  if (!generated) {
    scratch.RemoveAll();
    LogErrorReport(log, error);
    return kExitGenerationError;
  }

  const std::string includeSource =
      FindSupportFile(supportDirectories, kRuntimeIncludeName, exists);
  const std::string includeTarget = DirectoryPart(options.OutputFile) + kRuntimeIncludeName;
  std::optional<std::string> problem;
  if (includeSource.empty()) {
    problem = std::string("The runtime include ") + kRuntimeIncludeName + " is in neither " +
              supportDirectories[0] + " nor " + supportDirectories[1];
  } else {
    problem = PlaceFileUnlessIdentical(includeSource, includeTarget, scratch);
  }
  if (!problem) problem = PlaceFile(generate.scannerFile, options.OutputFile, scratch);
  scratch.RemoveAll();
  if (problem) return Fail(log, error, *problem);

  log.LogLine(kDoneLine);
  return kExitSuccess;
}

}  // namespace tarnwick
