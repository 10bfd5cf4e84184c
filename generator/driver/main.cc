// Program entry of the generator: choose the log, take the command line
// apart, answer "--help" or "--version" or run once, and end with the run's
// status. A failed run keeps a log window open until the user closes it;
// closing it ends the process.
#include <memory>

#include "driver/banner.h"
#include "driver/command_line.h"
#include "driver/help_text.h"
#include "driver/paths.h"
#include "driver/run_generator.h"
#include "driver/scratch_files.h"
#include "driver/state_limit.h"
#include "driver/support_files.h"
#include "platform/log_ui.h"
#include "platform/process.h"
#include "platform/program_runners.h"
#include "platform/system_case_table.h"

int main(int argc, char** argv) {
  using namespace tarnwick;
  const std::string banner = Banner();
  const platform::LogKind kind = platform::ChooseLogKind();

  const std::string programDirectory = DirectoryPart(platform::ProgramFilePath());
  const std::vector<std::string> parameters = platform::CommandLineArguments(argc, argv);
  if (std::optional<InformationRequest> request = FindInformationRequest(parameters)) {
    const std::string text = *request == InformationRequest::kVersion
                                 ? VersionText() + "\n"
                                 : HelpText(SupportDirectories(programDirectory));
    platform::ShowInformation(kind, banner, text);
    platform::ExitNow(kExitSuccess);
  }
  std::optional<RunOptions> options = ParseCommandLine(parameters);
  if (!options) {
    platform::ShowParameterError(kind, banner, kUsage);
    platform::ExitNow(kExitParameterError);
  }

  // Outlives every other object here: the log's close handler may use it
  // until the process ends.
  static ScratchFiles scratch;
  // Never destroyed (the process ends without returning from here), so the
  // close handler may use it: a Graphviz still running is stopped before
  // the files it writes are removed.
  std::unique_ptr<ProgramRunner> runner = platform::MakeProgramRunner();
  std::unique_ptr<platform::LogUi> log = platform::MakeLog(kind, banner, [&runner] {
    runner->StopRunning();
    scratch.RemoveAll();
  });

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
