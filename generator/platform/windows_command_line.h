// The Windows command-line conventions, as plain string functions.
//
// A Windows process receives one command-line text; the C runtime splits it
// into arguments by fixed rules about quotes and backslashes. The splitter
// reproduces those rules for our own command line, and the quoter is their
// inverse for the programs we start, so any argument survives the round trip.
// Pure functions, tested on every platform.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace tarnwick::platform {

// Splits a whole command line, program name first. The program name follows
// the simpler rule of the runtime's start-up code: quotes group, backslashes
// are plain characters.
std::vector<std::string> SplitWindowsCommandLine(std::string_view commandLine);

// Quotes one argument so that the runtime's splitter gives it back unchanged.
std::string QuoteWindowsArgument(std::string_view argument);

// The program name (quoted) followed by every argument, each quoted as needed.
std::string BuildWindowsCommandLine(std::string_view program,
                                    const std::vector<std::string>& arguments);

}  // namespace tarnwick::platform
