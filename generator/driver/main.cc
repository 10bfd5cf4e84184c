// Program entry of the generator: take the command line apart, choose the
// log, answer "--help" or "--version" or run once, and end with the run's
// status. A failed run keeps a log window open until the user closes it;
// closing it, or a signal to end, removes the run's scratch files and ends
// the process.
#include <memory>
#include <optional>
#include <string>

#include "driver/banner.h"
#include "driver/command_line.h"
#include "driver/help_text.h"
#include "driver/paths.h"
#include "driver/run_generator.h"
#include "driver/scratch_files.h"
#include "driver/state_limit.h"
#include "driver/support_files.h"
#include "platform/files.h"
#include "platform/log_ui.h"
#include "platform/process.h"
#include "platform/program_runners.h"
#include "platform/system_case_table.h"

namespace {

// While a result goes to standard output, the log must stay out of it.
tarnwick::platform::ConsoleStream ConsoleFor(const std::optional<tarnwick::RunOptions>& options) {
  using tarnwick::platform::ConsoleStream;
  if (!options) return ConsoleStream::kOutput;
  const std::string output = options->OutputFile.empty()
                                 ? options->InputFile + tarnwick::kDefaultOutputSuffix
                                 : options->OutputFile;
  for (const std::string* name : {&output, &options->DotFile, &options->PdfFile}) {
    if (!name->empty() && tarnwick::platform::IsStandardOutput(*name)) return ConsoleStream::kError;
  }
  return ConsoleStream::kOutput;
}

}  // namespace

int main(int argc, char** argv) {
  using namespace tarnwick;
  // Outlives every other object here: the hooks that end the process may use
  // it until the process ends.
  static ScratchFiles scratch;
  // Never destroyed (the process ends without returning from here), so the
  // hooks may use it: a Graphviz still running is stopped before the files
  // it writes are removed.
  std::unique_ptr<ProgramRunner> runner = platform::MakeProgramRunner();
  auto endHook = [&runner] {
    runner->StopRunning();
    scratch.Abandon();
  };
  // First of all: every thread started later leaves the signals to the hook.
  platform::OnEndRequest(endHook);

  const std::string banner = Banner();
  const std::vector<std::string> parameters = platform::CommandLineArguments(argc, argv);
  std::optional<RunOptions> options = ParseCommandLine(parameters);
  const platform::ConsoleStream console = ConsoleFor(options);
  const platform::LogKind kind = platform::ChooseLogKind(console);

  const std::string programDirectory = DirectoryPart(platform::ProgramFilePath());
  if (std::optional<InformationRequest> request = FindInformationRequest(parameters)) {
    const std::string text = *request == InformationRequest::kVersion
                                 ? VersionText() + "\n"
                                 : HelpText(SupportDirectories(programDirectory));
    platform::ShowInformation(kind, banner, text);
    platform::ExitNow(kExitSuccess);
  }
  if (!options) {
    platform::ShowParameterError(kind, banner, kUsage);
    platform::ExitNow(kExitParameterError);
  }

  std::unique_ptr<platform::LogUi> log = platform::MakeLog(kind, console, banner, endHook);
  RunEnvironment environment;
  environment.programDirectory = programDirectory;
  environment.tempDirectory = platform::TempDirectory();
  environment.caseTable = platform::SystemCaseTable();
  environment.maxDfaStates = MaxDfaStatesFrom(platform::EnvironmentVariable(kMaxDfaStatesVariable));
  environment.log = log.get();
  environment.runner = runner.get();
  environment.scratch = &scratch;

  const int status = RunGenerator(*options, environment);
  if (status != kExitSuccess) log->WaitUntilClosed();
  // The window thread is still running; end without tearing it down.
  platform::ExitNow(status);
}
