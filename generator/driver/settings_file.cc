// A reader for group/key text files, read-only and forgiving: lines end in
// LF, CR or CR LF; leading blanks are skipped; ";" starts a comment; "["
// opens a group named up to "]" (or the end of the line); any other line is
// a key, named by the text before the first "=", its value the text after
// it. Names and values lose their surrounding spaces and tabs. A UTF-8 byte
// order mark at the start is not part of the first line.
#include "driver/settings_file.h"

#include "base/text.h"
#include "base/whole_file.h"

namespace tarnwick {

namespace {

std::string_view TrimBlanks(std::string_view text) {
  std::size_t begin = text.find_first_not_of(" \t");
  if (begin == std::string_view::npos) return {};
  std::size_t end = text.find_last_not_of(" \t");
  return text.substr(begin, end - begin + 1);
}

}  // namespace

std::optional<std::string> FindSetting(std::string_view text, std::string_view group,
                                       std::string_view key) {
  if (text.starts_with(kByteOrderMark)) text.remove_prefix(kByteOrderMark.size());
  bool inGroup = false;
  LineSplitter lines(text);
  while (!lines.AtEnd()) {
    const std::string_view line = TrimBlanks(lines.Next());
    if (line.empty() || line.front() == ';') continue;
    if (line.front() == '[') {
      std::string_view name = line.substr(1);
      name = name.substr(0, name.find(']'));
      inGroup = EqualsIgnoringAsciiCase(TrimBlanks(name), group);
      continue;
    }
    if (!inGroup) continue;
    std::size_t equals = line.find('=');
    std::string_view name = TrimBlanks(line.substr(0, equals));
    if (!EqualsIgnoringAsciiCase(name, key)) continue;
    if (equals == std::string_view::npos) return std::string();
    return std::string(TrimBlanks(line.substr(equals + 1)));
  }
  return std::nullopt;
}

std::string ReadGraphvizPath(const std::string& settingsPath) {
  const std::optional<std::string> text = ReadWholeFile(settingsPath);
  if (!text) return {};
  return FindSetting(*text, "Global", "graphviz").value_or(std::string());
}

}  // namespace tarnwick
