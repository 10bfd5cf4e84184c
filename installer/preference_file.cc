// PreferenceFile: parsing splits on LF, CR or CR LF and classifies each line
// by its first non-blank byte; serialising walks the kept lines in order.
// Lookups are linear scans: the files hold a few hundred lines at most, and a
// scan keeps "first group of that name wins" obvious when names repeat.
#include "preference_file.h"

namespace korvane {
namespace {

constexpr std::string_view kByteOrderMark = "\xEF\xBB\xBF";

bool IsBlank(char c) {
  return c == ' ' || c == '\t';
}

char AsciiLower(char c) {
  return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c;
}

std::string_view TrimLeft(std::string_view s) {
  while (!s.empty() && IsBlank(s.front()))
    s.remove_prefix(1);
  return s;
}

std::string_view TrimRight(std::string_view s) {
  while (!s.empty() && IsBlank(s.back()))
    s.remove_suffix(1);
  return s;
}

std::optional<PreferenceFile::Line> ParseLine(std::string_view text) {
  using Kind = PreferenceFile::LineKind;
  text = TrimLeft(text);
  if (text.empty()) return std::nullopt;
  if (text.front() == ';') {
    text.remove_prefix(1);
    if (!text.empty() && text.front() == ' ') text.remove_prefix(1);
    return PreferenceFile::Line{Kind::kComment, std::string(text), {}};
  }
  if (text.front() == '[') {
    text.remove_prefix(1);
    return PreferenceFile::Line{Kind::kGroup, std::string(text.substr(0, text.find(']'))), {}};
  }
  std::size_t equals = text.find('=');
  if (equals == std::string_view::npos) {
    return PreferenceFile::Line{Kind::kKey, std::string(TrimRight(text)), {}};
  }
  return PreferenceFile::Line{Kind::kKey, std::string(TrimRight(text.substr(0, equals))),
                              std::string(TrimLeft(text.substr(equals + 1)))};
}

}  // namespace

bool SameName(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  for (std::size_t i = 0; i < a.size(); ++i) {
    if (AsciiLower(a[i]) != AsciiLower(b[i])) return false;
  }
  return true;
}

PreferenceFile PreferenceFile::Parse(std::string_view bytes) {
  PreferenceFile file;
  if (bytes.starts_with(kByteOrderMark)) {
    file.utf8_ = true;
    bytes.remove_prefix(kByteOrderMark.size());
  }
  while (!bytes.empty()) {
    std::size_t end = bytes.find_first_of("\r\n");
    std::string_view text = bytes.substr(0, end);
    if (end == std::string_view::npos) {
      bytes = {};
    } else {
      bool crlf = bytes[end] == '\r' && end + 1 < bytes.size() && bytes[end + 1] == '\n';
      bytes.remove_prefix(end + (crlf ? 2 : 1));
    }
    if (auto line = ParseLine(text)) file.lines_.push_back(std::move(*line));
  }
  return file;
}

std::string PreferenceFile::Serialize() const {
  std::string out;
  if (utf8_) {
    out += kByteOrderMark;
    out += "\r\n";
  }
  for (const Line& line : lines_) {
    switch (line.kind) {
      case LineKind::kGroup:
        out += '[';
        out += line.name;
        out += ']';
        break;
      case LineKind::kComment:
        out += "; ";
        out += line.name;
        break;
      case LineKind::kKey:
        out += line.name;
        out += " = ";
        out += line.value;
        break;
    }
    out += "\r\n";
  }
  // A first line that merely starts with the mark's bytes (it stood after a
  // blank line or blanks when read) would turn the file into a UTF-8 one on
  // the next reading and lose those bytes; the empty line keeps it a line.
  if (!utf8_ && out.starts_with(kByteOrderMark)) out.insert(0, "\r\n");
  return out;
}

std::size_t PreferenceFile::FindGroup(std::string_view group) const {
  for (std::size_t i = 0; i < lines_.size(); ++i) {
    if (lines_[i].kind == LineKind::kGroup && SameName(lines_[i].name, group)) return i;
  }
  return lines_.size();
}

std::size_t PreferenceFile::GroupEnd(std::size_t start) const {
  std::size_t end = start + 1;
  while (end < lines_.size() && lines_[end].kind != LineKind::kGroup)
    ++end;
  return end;
}

bool PreferenceFile::HasGroup(std::string_view group) const {
  return FindGroup(group) < lines_.size();
}

std::optional<std::string> PreferenceFile::ReadKey(std::string_view group,
                                                   std::string_view key) const {
  std::size_t start = FindGroup(group);
  if (start == lines_.size()) return std::nullopt;
  for (std::size_t i = start + 1, end = GroupEnd(start); i < end; ++i) {
    const Line& line = lines_[i];
    if (line.kind == LineKind::kKey && SameName(line.name, key)) {
      return std::string(TrimRight(line.value));
    }
  }
  return std::nullopt;
}

std::vector<PreferenceFile::KeyValue> PreferenceFile::KeysOf(std::string_view group) const {
  std::vector<KeyValue> keys;
  std::size_t start = FindGroup(group);
  if (start == lines_.size()) return keys;
  for (std::size_t i = start + 1, end = GroupEnd(start); i < end; ++i) {
    const Line& line = lines_[i];
    if (line.kind == LineKind::kKey) keys.emplace_back(line.name, TrimRight(line.value));
  }
  return keys;
}

void PreferenceFile::WriteKey(std::string_view group, std::string_view key,
                              std::string_view value) {
  changed_ = true;
  std::size_t start = FindGroup(group);
  if (start == lines_.size()) {
    lines_.push_back({LineKind::kGroup, std::string(group), {}});
    lines_.push_back({LineKind::kKey, std::string(key), std::string(value)});
    return;
  }
  std::size_t end = GroupEnd(start);
  for (std::size_t i = start + 1; i < end; ++i) {
    Line& line = lines_[i];
    if (line.kind == LineKind::kKey && SameName(line.name, key)) {
      line.value = value;
      return;
    }
  }
  lines_.insert(lines_.begin() + static_cast<std::ptrdiff_t>(end),
                Line{LineKind::kKey, std::string(key), std::string(value)});
}

void PreferenceFile::RemoveGroup(std::string_view group) {
  std::size_t start = FindGroup(group);
  if (start == lines_.size()) return;
  changed_ = true;
  lines_.erase(lines_.begin() + static_cast<std::ptrdiff_t>(start),
               lines_.begin() + static_cast<std::ptrdiff_t>(GroupEnd(start)));
}

}  // namespace korvane
