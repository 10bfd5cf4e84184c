// The fixed Windows-1252 case pairs: A-Z/a-z, the three caron pairs, Y with
// diaeresis, and the accented Latin-1 letters except the multiplication and
// division signs.
#include "base/case_table.h"

namespace tarnwick {

CaseTable CaseTable::Windows1252() {
  CaseTable table;
  for (int b = 0; b < 256; ++b) {
    table.lower[b] = static_cast<uint8_t>(b);
    table.upper[b] = static_cast<uint8_t>(b);
  }
  auto pair = [&](int upper, int lower) {
    table.lower[upper] = static_cast<uint8_t>(lower);
    table.upper[lower] = static_cast<uint8_t>(upper);
  };
  for (int c = 'A'; c <= 'Z'; ++c)
    pair(c, c + 32);
  pair(0x8A, 0x9A);
  pair(0x8C, 0x9C);
  pair(0x8E, 0x9E);
  pair(0x9F, 0xFF);
  for (int c = 0xC0; c <= 0xDE; ++c) {
    if (c != 0xD7) pair(c, c + 32);
  }
  return table;
}

}  // namespace tarnwick
