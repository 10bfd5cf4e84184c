// The case pairs of the system's ANSI code page, asked of the system one byte
// at a time: CharLowerA and CharUpperA treat a pointer value below 0x10000
// as a single character and give the mapped character back the same way.
#include <windows.h>

#include "platform/system_case_table.h"

namespace tarnwick::platform {

namespace {

uint8_t MapByte(LPSTR (*map)(LPSTR), int byte) {
  auto single = reinterpret_cast<LPSTR>(static_cast<ULONG_PTR>(byte));
  return static_cast<uint8_t>(reinterpret_cast<ULONG_PTR>(map(single)) & 0xFF);
}

LPSTR Lower(LPSTR text) {
  return CharLowerA(text);
}
LPSTR Upper(LPSTR text) {
  return CharUpperA(text);
}

}  // namespace

CaseTable SystemCaseTable() {
  CaseTable table;
  table.lower[0] = 0;
  table.upper[0] = 0;
  for (int byte = 1; byte < 256; ++byte) {
    table.lower[byte] = MapByte(Lower, byte);
    table.upper[byte] = MapByte(Upper, byte);
  }
  return table;
}

}  // namespace tarnwick::platform
