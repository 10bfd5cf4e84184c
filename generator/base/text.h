// Text helpers shared by the stages, the driver and the tools: the fixed
// byte sequences of the files written, ASCII letter case, and line splitting.
//
// Letter case here is ASCII only, for keywords and setting names; the code
// page's case pairs for matching are the CaseTable's.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace tarnwick {

// Every line the generator writes ends in CR LF, on every platform.
inline constexpr std::string_view kLineEnd = "\r\n";
// The UTF-8 byte-order mark.
inline constexpr std::string_view kByteOrderMark = "\xEF\xBB\xBF";

constexpr char AsciiLower(char c) {
  return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c;
}
constexpr char AsciiUpper(char c) {
  return (c >= 'a' && c <= 'z') ? static_cast<char>(c - 'a' + 'A') : c;
}

std::string AsciiLowered(std::string_view text);

// True when `a` and `b` differ in ASCII letter case at most.
bool EqualsIgnoringAsciiCase(std::string_view a, std::string_view b);

// True when `text` begins with `prefix`, ASCII letter case aside.
bool StartsWithIgnoringAsciiCase(std::string_view text, std::string_view prefix);

// Hands out the lines of a text one at a time, without their line ends. A line
// ends at CR LF, LF or CR; a last line without an end is a line too, and an
// empty text has none.
class LineSplitter {
 public:
  explicit LineSplitter(std::string_view text) : text_(text) {}

  bool AtEnd() const { return pos_ >= text_.size(); }
  std::string_view Next();

 private:
  std::string_view text_;
  std::size_t pos_ = 0;
};

}  // namespace tarnwick
