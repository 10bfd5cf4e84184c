// Fuzz target: the preference-file reader and the install and uninstall
// actions on an in-memory file.
//
// The input is a tool list file. Parsing and writing it back must reach a
// fixed point after one round (a second round changes nothing), since every
// install or uninstall rewrites the file and the IDE reads it back again.
// Then the file is installed into and uninstalled from through the in-memory
// system: an install that succeeds must leave every one of the four entries
// findable, and an uninstall never raises the tool count.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

#include "fake_system.h"
#include "install_tool.h"
#include "preference_file.h"
#include "tool_entries.h"

namespace {

const std::string kPath = "/work/Tools.prefs";

// True when some group of the file names the trigger's menu item, as the
// IDE would look it up.
bool HasMenuItem(const korvane::PreferenceFile& file, const korvane::Trigger& trigger) {
  const std::string wanted = korvane::MenuItemName(trigger);
  for (const auto& line : file.lines()) {
    if (line.kind == korvane::PreferenceFile::LineKind::kGroup &&
        file.ReadKey(line.name, "MenuItemName") == wanted) {
      return true;
    }
  }
  return false;
}

std::int64_t ToolCount(const korvane::PreferenceFile& file) {
  return korvane::ParseToolCount(file.ReadKey("ToolsInfo", "ToolCount").value_or(""));
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string bytes(reinterpret_cast<const char*>(data), size);
  const std::string once = korvane::PreferenceFile::Parse(bytes).Serialize();
  const std::string twice = korvane::PreferenceFile::Parse(once).Serialize();
  if (once != twice) std::abort();

  korvane::FakeSystem system;
  system.files[kPath] = bytes;
  const korvane::ActionResult installed = korvane::InstallTool(system, kPath);
  if (installed.message.empty()) std::abort();
  const auto after_install = korvane::PreferenceFile::Parse(system.files[kPath]);
  if (installed.ok) {
    for (const korvane::Trigger& trigger : korvane::kTriggers) {
      if (!HasMenuItem(after_install, trigger)) std::abort();
    }
  }

  const korvane::ActionResult removed = korvane::UninstallTool(system, kPath);
  if (removed.message.empty()) std::abort();
  const auto after_removal = korvane::PreferenceFile::Parse(system.files[kPath]);
  if (removed.ok && ToolCount(after_removal) > ToolCount(after_install)) std::abort();
  return 0;
}
