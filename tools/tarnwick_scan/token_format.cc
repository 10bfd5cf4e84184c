// Token lines for the preview output; see token_format.h for the layout.
#include "token_format.h"

#include "text_position.h"

namespace tarnwick_scan {

std::string EscapeText(std::string_view text, bool utf8) {
  static constexpr char kHex[] = "0123456789abcdef";
  std::string out;
  out.reserve(text.size() + 2);
  for (size_t i = 0; i < text.size(); ++i) {
    unsigned char c = static_cast<unsigned char>(text[i]);
    if (size_t length = utf8 ? Utf8SequenceLength(text, i) : 1; length > 1) {
      out += text.substr(i, length);
      i += length - 1;
      continue;
    }
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

std::string FormatToken(const Token& token, std::string_view input, bool utf8) {
  std::string where =
      "line " + std::to_string(token.line) + "  col " + std::to_string(token.column);
  std::string text = "\"" + EscapeText(input.substr(token.offset, token.length), utf8) + "\"";
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
