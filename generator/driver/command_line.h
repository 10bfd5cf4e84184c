// ParseCommandLine: the parameter list into RunOptions, and the two requests
// for information ("--help", "--version") that run nothing.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "driver/run_options.h"

namespace tarnwick {

// The one-line usage shown after "Parameter error".
inline constexpr char kUsage[] =
    "Usage: tarnwick <definition-file> [-o <output-file>] [-dot <dot-file>] "
    "[-pdf <pdf-file>] [-debug <value>]";

enum class InformationRequest { kHelp, kVersion };

// "--help" or "--version" as the one and only parameter. Any other list is a
// run for ParseCommandLine, which takes a first "--help" as a file name like
// any other first parameter.
std::optional<InformationRequest> FindInformationRequest(
    const std::vector<std::string>& parameters);

// `parameters` excludes the program itself. Empty result: a parameter error
// (no parameters, an empty first one, or an unknown word where an option
// belongs).
std::optional<RunOptions> ParseCommandLine(const std::vector<std::string>& parameters);

}  // namespace tarnwick
