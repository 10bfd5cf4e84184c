// CaseTable: the letter-case pairs of the 8-bit code page.
//
// Case-insensitive rules add both case forms of every byte in an operand. On
// Windows the table is read from the system code page through the platform
// layer; elsewhere it is the fixed Windows-1252 pairing.
#pragma once

#include <array>
#include <cstdint>

namespace tarnwick {

struct CaseTable {
  std::array<uint8_t, 256> lower{};
  std::array<uint8_t, 256> upper{};

  // Identity except for the Windows-1252 letter pairs.
  static CaseTable Windows1252();
};

}  // namespace tarnwick
