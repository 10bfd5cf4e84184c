// The texts of "--help" and "--version".
#pragma once

#include <string>
#include <vector>

namespace tarnwick {

// "tarnwick 1.0": the program's name and its version.
std::string VersionText();

// The usage line, every option on a line of its own, and the folders in
// which the runtime include and the settings file are looked for (as
// SupportDirectories gives them), one line each; ends in a line end.
std::string HelpText(const std::vector<std::string>& supportDirectories);

}  // namespace tarnwick
