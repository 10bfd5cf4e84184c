// Reading over code points: every member is decoded (one byte in 8-bit mode,
// a UTF-8 sequence otherwise), and `pos` always ends on the last byte of what
// was read. Only `n` and `t` are escape letters in both modes; \u and \U are
// escapes only in UTF-8 mode, where they may also end a range
// ([\u0400-\u04FF]); any other range end is taken literally. Inside a class a
// `-` makes a range only when a member stands before it and a character
// other than `]` after it. "[:" opens a category (UTF-8 mode) only when
// letters and ":]" follow; otherwise the "[" is a member. Every read checks
// the end of the text first: a line may end anywhere.
#include "frontend/operand_reader.h"

#include <algorithm>
#include <array>

#include "base/errors.h"
#include "unicode/case_folding.h"
#include "unicode/general_category.h"
#include "unicode/utf8.h"

namespace tarnwick {

namespace {

using unicode::CodePointSet;

constexpr char32_t kLastByte = 0xFF;

bool Fail(OperandError& error, int number, std::string arg = {}) {
  error.number = number;
  error.arg = std::move(arg);
  return false;
}

int HexValue(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  return -1;
}

// `pos` is on the `u` or `U` of a hex escape; leaves it on the last digit.
bool ReadHexEscape(std::string_view text, std::size_t& pos, char32_t& c, OperandError& error) {
  const std::size_t digits = text[pos] == 'u' ? 4 : 8;
  char32_t value = 0;
  bool valid = true;
  for (std::size_t i = 1; i <= digits; ++i) {
    const int digit = pos + i < text.size() ? HexValue(text[pos + i]) : -1;
    if (digit < 0) {
      valid = false;
      break;
    }
    value = value * 16 + static_cast<char32_t>(digit);
  }
  if (!valid || !unicode::IsScalarValue(value)) {
    // The escape as written, up to a blank, a brace or a character beyond
    // ASCII (the message is shown as 8-bit text).
    std::string written = "\\";
    for (std::size_t i = pos; i < text.size() && i <= pos + digits; ++i) {
      const auto b = static_cast<unsigned char>(text[i]);
      if (b <= ' ' || b == '{' || b >= 0x80) break;
      written += text[i];
    }
    return Fail(error, kInvalidEscape, written);
  }
  pos += digits;
  c = value;
  return true;
}

bool IsAsciiLetter(char c) {
  return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z');
}

// The length of "[:Name:]" at `pos`, or 0 when no category name stands there.
std::size_t CategoryLength(std::string_view text, std::size_t pos) {
  if (text.substr(pos, 2) != "[:") return 0;
  std::size_t end = pos + 2;
  while (end < text.size() && IsAsciiLetter(text[end]))
    ++end;
  if (end == pos + 2 || text.substr(end, 2) != ":]") return 0;
  return end + 2 - pos;
}

}  // namespace

CodePointSet OperandReader::All() const {
  if (utf8_) return CodePointSet::All();
  CodePointSet set;
  set.Add(0, kLastByte);
  return set;
}

bool OperandReader::Decode(std::string_view text, std::size_t& pos, char32_t& c,
                           OperandError& error) const {
  if (!utf8_) {
    c = static_cast<unsigned char>(text[pos]);
    return true;
  }
  std::size_t next = pos;
  if (!unicode::DecodeUtf8(text, next, c)) return Fail(error, kInvalidUtf8);
  pos = next - 1;
  return true;
}

bool OperandReader::IsHexEscape(std::string_view text, std::size_t pos) const {
  return utf8_ && pos < text.size() && (text[pos] == 'u' || text[pos] == 'U');
}

// `pos` is on the character after a backslash. `single` receives the
// character when the escape names exactly one (and so may start a range),
// else -1.
bool OperandReader::ReadEscaped(std::string_view text, std::size_t& pos, CodePointSet& set,
                                int64_t& single, OperandError& error) const {
  single = -1;
  if (text[pos] == 'n') {
    set.Add(10);
    set.Add(13);
    return true;
  }
  if (text[pos] == 't') {
    set.Add(9);
    return true;
  }
  char32_t c = 0;
  if (IsHexEscape(text, pos)) {
    if (!ReadHexEscape(text, pos, c, error)) return false;
  } else if (!Decode(text, pos, c, error)) {
    return false;
  }
  set.Add(c);
  single = c;
  return true;
}

bool OperandReader::ReadCharacter(std::string_view text, std::size_t& pos, CodePointSet& set,
                                  OperandError& error) const {
  char32_t c = 0;
  if (!Decode(text, pos, c, error)) return false;
  set.Add(c);
  return true;
}

bool OperandReader::ReadEscape(std::string_view text, std::size_t& pos, CodePointSet& set,
                               OperandError& error) const {
  if (pos + 1 >= text.size()) {
    set.Add('\\');
    return true;
  }
  ++pos;
  int64_t single = -1;
  return ReadEscaped(text, pos, set, single, error);
}

bool OperandReader::ReadClass(std::string_view text, std::size_t& pos, CodePointSet& set,
                              OperandError& error) const {
  set = CodePointSet{};
  ++pos;
  bool complement = false;
  if (pos < text.size() && text[pos] == '^') {
    complement = true;
    ++pos;
  }
  int64_t previous = -1;  // the member a following `-` would start a range from
  while (true) {
    if (pos >= text.size() || text[pos] == '{') return Fail(error, kBracketOpenWithoutClose);
    const char c = text[pos];
    if (c == ']') break;
    const std::size_t category = utf8_ ? CategoryLength(text, pos) : 0;
    if (category != 0) {
      const std::string_view name = text.substr(pos + 2, category - 4);
      if (!unicode::AddGeneralCategory(name, set)) {
        return Fail(error, kUnknownCategory, std::string(name));
      }
      previous = -1;
      pos += category - 1;
    } else if (c == '\\') {
      ++pos;
      if (pos >= text.size()) return Fail(error, kBracketOpenWithoutClose);
      if (!ReadEscaped(text, pos, set, previous, error)) return false;
    } else if (c == '-' && previous >= 0 && !(pos + 1 < text.size() && text[pos + 1] == ']')) {
      ++pos;
      if (pos >= text.size()) return Fail(error, kRangeOutOfOrder);
      char32_t end = 0;
      if (text[pos] == '\\' && IsHexEscape(text, pos + 1)) {
        ++pos;
        if (!ReadHexEscape(text, pos, end, error)) return false;
      } else if (!Decode(text, pos, end, error)) {
        return false;
      }
      if (previous > static_cast<int64_t>(end)) return Fail(error, kRangeOutOfOrder);
      set.Add(static_cast<char32_t>(previous), end);
      previous = end;
    } else {
      char32_t member = 0;
      if (!Decode(text, pos, member, error)) return false;
      set.Add(member);
      previous = member;
    }
    ++pos;
  }
  if (complement) set = Complement(set);
  return true;
}

CodePointSet OperandReader::Complement(const CodePointSet& set) const {
  if (utf8_) return set.Complement();
  const CodePointSet all = set.Complement();
  CodePointSet rest;
  for (const auto& range : all.ranges()) {
    if (range.first <= kLastByte) rest.Add(range.first, std::min(range.last, kLastByte));
  }
  return rest;
}

void OperandReader::WidenCase(CodePointSet& set) const {
  if (utf8_) {
    unicode::WidenSimpleCase(set);
    return;
  }
  // In place and in ascending order, so a partner above its byte is widened
  // in turn: a code page whose pairs are not symmetric reads as it always has.
  std::array<bool, 256> bytes{};
  for (const auto& range : set.ranges()) {
    for (char32_t b = range.first; b <= range.last && b <= kLastByte; ++b)
      bytes[b] = true;
  }
  for (std::size_t b = 0; b < bytes.size(); ++b) {
    if (!bytes[b]) continue;
    bytes[cases_.lower[b]] = true;
    bytes[cases_.upper[b]] = true;
  }
  set = CodePointSet{};
  for (std::size_t b = 0; b < bytes.size(); ++b) {
    if (bytes[b]) set.Add(static_cast<char32_t>(b));
  }
}

}  // namespace tarnwick
