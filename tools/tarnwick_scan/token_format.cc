// Token lines for the preview output; see token_format.h for the layout.
#include "token_format.h"

namespace tarnwick_scan {

std::string EscapeText(std::string_view text) {
  static constexpr char kHex[] = "0123456789abcdef";
  std::string out;
  out.reserve(text.size() + 2);
  for (char ch : text) {
    unsigned char c = static_cast<unsigned char>(ch);
    switch (c) {
      case '"':
        out += "\\\"";
        break;
      case '\\':
        out += "\\\\";
        break;
      case '\n':
        out += "\\n";
        break;
      case '\r':
        out += "\\r";
        break;
      case '\t':
        out += "\\t";
        break;
      default:
        if (c >= 0x20 && c < 0x7f) {
          out += static_cast<char>(c);
        } else {
          out += "\\x";
          out += kHex[c >> 4];
          out += kHex[c & 15];
        }
    }
  }
  return out;
}

std::string FormatToken(const Token& token, std::string_view input) {
  std::string where =
      "line " + std::to_string(token.line) + "  col " + std::to_string(token.column);
  std::string text = "\"" + EscapeText(input.substr(token.offset, token.length)) + "\"";
  switch (token.kind) {
    case Token::Kind::kRule:
      return "rule " + std::to_string(token.rule) + "  " + where + "  " + text;
    case Token::Kind::kError:
      return "error  " + where + "  " + text;
    case Token::Kind::kEnd:
      break;
  }
  return "eof  " + where;
}

}  // namespace tarnwick_scan
