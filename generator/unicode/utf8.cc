// The decoder checks the second byte against the lead byte's allowed range
// (E0 needs A0..BF, ED needs 80..9F, F0 needs 90..BF, F4 needs 80..8F), which
// rules out overlong forms, surrogates and values above U+10FFFF in one test.
#include "unicode/utf8.h"

namespace tarnwick::unicode {

int Utf8Length(char32_t c) {
  return c < 0x80 ? 1 : c < 0x800 ? 2 : c < 0x10000 ? 3 : 4;
}

void AppendUtf8(char32_t c, std::string& out) {
  const int length = Utf8Length(c);
  if (length == 1) {
    out += static_cast<char>(c);
    return;
  }
  static constexpr uint8_t kLeadMarks[] = {0, 0, 0xC0, 0xE0, 0xF0};
  out += static_cast<char>(kLeadMarks[length] | (c >> (6 * (length - 1))));
  for (int i = length - 2; i >= 0; --i)
    out += static_cast<char>(0x80 | ((c >> (6 * i)) & 0x3F));
}

bool DecodeUtf8(std::string_view text, std::size_t& pos, char32_t& c) {
  if (pos >= text.size()) return false;
  const auto lead = static_cast<uint8_t>(text[pos]);
  if (lead < 0x80) {
    c = lead;
    ++pos;
    return true;
  }
  int length = 0;
  uint8_t low = 0x80;
  uint8_t high = 0xBF;
  char32_t value = 0;
  if (lead >= 0xC2 && lead <= 0xDF) {
    length = 2;
    value = lead & 0x1F;
  } else if (lead >= 0xE0 && lead <= 0xEF) {
    length = 3;
    value = lead & 0x0F;
    if (lead == 0xE0) low = 0xA0;
    if (lead == 0xED) high = 0x9F;
  } else if (lead >= 0xF0 && lead <= 0xF4) {
    length = 4;
    value = lead & 0x07;
    if (lead == 0xF0) low = 0x90;
    if (lead == 0xF4) high = 0x8F;
  } else {
    return false;
  }
  if (text.size() - pos < static_cast<std::size_t>(length)) return false;
  for (int i = 1; i < length; ++i) {
    const auto byte = static_cast<uint8_t>(text[pos + i]);
    if (byte < low || byte > high) return false;
    low = 0x80;
    high = 0xBF;
    value = (value << 6) | (byte & 0x3F);
  }
  c = value;
  pos += static_cast<std::size_t>(length);
  return true;
}

bool IsValidUtf8(std::string_view text) {
  std::size_t pos = 0;
  char32_t c = 0;
  while (pos < text.size()) {
    if (!DecodeUtf8(text, pos, c)) return false;
  }
  return true;
}

}  // namespace tarnwick::unicode
