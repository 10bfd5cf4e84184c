// PreferenceFile: an IDE preference file ("[group]" lines, "key = value"
// lines and "; comment" lines) held in memory line by line.
//
// The file is parsed whole into an ordered list of lines so that a rewrite
// keeps every group, key and comment where it was; only blank lines are lost,
// because the IDE itself writes none. Group and key lookups ignore ASCII
// letter case, as the IDE's own reader does. Bytes are never converted: a
// UTF-8 file differs from an 8-bit one only by its byte-order mark, so values
// come back out exactly as they went in. Every write marks the file changed,
// even one that stores the same value again, because callers rely on an
// explicit write to force a normalising rewrite.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace korvane {

class PreferenceFile {
 public:
  enum class LineKind { kGroup, kComment, kKey };
  struct Line {
    LineKind kind;
    std::string name;   // group name, comment text or key name
    std::string value;  // key lines only; leading blanks removed, trailing kept
  };
  using KeyValue = std::pair<std::string, std::string>;

  // Splits `bytes` into lines; a leading UTF-8 byte-order mark is remembered.
  static PreferenceFile Parse(std::string_view bytes);

  // The whole file as it is to be written: CR LF line ends, byte-order mark
  // plus one empty line first for a UTF-8 file.
  std::string Serialize() const;

  bool HasGroup(std::string_view group) const;
  // The value with trailing blanks removed, or nothing when the group or key
  // is missing.
  std::optional<std::string> ReadKey(std::string_view group, std::string_view key) const;
  // All keys of the group in file order, values trimmed; comments skipped.
  std::vector<KeyValue> KeysOf(std::string_view group) const;

  // Replaces the value in place, or appends the key after the group's last
  // line, or appends the group and then the key at the end of the file.
  void WriteKey(std::string_view group, std::string_view key, std::string_view value);
  // Removes the group line and every line up to the next group line.
  void RemoveGroup(std::string_view group);

  bool changed() const { return changed_; }
  bool utf8() const { return utf8_; }
  const std::vector<Line>& lines() const { return lines_; }

 private:
  // Index of the first group line with that name, or lines_.size().
  std::size_t FindGroup(std::string_view group) const;
  // One past the last line that belongs to the group starting at `start`.
  std::size_t GroupEnd(std::size_t start) const;

  std::vector<Line> lines_;
  bool utf8_ = false;
  bool changed_ = false;
};

// ASCII-only case-insensitive equality, used for group and key names.
bool SameName(std::string_view a, std::string_view b);

}  // namespace korvane
