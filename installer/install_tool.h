// InstallTool and UninstallTool: add the build tool's four IDE entries to a
// tool list file, or remove them and renumber the tools that follow.
//
// Each action reads the file whole, refreshes the ".bak" copy beside it,
// changes the lines in memory and, only if something changed, replaces the
// file atomically. The result carries the message for the user; a failed
// rewrite is a failure, never reported as success.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "platform/system.h"
#include "preference_file.h"

namespace korvane {

struct ActionResult {
  bool ok = false;
  std::string message;
};

ActionResult InstallTool(const System& system, const std::string& path);
ActionResult UninstallTool(const System& system, const std::string& path);

// Where the IDE keeps its tool list: under "APPDATA" on Windows, under the
// home folder where that variable is not set.
std::string DefaultPrefsPath(const System& system);

// The "Command" value: the current directory, the separator, the tool's file.
std::string ToolCommand(const System& system);

// "ToolCount" as a decimal number: leading digits only, 0 when there are
// none or the number is negative, large values saturated.
std::int64_t ParseToolCount(std::string_view text);

// Edits on an open file, exposed for tests that want the lines without
// the file system around them.
void AddEntries(PreferenceFile& file, std::string_view command);
void RemoveEntries(PreferenceFile& file);

}  // namespace korvane
