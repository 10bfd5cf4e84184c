// The first parameter is the definition file, even when it looks like an
// option. After it, each option word (compared exactly, case included)
// takes the next parameter verbatim as its value, so "-o -dot" names an
// output called "-dot"; an option in the last place gets the empty value and
// a repeated option overwrites the earlier one. A lone "--help" or
// "--version" asks for information instead of a run.
#include "driver/command_line.h"

namespace tarnwick {

std::optional<InformationRequest> FindInformationRequest(
    const std::vector<std::string>& parameters) {
  if (parameters.size() != 1) return std::nullopt;
  if (parameters[0] == "--help") return InformationRequest::kHelp;
  if (parameters[0] == "--version") return InformationRequest::kVersion;
  return std::nullopt;
}

std::optional<RunOptions> ParseCommandLine(const std::vector<std::string>& parameters) {
  RunOptions options;
  const std::size_t n = parameters.size();
  for (std::size_t i = 0; i < n; ++i) {
    const std::string& p = parameters[i];
    if (i == 0) {
      options.InputFile = p;
      continue;
    }
    std::string* target = nullptr;
    if (p == "-o") {
      target = &options.OutputFile;
    } else if (p == "-dot") {
      target = &options.DotFile;
    } else if (p == "-pdf") {
      target = &options.PdfFile;
    } else if (p == "-debug") {
      target = &options.DebugValue;
    } else {
      return std::nullopt;
    }
    ++i;
    *target = i < n ? parameters[i] : std::string();
  }
  if (options.InputFile.empty()) return std::nullopt;
  return options;
}

}  // namespace tarnwick
