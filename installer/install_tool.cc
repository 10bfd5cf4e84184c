// InstallTool and UninstallTool over a PreferenceFile.
//
// The tool groups "Tool_0" .. "Tool_<count-1>" are found by scanning the
// group lines once instead of looking every number up, so a damaged
// "ToolCount" of a few billion costs no more than the file's length. Only
// names that a lookup of "Tool_" plus the decimal number would find count:
// "Tool_01" is not tool 1.
#include "install_tool.h"

#include <algorithm>
#include <functional>
#include <limits>
#include <new>
#include <utility>
#include <vector>

#include "installer_texts.h"
#include "tool_entries.h"

namespace korvane {
namespace {

constexpr std::string_view kInfoGroup = "ToolsInfo";
constexpr std::string_view kCountKey = "ToolCount";
constexpr std::string_view kToolGroupPrefix = "Tool_";
constexpr std::int64_t kCountLimit = std::numeric_limits<std::int64_t>::max() / 4;

std::string ToolGroup(std::int64_t number) {
  return std::string(kToolGroupPrefix) + std::to_string(number);
}

// The number of a "Tool_<n>" group name written in canonical decimal.
std::optional<std::int64_t> ToolNumber(std::string_view group) {
  if (group.size() <= kToolGroupPrefix.size() ||
      !SameName(group.substr(0, kToolGroupPrefix.size()), kToolGroupPrefix)) {
    return std::nullopt;
  }
  std::string_view digits = group.substr(kToolGroupPrefix.size());
  if (digits.size() > 1 && digits.front() == '0') return std::nullopt;
  if (digits.size() > 18) return std::nullopt;
  std::int64_t number = 0;
  for (char c : digits) {
    if (c < '0' || c > '9') return std::nullopt;
    number = number * 10 + (c - '0');
  }
  return number;
}

// Existing tool groups numbered below `count`, ascending, one per number.
std::vector<std::int64_t> ExistingTools(const PreferenceFile& file, std::int64_t count) {
  std::vector<std::int64_t> numbers;
  for (const PreferenceFile::Line& line : file.lines()) {
    if (line.kind != PreferenceFile::LineKind::kGroup) continue;
    std::optional<std::int64_t> number = ToolNumber(line.name);
    if (number && *number < count) numbers.push_back(*number);
  }
  std::sort(numbers.begin(), numbers.end());
  numbers.erase(std::unique(numbers.begin(), numbers.end()), numbers.end());
  return numbers;
}

std::int64_t ReadToolCount(const PreferenceFile& file) {
  return ParseToolCount(file.ReadKey(kInfoGroup, kCountKey).value_or(""));
}

std::string MenuItemOf(const PreferenceFile& file, std::int64_t number) {
  return file.ReadKey(ToolGroup(number), "MenuItemName").value_or("");
}

ActionResult EditFile(const System& system, const std::string& path,
                      const std::function<void(PreferenceFile&)>& edit, std::string_view success) {
  std::optional<std::string> bytes = system.ReadFile(path);
  if (!bytes) return {false, std::string(kCantOpen) + path};
  PreferenceFile file = PreferenceFile::Parse(*bytes);
  if (!file.HasGroup(kInfoGroup)) return {false, std::string(kNotToolsPrefs) + path};
  // The copy is a courtesy; a failure must not block the change itself.
  (void)system.CopyFile(path, path + ".bak");
  edit(file);
  if (file.changed() && !system.ReplaceFile(path, file.Serialize())) {
    return {false, std::string(kCantWrite) + path};
  }
  return {true, std::string(success)};
}

// A file too large to hold (or a device that never ends) cannot be read into
// memory; that is a file the installer cannot open, not a reason to abort.
ActionResult RunAction(const System& system, const std::string& path,
                       const std::function<void(PreferenceFile&)>& edit, std::string_view success) {
  try {
    return EditFile(system, path, edit, success);
  } catch (const std::bad_alloc&) {
    return {false, std::string(kCantOpen) + path};
  }
}

}  // namespace

std::int64_t ParseToolCount(std::string_view text) {
  std::size_t i = 0;
  bool negative = false;
  if (i < text.size() && (text[i] == '+' || text[i] == '-')) negative = text[i++] == '-';
  std::int64_t value = 0;
  for (; i < text.size() && text[i] >= '0' && text[i] <= '9'; ++i) {
    const int digit = text[i] - '0';
    value = value > (kCountLimit - digit) / 10 ? kCountLimit : value * 10 + digit;
  }
  // A negative count would number new tools "Tool_-1"; no tool list has one.
  return negative ? 0 : value;
}

void AddEntries(PreferenceFile& file, std::string_view command) {
  std::int64_t count = ReadToolCount(file);
  for (const Trigger& trigger : kTriggers) {
    const std::string wanted = MenuItemName(trigger);
    const std::vector<std::int64_t> tools = ExistingTools(file, count);
    bool present = std::any_of(tools.begin(), tools.end(), [&](std::int64_t number) {
      return MenuItemOf(file, number) == wanted;
    });
    if (present) continue;
    ++count;
    file.WriteKey(kInfoGroup, kCountKey, std::to_string(count));
    const std::string group = ToolGroup(count - 1);
    for (const auto& [key, value] : EntryKeys(trigger, command))
      file.WriteKey(group, key, value);
  }
}

void RemoveEntries(PreferenceFile& file) {
  const std::int64_t count = ReadToolCount(file);
  std::int64_t removed = 0;
  // Groups are only ever added below the number being visited, so the list
  // taken before the first change stays valid for the whole walk.
  for (std::int64_t number : ExistingTools(file, count)) {
    const std::string group = ToolGroup(number);
    if (IsOwnMenuItem(MenuItemOf(file, number))) {
      file.RemoveGroup(group);
      ++removed;
    } else if (removed > 0) {
      const std::string target = ToolGroup(number - removed);
      for (const auto& [key, value] : HashMapOrder(file.KeysOf(group))) {
        file.WriteKey(target, key, value);
      }
      file.RemoveGroup(group);
    }
  }
  file.WriteKey(kInfoGroup, kCountKey, std::to_string(count - removed));
}

ActionResult InstallTool(const System& system, const std::string& path) {
  const std::string command = ToolCommand(system);
  return RunAction(
      system, path, [&command](PreferenceFile& file) { AddEntries(file, command); }, kInstalled);
}

ActionResult UninstallTool(const System& system, const std::string& path) {
  return RunAction(system, path, RemoveEntries, kUninstalled);
}

std::string DefaultPrefsPath(const System& system) {
  if (std::optional<std::string> app_data = system.Environment("APPDATA")) {
    return *app_data + "\\purebasic\\tools.prefs";
  }
  if (system.PathSeparator() == '/') {
    return system.Environment("HOME").value_or("") + "/.purebasic/tools.prefs";
  }
  return "\\purebasic\\tools.prefs";
}

std::string ToolCommand(const System& system) {
  std::string directory = system.CurrentDirectory();
  // A root directory already ends in its separator ("C:\", "/").
  if (directory.empty() || directory.back() != system.PathSeparator()) {
    directory += system.PathSeparator();
  }
  return directory + system.ToolFileName();
}

}  // namespace korvane
