// A reader for group/key text files, read-only and forgiving: lines end in
// LF, CR or CR LF; leading blanks are skipped; ";" starts a comment; "["
// opens a group named up to "]" (or the end of the line); any other line is
// a key, named by the text before the first "=", its value the text after
// it. Names and values lose their surrounding spaces and tabs. A UTF-8 byte
// order mark at the start is not part of the first line.
#include "driver/settings_file.h"

#include <fstream>
#include <iterator>

namespace tarnwick {

namespace {

std::string_view TrimBlanks(std::string_view text) {
  std::size_t begin = text.find_first_not_of(" \t");
  if (begin == std::string_view::npos) return {};
  std::size_t end = text.find_last_not_of(" \t");
  return text.substr(begin, end - begin + 1);
}

bool SameName(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  for (std::size_t i = 0; i < a.size(); ++i) {
    auto lower = [](char c) { return (c >= 'A' && c <= 'Z') ? static_cast<char>(c + 32) : c; };
    if (lower(a[i]) != lower(b[i])) return false;
  }
  return true;
}

}  // namespace

std::optional<std::string> FindSetting(std::string_view text, std::string_view group,
                                       std::string_view key) {
  if (text.starts_with("\xEF\xBB\xBF")) text.remove_prefix(3);
  bool inGroup = false;
  while (!text.empty()) {
    std::size_t end = text.find_first_of("\r\n");
    std::string_view line = text.substr(0, end);
    if (end == std::string_view::npos) {
      text = {};
    } else {
      text.remove_prefix(
          end + ((text[end] == '\r' && end + 1 < text.size() && text[end + 1] == '\n') ? 2 : 1));
    }
    line = TrimBlanks(line);
    if (line.empty() || line.front() == ';') continue;
    if (line.front() == '[') {
      std::string_view name = line.substr(1);
      name = name.substr(0, name.find(']'));
      inGroup = SameName(TrimBlanks(name), group);
      continue;
    }
    if (!inGroup) continue;
    std::size_t equals = line.find('=');
    std::string_view name = TrimBlanks(line.substr(0, equals));
    if (!SameName(name, key)) continue;
    if (equals == std::string_view::npos) return std::string();
    return std::string(TrimBlanks(line.substr(equals + 1)));
  }
  return std::nullopt;
}

std::string ReadGraphvizPath(const std::string& settingsPath) {
  std::ifstream in(settingsPath, std::ios::binary);
  if (!in) return {};
  std::string text((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  return FindSetting(text, "Global", "graphviz").value_or(std::string());
}

}  // namespace tarnwick
