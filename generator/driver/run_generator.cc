// A run in the order the user sees it: settings, the checks that no output
// overwrites the definition or names a directory, the pass writing into
// scratch files in a private folder of this run, then placement of the
// runtime include, the scanner source and the drawings. Outputs are only
// touched after the pass succeeded, and then through PlaceFile, so a failed
// run leaves them (drawings included) as they were. Problems found by the
// driver itself (a refused output name, a failed placement, memory running
// out during the pass) are reported like pass failures, as "Error Line 0:"
// and a sentence naming the file, taken from the message table where the
// table has it.
#include "driver/run_generator.h"

#include <new>
#include <utility>

#include "base/file_blocks.h"
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

int FailNumbered(Log& log, ErrorState& error, int number, std::string argument) {
  error = ErrorState{};
  error.ErrorNumber = number;
  error.ErrorArg1 = std::move(argument);
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
  for (const std::string* name : {&options.OutputFile, &options.DotFile, &options.PdfFile}) {
    if (!name->empty() && NamesADirectory(*name)) {
      return FailNumbered(log, error, kOutputNamesADirectory, *name);
    }
  }

  // Every scratch file of the run lives in a folder only this user may
  // enter, and is created there exclusively before the pass writes into it:
  // no one else's link can stand under any of its names.
  const std::string folder = scratch.MakeFolder(
      [&] { return platform::CreatePrivateFolder(environment.tempDirectory, "tarnwick-"); });
  if (folder.empty()) {
    return FailNumbered(log, error, kNoScratchFolder, environment.tempDirectory);
  }
  GenerateOptions generate;
  generate.inputFile = options.InputFile;
  generate.tempStem = folder + environment.tempDirectory.back();
  generate.scannerFile = generate.tempStem + "tarnwick.pb";
  // The drawings are placed like the scanner, after the pass.
  if (!options.DotFile.empty()) generate.dotFile = generate.tempStem + "tarnwick.dot";
  if (!options.PdfFile.empty()) generate.pdfFile = generate.tempStem + "tarnwick.pdf";
  generate.graphvizPath = options.GraphvizPath;
  generate.caseTable = environment.caseTable;
  generate.maxDfaStates = environment.maxDfaStates;
  for (const std::string& file : FilesThePassWrites(generate)) {
    if (platform::WriteNewFile(file, {}) != platform::NewFile::kCreated) {
      scratch.RemoveAll();
      return FailNumbered(log, error, kNoScratchFolder, environment.tempDirectory);
    }
  }

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
  std::optional<std::string> problem;
  if (includeSource.empty()) {
    problem = std::string("The runtime include ") + kRuntimeIncludeName + " is in neither " +
              supportDirectories[0] + " nor " + supportDirectories[1];
  } else if (const std::optional<std::string> directory =
                 IncludeDirectoryBeside(options.OutputFile)) {
    problem = PlaceFileUnlessIdentical(includeSource, *directory + kRuntimeIncludeName, scratch);
  }
  if (!problem) problem = PlaceFile(generate.scannerFile, options.OutputFile, scratch);
  if (problem) {
    scratch.RemoveAll();
    return Fail(log, error, *problem);
  }
  // A drawing that could not be made or placed is reported, as the Graphviz
  // step reports its own problems, and leaves the scanner's success alone.
  // Scratch that is missing or still empty as it was created means the step
  // wrote nothing worth placing: no graph or drawing is empty.
  auto holdsBytes = [](const std::string& path) {
    FileBlocks bytes(path);
    const std::optional<std::string_view> first = bytes.Next();
    return first && !first->empty();
  };
  for (const auto& [made, wanted] : {std::pair{generate.dotFile, options.DotFile},
                                     std::pair{generate.pdfFile, options.PdfFile}}) {
    if (made.empty() || !holdsBytes(made)) continue;
    if (std::optional<std::string> drawing = PlaceFile(made, wanted, scratch))
      log.LogLine(*drawing);
  }
  scratch.RemoveAll();

  log.LogLine(kDoneLine);
  return kExitSuccess;
}

}  // namespace tarnwick
