// Writes a HandScanner in the generated scanner source layout.
#include "hand_scanner.h"

#include <cstdio>

namespace tarnwick_scan {
namespace {

std::string RightAligned(int value, int width) {
  std::string text = std::to_string(value);
  if (static_cast<int>(text.size()) < width) text.insert(0, width - text.size(), ' ');
  return text;
}

}  // namespace

HandScanner& HandScanner::Class(unsigned char first, unsigned char last, int cls) {
  for (int b = first; b <= last; ++b)
    classOf[static_cast<unsigned char>(b)] = cls;
  return *this;
}

std::string HandScanner::Source(const std::string& prelude) const {
  std::string out = prelude + "DataSection\r\n  __yylexer_charclass:\r\n";
  for (int b = 0; b < 256; ++b) {
    out += b % 16 == 0 ? "    Data.i " : ",";
    auto it = classOf.find(static_cast<unsigned char>(b));
    out += RightAligned(it == classOf.end() ? 0 : it->second, 3);
    if (b % 16 == 15) out += "\r\n";
  }
  out += "  \r\n  __yylexer_actionTable:\r\n";
  for (const Row& row : rows) {
    out += "    Data.i ";
    for (int target : row.next)
      out += RightAligned(target, 4) + ",";
    out += row.rule < 0 ? " 0" : " @__yylexerrun" + std::to_string(row.rule) + "()";
    out += "\r\n";
  }
  out += "  \r\n  __yylexer_info:\r\n    ; startstate, cntcharclass\r\n";
  out += "    Data.i " + std::to_string(start) + ", " + std::to_string(classCount + 1) + "\r\n";
  out += "EndDataSection\r\n";
  return out;
}

}  // namespace tarnwick_scan
