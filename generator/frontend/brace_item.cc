#include "frontend/brace_item.h"

#include <algorithm>

namespace tarnwick {

namespace {

bool IsDigit(char c) {
  return c >= '0' && c <= '9';
}

bool IsNameStart(char c) {
  return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || c == '_';
}

// Reads the digits at the start of `text` into `value` (kept at kHugeCount at
// most); returns how many there were.
std::size_t ReadNumber(std::string_view text, uint64_t& value) {
  std::size_t length = 0;
  value = 0;
  while (length < text.size() && IsDigit(text[length])) {
    value = std::min(kHugeCount, value * 10 + static_cast<uint64_t>(text[length] - '0'));
    ++length;
  }
  return length;
}

}  // namespace

std::size_t NameLength(std::string_view text) {
  if (text.empty() || !IsNameStart(text[0])) return 0;
  std::size_t length = 1;
  while (length < text.size() && (IsNameStart(text[length]) || IsDigit(text[length])))
    ++length;
  return length;
}

BraceItem ReadBraceItem(std::string_view text, std::size_t pos) {
  BraceItem item;
  const std::size_t close = text.find('}', pos + 1);
  if (close == std::string_view::npos) return item;
  const std::string_view inner = text.substr(pos + 1, close - pos - 1);
  item.end = close;
  if (!inner.empty() && NameLength(inner) == inner.size()) {
    item.kind = BraceItem::Kind::Name;
    item.name = inner;
    return item;
  }
  const std::size_t first = ReadNumber(inner, item.least);
  if (first == 0) return item;
  if (first == inner.size()) {
    item.kind = BraceItem::Kind::Count;
    item.most = item.least;
    return item;
  }
  if (inner[first] != ',') return item;
  uint64_t most = 0;
  const std::size_t second = ReadNumber(inner.substr(first + 1), most);
  if (first + 1 + second != inner.size()) return item;
  item.kind = BraceItem::Kind::Count;
  if (second != 0) item.most = most;
  return item;
}

}  // namespace tarnwick
