// UTF-8 well-formedness by the table of well-formed byte sequences: the lead
// byte fixes the length and the range of the second byte (E0 and F0 exclude
// overlong forms, ED surrogates, F4 code points above U+10FFFF); every later
// byte is 80 to BF.
#include "text_position.h"

namespace tarnwick_scan {

size_t Utf8SequenceLength(std::string_view text, size_t pos) {
  const auto byte = [&](size_t i) { return static_cast<unsigned char>(text[pos + i]); };
  const unsigned lead = byte(0);
  size_t count = 0;
  unsigned low = 0x80, high = 0xBF;
  if (lead >= 0xC2 && lead <= 0xDF) {
    count = 2;
  } else if (lead >= 0xE0 && lead <= 0xEF) {
    count = 3;
    if (lead == 0xE0) low = 0xA0;
    if (lead == 0xED) high = 0x9F;
  } else if (lead >= 0xF0 && lead <= 0xF4) {
    count = 4;
    if (lead == 0xF0) low = 0x90;
    if (lead == 0xF4) high = 0x8F;
  } else {
    return 1;
  }
  if (text.size() - pos < count) return 1;
  for (size_t i = 1; i < count; ++i) {
    if (byte(i) < low || byte(i) > high) return 1;
    low = 0x80;
    high = 0xBF;
  }
  return count;
}

void TextPosition::Pass(std::string_view input, size_t pos) {
  if (pending_ > 0) {
    if (--pending_ == 0) ++column_;
  } else if (input[pos] == '\n') {
    ++line_;
    column_ = 1;
  } else if (utf8_) {
    pending_ = Utf8SequenceLength(input, pos) - 1;
    if (pending_ == 0) ++column_;
  } else {
    ++column_;
  }
}

}  // namespace tarnwick_scan
